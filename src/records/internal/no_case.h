// Comparison of texts without regard to case, as the Windows runtime's _stricmp does: ASCII
// letters folded to lower case, every other byte compared as an unsigned value.
#pragma once

#include <cstddef>

namespace qv {

// ASCII lower case of one byte; other bytes unchanged.
inline unsigned char foldLower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Negative, 0 or positive as a orders before, with or after b once both are folded to lower case
// ("_" orders before the letters). Null counts as the empty text.
int compareNoCase(const char* a, const char* b);

// The same over two texts of known lengths (NUL bytes inside them are not looked for): the
// shorter one orders first when it is a prefix of the other.
int compareNoCase(const char* a, size_t aLength, const char* b, size_t bLength);

// 1 when both are present and equal with case ignored, else 0.
inline int equalsNoCase(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) {
    return 0;
  }
  for (;; ++a, ++b) {
    const unsigned char l = foldLower(static_cast<unsigned char>(*a));
    if (l != foldLower(static_cast<unsigned char>(*b))) {
      return 0;
    }
    if (l == 0) {
      return 1;
    }
  }
}

} // namespace qv

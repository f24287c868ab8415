// Comparison of texts without regard to case, as the Windows runtime's _stricmp does: ASCII
// letters folded to lower case, every other byte compared as an unsigned value.
#pragma once

#include <cstddef>

#include "platform/win/string_win.h"

namespace qv {

// Negative, 0 or positive as a orders before, with or after b once both are folded to lower case
// ("_" orders before the letters). Null counts as the empty text.
int compareNoCase(const char* a, const char* b);

// The same over two texts of known lengths with no NUL inside them: the shorter one orders first
// when it is a prefix of the other.
int compareNoCase(const char* a, size_t aLength, const char* b, size_t bLength);

// 1 when both are present and equal with case ignored, else 0.
inline int equalsNoCase(const char* a, const char* b) {
  return a != nullptr && b != nullptr && _stricmp(a, b) == 0 ? 1 : 0;
}

} // namespace qv

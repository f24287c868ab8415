// Case-insensitive comparison with _stricmp's folding to lower case.
#include "records/internal/no_case.h"

namespace qv {

int compareNoCase(const char* a, const char* b) {
  if (a == nullptr) {
    a = "";
  }
  if (b == nullptr) {
    b = "";
  }
  const auto* left = reinterpret_cast<const unsigned char*>(a);
  const auto* right = reinterpret_cast<const unsigned char*>(b);
  for (;; ++left, ++right) {
    const int l = foldLower(*left);
    const int r = foldLower(*right);
    if (l != r || l == 0) {
      return l - r;
    }
  }
}

int compareNoCase(const char* a, size_t aLength, const char* b, size_t bLength) {
  const auto* left = reinterpret_cast<const unsigned char*>(a);
  const auto* right = reinterpret_cast<const unsigned char*>(b);
  const size_t common = aLength < bLength ? aLength : bLength;
  for (size_t i = 0; i < common; ++i) {
    const int l = foldLower(left[i]);
    const int r = foldLower(right[i]);
    if (l != r) {
      return l - r;
    }
  }
  if (aLength == bLength) {
    return 0;
  }
  return aLength < bLength ? -1 : 1;
}

} // namespace qv

// Case-insensitive comparison with _stricmp's folding to lower case.
#include "records/internal/no_case.h"

namespace qv {

int compareNoCase(const char* a, const char* b) {
  return _stricmp(a == nullptr ? "" : a, b == nullptr ? "" : b);
}

int compareNoCase(const char* a, size_t aLength, const char* b, size_t bLength) {
  const int common = _strnicmp(a, b, aLength < bLength ? aLength : bLength);
  if (common != 0 || aLength == bLength) {
    return common;
  }
  return aLength < bLength ? -1 : 1;
}

} // namespace qv

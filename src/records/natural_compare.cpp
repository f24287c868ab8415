// compareNatural: the ordering of record values and ids.
#include "records/natural_compare.h"

#include <cstdint>
#include <cstring>

#include "platform/win/string_win.h"
#include "records/internal/no_case.h"

namespace qv {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int sign(int value) {
  return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// The value of the digit run that starts at text[at], as the 32-bit atol reads it: values past
// 2147483647 are held there. zerosEnd caches where the run's leading zeros end, so that walking
// a long run of zeros one position at a time stays linear.
int32_t readRun(const char* text, size_t length, size_t at, size_t& zerosEnd) {
  if (zerosEnd <= at) {
    zerosEnd = at;
    while (zerosEnd < length && text[zerosEnd] == '0') {
      ++zerosEnd;
    }
  }
  int64_t value = 0;
  for (size_t k = zerosEnd; k < length && isDigit(text[k]); ++k) {
    value = value * 10 + (text[k] - '0');
    if (value > INT32_MAX) {
      return INT32_MAX;
    }
  }
  return static_cast<int32_t>(value);
}

} // namespace

int compareNatural(const char* a, size_t aLength, const char* b, size_t bLength) {
  if (aLength == 0 && bLength == 0) {
    return 0;
  }
  const size_t common = aLength < bLength ? aLength : bLength;
  size_t aZeros = 0;
  size_t bZeros = 0;
  for (size_t i = 0; i < common; ++i) {
    if (isDigit(a[i]) && isDigit(b[i])) {
      const int32_t left = readRun(a, aLength, i, aZeros);
      const int32_t right = readRun(b, bLength, i, bZeros);
      if (left != right) {
        return left < right ? -1 : 1;
      }
    } else if (_strnicmp(a + i, b + i, 1) != 0) {
      return sign(compareNoCase(a + i, aLength - i, b + i, bLength - i));
    }
  }
  return sign(compareNoCase(a, aLength, b, bLength));
}

int compareNatural(const char* a, const char* b) {
  if (a == nullptr) {
    a = "";
  }
  if (b == nullptr) {
    b = "";
  }
  return compareNatural(a, std::strlen(a), b, std::strlen(b));
}

} // namespace qv

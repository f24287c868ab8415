// atol-style reading and "%.10f" printing of field values.
#include "records/internal/number_text.h"

#include <cstdio>
#include <cstring>

namespace qv {

int32_t readLong32(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) {
    ++text;
  }
  bool negative = false;
  if (*text == '-' || *text == '+') {
    negative = *text == '-';
    ++text;
  }
  // Accumulated as a magnitude in 64 bits and held once it passes the 32-bit range, so that no
  // number of digits can overflow.
  const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : int64_t{INT32_MAX};
  int64_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (magnitude < limit) {
      magnitude = magnitude * 10 + (*text - '0');
      if (magnitude > limit) {
        magnitude = limit;
      }
    }
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

char* formatFieldReal(double value, char* out) {
  std::snprintf(out, kRealTextSize, "%.10f", value);
  char* point = std::strchr(out, '.');
  if (point != nullptr) {
    char* keep = point;
    for (char* c = point + 1; *c != '\0'; ++c) {
      if (*c != '0') {
        keep = c;
      }
    }
    keep[1] = '\0';
  }
  return out;
}

} // namespace qv

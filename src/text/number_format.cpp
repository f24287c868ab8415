// Plain numbers with a chosen number of decimals, and the perpendicular of a direction.
#include "text/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace qv {

void FormatDecimals(char* out, double value, int decimals) {
  out[0] = '\0';
  if (decimals < 0 || !std::isfinite(value)) {
    return;
  }
  char text[kQuantityTextMax];
  const int precision = decimals > 13 ? 14 : decimals;
  std::snprintf(text, sizeof text, "%.*f", precision, value);
  size_t length = std::strlen(text);
  if (decimals > 0) {
    while (length > 0 && text[length - 1] == '0') {
      --length;
    }
    if (length > 0 && text[length - 1] == '.') {
      --length;
    }
    text[length] = '\0';
  }
  // A negative value too small for the decimals asked for is zero to the reader.
  const char* start = std::strcmp(text, "-0") == 0 ? text + 1 : text;
  std::memcpy(out, start, std::strlen(start) + 1);
}

void PerpendicularDirection(const double vector[2], double result[2]) {
  const double x = vector[0];
  const double y = vector[1];
  const double length = std::hypot(x, y);
  if (length == 0) {
    result[0] = x;
    result[1] = y;
    return;
  }
  result[0] = y / length;
  result[1] = -x / length;
}

} // namespace qv

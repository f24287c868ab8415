#include "drawing/rounding.h"

#include <cmath>
#include <cstring>

#include "platform/acad/acdbads.h"
#include "platform/acad/adscodes.h"
#include "text/thousands.h"

namespace qv {

double roundHalfDown(double x) {
  const double whole = std::floor(x);
  return x - whole <= 0.5 ? whole : whole + 1.0;
}

double roundToMultiple(double x, double step) {
  return roundHalfDown(x / step) * step;
}

int realToGroupedText(double value, int precision, char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  buffer[0] = '\0';
  // The host's number text is short; with a separator for every three digits it stays short.
  char text[256] = {};
  if (acdbRToS(value, 2, precision, text) != RTNORM || std::strlen(text) > sizeof text / 2) {
    return 0;
  }
  InsertThousandsSeparators(text);
  const size_t length = std::strlen(text);
  if (length >= size) {
    return 0;
  }
  std::memcpy(buffer, text, length + 1);
  return 1;
}

} // namespace qv

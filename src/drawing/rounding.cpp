#include "drawing/rounding.h"

#include <cmath>

namespace qv {

double roundHalfDown(double x) {
  const double whole = std::floor(x);
  return x - whole <= 0.5 ? whole : whole + 1.0;
}

double roundToMultiple(double x, double step) {
  return roundHalfDown(x / step) * step;
}

} // namespace qv

// The host's plane geometry utilities: angle, polar point and distance.
#include <cmath>
#include <numbers>

#include "platform/acad/acutads.h"

ads_real acutAngle(const ads_point pt1, const ads_point pt2) {
  const double angle = std::atan2(pt2[Y] - pt1[Y], pt2[X] - pt1[X]);
  // atan2 answers -pi to pi; the host answers 0 to 2 pi.
  return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

void acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result) {
  const double x = pt[X] + dist * std::cos(angle);
  const double y = pt[Y] + dist * std::sin(angle);
  result[Z] = pt[Z];
  result[X] = x;
  result[Y] = y;
}

ads_real acutDistance(const ads_point pt1, const ads_point pt2) {
  return std::hypot(pt2[X] - pt1[X], pt2[Y] - pt1[Y], pt2[Z] - pt1[Z]);
}

// Plane geometry for drawing commands: object coordinates to world coordinates, the ordinate of a
// circular arc, and the elevation on a parabolic vertical curve of a road profile.
#pragma once

#include <cstdint>

namespace qv {

// A circular arc as the profile commands keep it.
struct ArcOrdinateArc {
  double centerX = 0.0, centerY = 0.0, radius = 0.0;
  double unused = 0.0;
  double firstX = 0.0, firstY = 0.0;
  double secondX = 0.0, secondY = 0.0;
  int32_t side = 0; // 1: the lower half of the circle; any other value: the upper half
};

// Converts point (three coordinates, in place) from the object coordinate system of the unit
// normal to world coordinates, by the DXF format's arbitrary-axis rule. The normal is taken as
// given (not normalized); a normal whose axes cannot be built leaves the point unchanged.
void objectToWorld(const double* normal, double* point);

// The y of the arc's half (upper or lower) at x. The ends and the centre's x give their stored
// values exactly; beyond the circle the ordinate is that of its widest point.
double arcOrdinate(double x, const ArcOrdinateArc& arc);

// The elevation at station x on the parabolic curve between the tangent through (x1, y1) and
// (xv, yv) and the tangent through (xv, yv) and (x2, y2), running l1 before and l2 after xv.
// Grades are taken as percentages over 100 units of station.
double verticalCurveElevation(double x1, double y1, double xv, double yv, double x2, double y2,
                              double l1, double l2, double x);

} // namespace qv

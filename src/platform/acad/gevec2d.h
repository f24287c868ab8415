// Two-dimensional vectors of the host's geometry library.
#pragma once

class AcGeVector2d {
public:
  AcGeVector2d() = default;
  AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

  bool operator==(const AcGeVector2d& other) const = default;

  double x = 0.0;
  double y = 0.0;
};

// Three-dimensional points of the host's geometry library.
#pragma once

class AcGePoint3d {
public:
  AcGePoint3d() = default;
  AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

  bool operator==(const AcGePoint3d& other) const = default;

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

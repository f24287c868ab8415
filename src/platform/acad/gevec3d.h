// Three-dimensional vectors of the host's geometry library.
#pragma once

class AcGeVector3d {
public:
  AcGeVector3d() = default;
  AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

  bool operator==(const AcGeVector3d& other) const = default;
  double length() const;
  bool isZeroLength() const { return x == 0.0 && y == 0.0 && z == 0.0; }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

#include "host/entities/plane_geometry.h"

#include <cmath>

namespace qv {

namespace {

constexpr double kArbitraryAxisLimit = 1.0 / 64.0;

void cross(const double* a, const double* b, double* out) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

double length(const double* v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

} // namespace

void objectToWorld(const double* normal, double* point) {
  double ax[3];
  if (std::fabs(normal[0]) < kArbitraryAxisLimit && std::fabs(normal[1]) < kArbitraryAxisLimit) {
    ax[0] = normal[2]; // world Y cross N
    ax[1] = 0.0;
    ax[2] = -normal[0];
  } else {
    ax[0] = -normal[1]; // world Z cross N
    ax[1] = normal[0];
    ax[2] = 0.0;
  }
  double size = length(ax);
  if (size == 0.0) {
    ax[0] = 1.0;
    ax[1] = ax[2] = 0.0;
  } else {
    for (double& c : ax) {
      c /= size;
    }
  }
  double ay[3];
  cross(normal, ax, ay);
  size = length(ay);
  if (size == 0.0) {
    return;
  }
  for (double& c : ay) {
    c /= size;
  }
  const double px = point[0], py = point[1], pz = point[2];
  for (int i = 0; i < 3; ++i) {
    point[i] = ax[i] * px + ay[i] * py + normal[i] * pz;
  }
}

double arcOrdinate(double x, const ArcOrdinateArc& arc) {
  const bool lower = arc.side == 1;
  if (x == arc.centerX) {
    return lower ? arc.centerY - arc.radius : arc.centerY + arc.radius;
  }
  if (x == arc.firstX) {
    return arc.firstY;
  }
  if (x == arc.secondX) {
    return arc.secondY;
  }
  const double dx = x - arc.centerX;
  // An x that rounding put just past the circle must not give a NaN.
  const double radicand = std::fmax(arc.radius * arc.radius - dx * dx, 0.0);
  const double h = std::sqrt(radicand);
  return lower ? arc.centerY - h : arc.centerY + h;
}

double verticalCurveElevation(double x1, double y1, double xv, double yv, double x2, double y2,
                              double l1, double l2, double x) {
  const double g1 = (yv - y1) / (xv - x1);
  const double g2 = (y2 - yv) / (x2 - xv);
  const double begin = xv - l1;
  const double yb = y1 + g1 * (begin - x1);
  const double ye = yv + g2 * l2;
  const double m1 = (yb + yv) / 2.0;
  const double m2 = (yv + ye) / 2.0;
  const double gm = (m2 - m1) / ((l1 + l2) / 2.0);
  const double ym = (l2 * m1 + l1 * m2) / (l1 + l2);
  if (x < xv) {
    const double r = (100.0 * gm - 100.0 * g1) / l1 * 100.0;
    const double d = (x - begin) / 100.0;
    return yb + 100.0 * g1 * d + r / 2.0 * d * d;
  }
  const double r = (100.0 * g2 - 100.0 * gm) / l2 * 100.0;
  const double d = (x - xv) / 100.0;
  return ym + 100.0 * gm * d + r / 2.0 * d * d;
}

} // namespace qv

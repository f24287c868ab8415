// Object-to-world coordinates, arc ordinates and vertical-curve elevations.
#include <cmath>

#include <gtest/gtest.h>

#include "host/entities/plane_geometry.h"

namespace {

TEST(PlaneGeometryTest, ObjectToWorldFollowsTheArbitraryAxisRule) {
  const double r = std::sqrt(0.5);
  struct Case {
    double normal[3];
    double point[3];
    double world[3];
  } cases[] = {
      {{0, 0, 1}, {1, 2, 3}, {1, 2, 3}},        // the world's own plane
      {{0, 0, -1}, {1, 2, 3}, {-1, 2, -3}},     // seen from below: x and z turn
      {{1, 0, 0}, {1, 2, 3}, {3, 1, 2}},        // Ax = Z x N = (0, 1, 0), Ay = (0, 0, 1)
      {{0, 1, 0}, {1, 2, 3}, {-1, 3, 2}},       // Ax = (-1, 0, 0), Ay = (0, 0, 1)
      {{0.01, 0, 1}, {1, 0, 0}, {1, 0, -0.01}}, // near Z: world Y x N
      {{r, r, 0}, {2, 0, 0}, {-2 * r, 2 * r, 0}},
  };
  for (const Case& c : cases) {
    double p[3] = {c.point[0], c.point[1], c.point[2]};
    qv::objectToWorld(c.normal, p);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(p[i], c.world[i], 1e-3)
          << "normal " << c.normal[0] << "," << c.normal[1] << "," << c.normal[2] << " axis " << i;
    }
  }
}

TEST(PlaneGeometryTest, RotatedUnitNormalsKeepLengthsAndHeights) {
  for (int step = 0; step < 12; ++step) {
    const double tilt = 0.3 * step, turn = 0.55 * step;
    const double n[3] = {std::sin(tilt) * std::cos(turn), std::sin(tilt) * std::sin(turn),
                         std::cos(tilt)};
    double p[3] = {3, -4, 12};
    qv::objectToWorld(n, p);
    EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 13.0, 1e-9) << step;
    EXPECT_NEAR(p[0] * n[0] + p[1] * n[1] + p[2] * n[2], 12.0, 1e-9) << step; // height along N
  }
  const double zero[3] = {0, 0, 0};
  double p[3] = {1, 2, 3};
  qv::objectToWorld(zero, p); // no plane: the point stays
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[2], 3);
}

TEST(PlaneGeometryTest, ArcOrdinates) {
  qv::ArcOrdinateArc upper{10, 20, 5, 0, 7, 24, 13, 24, 0};
  qv::ArcOrdinateArc lower = upper;
  lower.side = 1;
  lower.firstY = lower.secondY = 16;
  struct Case {
    const qv::ArcOrdinateArc* arc;
    double x, y;
  } cases[] = {
      {&upper, 10, 25}, {&lower, 10, 15},                 // the top and the bottom exactly
      {&upper, 7, 24},  {&upper, 13, 24},                 // the stored ends
      {&lower, 7, 16},  {&upper, 14, 23},                 // on the circle
      {&lower, 14, 17}, {&upper, 15.000000000000002, 20}, // rounding past the circle: no NaN
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(qv::arcOrdinate(c.x, *c.arc), c.y) << c.x;
  }
}

TEST(PlaneGeometryTest, VerticalCurveElevations) {
  // Tangents rising 2 % to (100, 102) and falling 1 %, 50 units either side.
  struct Case {
    double x, elevation;
  } cases[] = {
      {50, 101.0},                    // the curve's start: on the first tangent
      {75, 101.40625},                // half way up
      {100, 101.625},                 // under the intersection point
      {125, 101.65625}, {150, 101.5}, // the curve's end: on the second tangent
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(qv::verticalCurveElevation(0, 100, 100, 102, 200, 101, 50, 50, c.x), c.elevation,
                1e-9)
        << c.x;
  }
  // Unequal lengths: still meets the tangents at both ends.
  EXPECT_NEAR(qv::verticalCurveElevation(0, 100, 100, 102, 200, 101, 30, 60, 70), 101.4, 1e-9);
  EXPECT_NEAR(qv::verticalCurveElevation(0, 100, 100, 102, 200, 101, 30, 60, 160), 101.4, 1e-9);
}

} // namespace

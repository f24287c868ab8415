// Object-to-world coordinates, arc ordinates and vertical-curve elevations.
#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

#include "host/entities/plane_geometry.h"

namespace {

TEST(PlaneGeometryTest, ObjectToWorldFollowsTheArbitraryAxisRule) {
  const double r = std::sqrt(0.5);
  const struct {
    double normal[3], point[3], world[3];
  } cases[] = {
      {{0, 0, 1}, {1, 2, 3}, {1, 2, 3}},          {{0, 0, -1}, {1, 2, 3}, {-1, 2, -3}},
      {{1, 0, 0}, {1, 2, 3}, {3, 1, 2}},          {{0, 1, 0}, {1, 2, 3}, {-1, 3, 2}},
      {{0.01, 0, 1}, {1, 0, 0}, {1, 0, -0.01}}, // near Z: world Y x N
      {{r, r, 0}, {2, 0, 0}, {-2 * r, 2 * r, 0}}, {{0, 0, 0}, {1, 2, 3}, {1, 2, 3}}, // no plane
  };
  for (const auto& c : cases) {
    double p[3] = {c.point[0], c.point[1], c.point[2]};
    qv::objectToWorld(c.normal, p);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(p[i], c.world[i], 1e-3) << c.normal[0] << "," << c.normal[1] << " axis " << i;
    }
  }
  for (int step = 0; step < 12; ++step) { // rotated unit normals keep lengths and heights
    const double tilt = 0.3 * step, turn = 0.55 * step;
    const double n[3] = {std::sin(tilt) * std::cos(turn), std::sin(tilt) * std::sin(turn),
                         std::cos(tilt)};
    double p[3] = {3, -4, 12};
    qv::objectToWorld(n, p);
    EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 13.0, 1e-9) << step;
    EXPECT_NEAR(p[0] * n[0] + p[1] * n[1] + p[2] * n[2], 12.0, 1e-9) << step;
  }
}

TEST(PlaneGeometryTest, ArcOrdinatesAndCurveElevations) {
  qv::ArcOrdinateArc upper{10, 20, 5, 0, 7, 24, 13, 24, 0};
  qv::ArcOrdinateArc lower{10, 20, 5, 0, 7, 16, 13, 16, 1};
  const std::tuple<const qv::ArcOrdinateArc*, double, double> arcs[] = {
      {&upper, 10, 25},
      {&lower, 10, 15},
      {&upper, 13, 24},
      {&lower, 7, 16},
      {&upper, 14, 23},
      {&lower, 14, 17},
      {&upper, 15.000000000000002, 20}}; // no NaN
  for (const auto& [arc, x, y] : arcs) {
    EXPECT_DOUBLE_EQ(qv::arcOrdinate(x, *arc), y) << x;
  }
  // Tangents rising 2 % to (100, 102) and falling 1 %: the curve from 50 to 150, and from 70 to
  // 160 with unequal lengths, meets the tangents at both ends.
  const std::tuple<double, double, double, double> curves[] = {
      {50, 50, 50, 101.0},      {50, 50, 75, 101.40625}, {50, 50, 100, 101.625},
      {50, 50, 125, 101.65625}, {50, 50, 150, 101.5},    {30, 60, 70, 101.4},
      {30, 60, 160, 101.4}};
  for (const auto& [l1, l2, x, elevation] : curves) {
    EXPECT_NEAR(qv::verticalCurveElevation(0, 100, 100, 102, 200, 101, l1, l2, x), elevation, 1e-9)
        << x;
  }
}

} // namespace

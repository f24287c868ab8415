// Rounding with halves going down, and multiples of a step.
#include <gtest/gtest.h>

#include "drawing/rounding.h"

namespace {

TEST(RoundingTest, HalvesGoDown) {
  struct Case {
    double x, whole;
  } cases[] = {{2.5, 2},   {2.51, 3}, {-2.5, -3},         {-2.49, -2}, {0.5, 0},
               {-0.5, -1}, {7.0, 7},  {1e15 + 0.5, 1e15}, {0.0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(qv::roundHalfDown(c.x), c.whole) << c.x;
  }
}

TEST(RoundingTest, MultiplesOfAStep) {
  struct Case {
    double x, step, result;
  } cases[] = {{7.5, 5, 5},      {7.6, 5, 10},     {12.5, 5, 10}, {-7.5, 5, -10},
               {0.75, 0.5, 0.5}, {0.76, 0.5, 1.0}, {3, 0.25, 3}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(qv::roundToMultiple(c.x, c.step), c.result) << c.x << " by " << c.step;
  }
}

} // namespace

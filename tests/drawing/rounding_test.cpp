// Rounding with halves going down, and multiples of a step.
#include <cstring>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "drawing/rounding.h"

namespace {

TEST(RoundingTest, HalvesGoDown) {
  const std::pair<double, double> cases[] = {{2.5, 2},    {2.51, 3},          {-2.5, -3},
                                             {-2.49, -2}, {0.5, 0},           {-0.5, -1},
                                             {7.0, 7},    {1e15 + 0.5, 1e15}, {0.0, 0}};
  for (const auto& [x, whole] : cases) {
    EXPECT_EQ(qv::roundHalfDown(x), whole) << x;
  }
}

TEST(RoundingTest, MultiplesOfAStep) {
  const std::tuple<double, double, double> cases[] = {
      {7.5, 5, 5},      {7.6, 5, 10},     {12.5, 5, 10}, {-7.5, 5, -10},
      {0.75, 0.5, 0.5}, {0.76, 0.5, 1.0}, {3, 0.25, 3}};
  for (const auto& [x, step, result] : cases) {
    EXPECT_DOUBLE_EQ(qv::roundToMultiple(x, step), result) << x << " by " << step;
  }
}

TEST(RoundingTest, GroupedNumberTexts) {
  // A value, its precision, the buffer's size and the text ("" when it does not fit).
  const std::tuple<double, int, size_t, const char*> cases[] = {
      {1234567.891, 2, 32, "1,234,567.89"},
      {-1234.5, 1, 32, "-1,234.5"},
      {999, 0, 32, "999"},
      {1000, 0, 32, "1,000"},
      {0.5, 3, 32, "0.500"},
      {1234567.0, 0, 10, "1,234,567"},
      {1234567.0, 0, 9, ""},
  };
  for (const auto& [value, precision, size, text] : cases) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(qv::realToGroupedText(value, precision, buffer, size), text[0] != '\0') << value;
    EXPECT_STREQ(buffer, text) << value;
  }
}

} // namespace

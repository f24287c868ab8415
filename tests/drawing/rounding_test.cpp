// Rounding with halves going down, and multiples of a step.
#include <cstring>

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

TEST(RoundingTest, GroupedNumberTexts) {
  struct Case {
    double value;
    int precision;
    size_t size;
    const char* text; // "" when it does not fit
  } cases[] = {
      {1234567.891, 2, 32, "1,234,567.89"},
      {-1234.5, 1, 32, "-1,234.5"},
      {999, 0, 32, "999"},
      {1000, 0, 32, "1,000"},
      {0.5, 3, 32, "0.500"},
      {1234567.0, 0, 10, "1,234,567"},
      {1234567.0, 0, 9, ""},
  };
  for (const Case& c : cases) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(qv::realToGroupedText(c.value, c.precision, buffer, c.size), c.text[0] != '\0')
        << c.value;
    EXPECT_STREQ(buffer, c.text) << c.value;
  }
}

} // namespace

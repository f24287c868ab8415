// Numbers with at most a chosen count of decimals, perpendicular directions, and feet, inches and
// sixteenths: every band edge, the carries, and the forms without feet or inches.
#include "text/number_format.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "testing/host_test.h"
#include "text/feet_inches.h"

namespace {

class NumberFormatTest : public qvtest::HostTest {
protected:
  std::string decimals(double value, int count) {
    char out[qv::kQuantityTextMax];
    std::memset(out, 'x', sizeof out);
    qv::FormatDecimals(out, value, count);
    return out;
  }
};

// Each row: a value, the decimals asked for, and the text: zero keeps trailing zeros, 1 to 13
// trim them, more than 13 print at most 14, a negative count writes nothing, and a value that
// rounds to zero has no sign.
TEST_F(NumberFormatTest, RoundsToTheDecimalsAskedForAndTrimsTrailingZeros) {
  std::string threes = "0.";
  for (int count = 1; count <= 13; ++count) {
    threes += '3';
    EXPECT_EQ(decimals(1.0 / 3, count), threes) << count;
  }
  const struct {
    double value;
    int count;
    const char* text;
  } cases[] = {
      {100, 0, "100"},
      {2.456, 0, "2"},
      {2.6, 0, "3"},
      {-7.8, 0, "-8"},
      {2.50, 2, "2.5"},
      {100.0, 13, "100"},
      {1234.5678, 2, "1234.57"},
      {0.999, 2, "1"},
      {-2.5, 3, "-2.5"},
      {1e-13, 13, "0.0000000000001"},
      {1e-13, 12, "0"},
      {1.0 / 3, 14, "0.33333333333333"},
      {1.0 / 3, 40, "0.33333333333333"},
      {0.25, 99, "0.25"},
      {1e-14, 20, "0.00000000000001"},
      {12.5, -1, ""},
      {12.5, std::numeric_limits<int>::min(), ""},
      {-0.001, 2, "0"},
      {-0.3, 0, "0"},
      {-0.0, 5, "0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decimals(c.value, c.count), c.text) << c.value << " to " << c.count;
  }
}

TEST_F(NumberFormatTest, HostileValues) {
  EXPECT_EQ(decimals(std::numeric_limits<double>::quiet_NaN(), 2), "");
  EXPECT_EQ(decimals(-std::numeric_limits<double>::infinity(), 0), "");
  const std::string huge = decimals(-std::numeric_limits<double>::max(), 100);
  EXPECT_EQ(huge.size(), 310u);
  EXPECT_EQ(huge.substr(0, 5), "-1797");
  EXPECT_EQ(decimals(1e300, 3).size(), 301u);
}

class PerpendicularTest : public qvtest::HostTest {};

// Each row: a direction and the unit direction a quarter turn clockwise from it; a zero vector
// gives zero, and huge or tiny vectors do not overflow or vanish.
TEST_F(PerpendicularTest, TurnsAQuarterClockwiseToUnitLength) {
  const double half = std::sqrt(0.5);
  const double cases[][4] = {
      {3, 4, 0.8, -0.6},           {0, 5, 1, 0},       {-2, 0, 0, 1}, {3, 0, 0, -1}, {0, 0, 0, 0},
      {1e300, 1e300, half, -half}, {1e-310, 0, 0, -1},
  };
  for (const auto& c : cases) {
    const double direction[2] = {c[0], c[1]};
    double result[2] = {7, 7};
    qv::PerpendicularDirection(direction, result);
    EXPECT_DOUBLE_EQ(result[0], c[2]) << c[0] << "," << c[1];
    EXPECT_DOUBLE_EQ(result[1], c[3]) << c[0] << "," << c[1];
    EXPECT_EQ(direction[0], c[0]); // the input is left alone
    EXPECT_EQ(direction[1], c[1]);
  }
  double inPlace[2] = {0, -4};
  qv::PerpendicularDirection(inPlace, inPlace);
  EXPECT_EQ(inPlace[0], -1);
  EXPECT_EQ(inPlace[1], 0);
  const double broken[2] = {std::numeric_limits<double>::quiet_NaN(), 1};
  qv::PerpendicularDirection(broken, inPlace);
  EXPECT_TRUE(std::isnan(inPlace[0]) || std::isnan(inPlace[1]));
}

class FeetInchesTest : public qvtest::HostTest {
protected:
  std::string feet(double value) {
    char out[qv::kQuantityTextMax];
    std::memset(out, 'x', sizeof out);
    qv::FormatFeetInches(value, out);
    return out;
  }
  // n/128 of a foot is 3n/32 of an inch exactly, so band edges can be hit without rounding.
  static double inch32nds(int whole, int thirtySeconds) {
    return whole / 12.0 + thirtySeconds / 384.0;
  }
};

// Each row: a length in feet and its text, with and without feet, inches and fractions; bands
// include their upper edge (3/32 is the top of 1/16, 9/32 of 1/4, 15/32 of 7/16, 21/32 of 5/8,
// 27/32 of 13/16); negative lengths print their size with a minus.
TEST_F(FeetInchesTest, PrintsFeetInchesAndSixteenths) {
  const struct {
    double feet;
    const char* text;
  } cases[] = {
      {3.5, "3'6\""},
      {0.5, "6\""},
      {0, "0\""},
      {3, "3'0\""},
      {10.25, "10'3\""},
      {3.03125, "3'3/8\""},
      {3 + 5.375 / 12, "3'5 3/8\""},
      {5.375 / 12, "5 3/8\""},
      {0.375 / 12, "3/8\""},
      {2 + 0.5 / 12, "2'1/2\""},
      {1 / 128.0, "1/16\""},
      {3 / 128.0, "1/4\""},
      {5 / 128.0, "7/16\""},
      {7 / 128.0, "5/8\""},
      {9 / 128.0, "13/16\""},
      {2 / 128.0, "3/16\""},
      {11 / 128.0, "1 1/16\""},
      {-3.5, "-3'6\""},
      {-0.5, "-6\""},
      {-3.03125, "-3'3/8\""},
      {-2.999, "-3'0\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(feet(c.feet), c.text) << c.feet;
  }
}

TEST_F(FeetInchesTest, JustAboveAnEdgeIsTheNextSixteenthAndAboveFifteenCarries) {
  const char* names[] = {"1/16", "1/8", "3/16",  "1/4", "5/16",  "3/8", "7/16", "1/2",
                         "9/16", "5/8", "11/16", "3/4", "13/16", "7/8", "15/16"};
  for (int sixteenth = 1; sixteenth <= 15; ++sixteenth) {
    const double center = sixteenth / 16.0;
    const double justInside = center + 1 / 32.0 - 1e-6; // just below the upper edge
    const double justAbove = center - 1 / 32.0 + 1e-6;  // just above the lower edge
    EXPECT_EQ(feet(4 + (7 + justInside) / 12), "4'7 " + std::string(names[sixteenth - 1]) + "\"");
    EXPECT_EQ(feet(4 + (7 + justAbove) / 12), "4'7 " + std::string(names[sixteenth - 1]) + "\"");
  }
  EXPECT_EQ(feet(4 + 7.0001 / 12), "4'7 1/16\"");
  EXPECT_EQ(feet(2.999), "3'0\"");
  EXPECT_EQ(feet(4 + 7.97 / 12), "4'8\"");
  EXPECT_EQ(feet(4 + 7.96 / 12), "4'7 15/16\"");
  EXPECT_EQ(feet(11.99999), "12'0\"");
  EXPECT_EQ(feet(0.99 / 12), "1\"");
  EXPECT_EQ(feet(inch32nds(11, 31) + 1e-9), "1'0\"");
  EXPECT_EQ(feet(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(feet(std::numeric_limits<double>::infinity()), "");
  const std::string huge = feet(-std::numeric_limits<double>::max());
  EXPECT_LT(huge.size(), qv::kQuantityTextMax);
  EXPECT_EQ(huge.substr(huge.size() - 3), "'0\"");
  EXPECT_EQ(huge.substr(0, 5), "-1797");
  EXPECT_EQ(feet(std::numeric_limits<double>::denorm_min()), "1/16\"");
}

} // namespace

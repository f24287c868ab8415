// Numbers with at most a chosen count of decimals, and perpendicular directions.
#include "text/number_format.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "testing/host_test.h"

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

TEST_F(NumberFormatTest, ZeroDecimalsKeepsTrailingZeros) {
  EXPECT_EQ(decimals(100, 0), "100");
  EXPECT_EQ(decimals(2.456, 0), "2");
  EXPECT_EQ(decimals(2.6, 0), "3");
  EXPECT_EQ(decimals(-7.8, 0), "-8");
}

TEST_F(NumberFormatTest, OneToThirteenDecimalsThenTrimmed) {
  std::string threes = "0.";
  for (int count = 1; count <= 13; ++count) {
    threes += '3';
    EXPECT_EQ(decimals(1.0 / 3, count), threes) << count;
  }
  EXPECT_EQ(decimals(2.50, 2), "2.5");
  EXPECT_EQ(decimals(100.0, 1), "100");
  EXPECT_EQ(decimals(100.0, 13), "100");
  EXPECT_EQ(decimals(1234.5678, 2), "1234.57");
  EXPECT_EQ(decimals(0.999, 2), "1");
  EXPECT_EQ(decimals(-2.5, 3), "-2.5");
  EXPECT_EQ(decimals(1e-13, 13), "0.0000000000001");
  EXPECT_EQ(decimals(1e-13, 12), "0");
}

TEST_F(NumberFormatTest, MoreThanThirteenDecimalsPrintFourteen) {
  EXPECT_EQ(decimals(1.0 / 3, 14), "0.33333333333333");
  EXPECT_EQ(decimals(1.0 / 3, 40), "0.33333333333333");
  EXPECT_EQ(decimals(0.25, 99), "0.25");
  EXPECT_EQ(decimals(1e-14, 20), "0.00000000000001");
}

TEST_F(NumberFormatTest, NegativeCountWritesNothing) {
  EXPECT_EQ(decimals(12.5, -1), "");
  EXPECT_EQ(decimals(12.5, std::numeric_limits<int>::min()), "");
}

TEST_F(NumberFormatTest, ValuesRoundingToZeroHaveNoSign) {
  EXPECT_EQ(decimals(-0.001, 2), "0");
  EXPECT_EQ(decimals(-0.3, 0), "0");
  EXPECT_EQ(decimals(-0.0, 5), "0");
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

TEST_F(PerpendicularTest, TurnsAQuarterClockwiseToUnitLength) {
  const double diagonal[2] = {3, 4};
  double result[2] = {0, 0};
  qv::PerpendicularDirection(diagonal, result);
  EXPECT_DOUBLE_EQ(result[0], 0.8);
  EXPECT_DOUBLE_EQ(result[1], -0.6);
  EXPECT_EQ(diagonal[0], 3);
  EXPECT_EQ(diagonal[1], 4);

  const double north[2] = {0, 5};
  qv::PerpendicularDirection(north, result);
  EXPECT_EQ(result[0], 1);
  EXPECT_EQ(result[1], 0);
  const double west[2] = {-2, 0};
  qv::PerpendicularDirection(west, result);
  EXPECT_EQ(result[0], 0);
  EXPECT_EQ(result[1], 1);
  const double east[2] = {3, 0};
  qv::PerpendicularDirection(east, result);
  EXPECT_EQ(result[1], -1);
}

TEST_F(PerpendicularTest, ZeroVectorAndInPlaceAndHugeVectors) {
  const double zero[2] = {0, 0};
  double result[2] = {7, 7};
  qv::PerpendicularDirection(zero, result);
  EXPECT_EQ(result[0], 0);
  EXPECT_EQ(result[1], 0);

  double inPlace[2] = {0, -4};
  qv::PerpendicularDirection(inPlace, inPlace);
  EXPECT_EQ(inPlace[0], -1);
  EXPECT_EQ(inPlace[1], 0);

  const double huge[2] = {1e300, 1e300};
  qv::PerpendicularDirection(huge, result);
  EXPECT_DOUBLE_EQ(result[0], std::sqrt(0.5));
  EXPECT_DOUBLE_EQ(result[1], -std::sqrt(0.5));

  const double tiny[2] = {1e-310, 0};
  qv::PerpendicularDirection(tiny, result);
  EXPECT_EQ(result[1], -1);

  const double broken[2] = {std::numeric_limits<double>::quiet_NaN(), 1};
  qv::PerpendicularDirection(broken, result);
  EXPECT_TRUE(std::isnan(result[0]) || std::isnan(result[1]));
}

} // namespace

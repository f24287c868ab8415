// Degrees-minutes-seconds, bearings and packed D.MMSS angles: rounding, carries and signs.
#include "text/angle_format.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>

#include "testing/host_test.h"

namespace {

using qv::kQuantityTextMax;

class AngleFormatTest : public qvtest::HostTest {
protected:
  std::string dms(double degrees, int mode, int style) {
    char out[kQuantityTextMax];
    std::memset(out, 'x', sizeof out);
    qv::FormatDms(degrees, out, mode, style);
    return out;
  }
  // 12°30'00" written with the family's degree sign.
  static std::string deg(const char* before, const char* after) {
    return std::string(before) + '\xB0' + after;
  }
  static double degrees(int d, int m, double s) { return d + m / 60.0 + s / 3600; }
};

TEST_F(AngleFormatTest, PrintsHalfDegreeInEveryMode) {
  EXPECT_EQ(dms(12.5, 1, 1), deg("12", "30'00\""));
  EXPECT_EQ(dms(12.5, 0, 0), "12.300000000");
  EXPECT_EQ(dms(12.5, 0, 1), deg("12", "30'00.00000\""));
  EXPECT_EQ(dms(12.5, 1, 0), "12.3000");
  EXPECT_EQ(dms(12.5, -1, 1), deg("12", "30'00.0\""));
  EXPECT_EQ(dms(12.5, -2, 1), deg("12", "30'00.00\""));
  EXPECT_EQ(dms(12.5, 7, 2), "12.3000"); // any other mode rounds to whole seconds
}

TEST_F(AngleFormatTest, AlmostElevenDegreesRoundsUpInEveryRoundingMode) {
  // 10.999999 is 10°59'59.9964".
  EXPECT_EQ(dms(10.999999, 1, 1), deg("11", "00'00\""));
  EXPECT_EQ(dms(10.999999, -1, 1), deg("11", "00'00.0\""));
  EXPECT_EQ(dms(10.999999, -2, 1), deg("11", "00'00.00\""));
  EXPECT_EQ(dms(10.999999, 1, 0), "11.0000");
  EXPECT_EQ(dms(10.999999, -1, 0), "11.00000");
  EXPECT_EQ(dms(10.999999, -2, 0), "11.000000");
  // The exact seconds keep what is there.
  EXPECT_EQ(dms(10.999999, 0, 1), deg("10", "59'59.99640\""));
  EXPECT_EQ(dms(10.999999, 0, 0), "10.595999640");
}

TEST_F(AngleFormatTest, SecondsThatWouldPrintAsSixtyCarryIntoMinutesAndDegrees) {
  EXPECT_EQ(dms(degrees(12, 0, 59.5), 1, 1), deg("12", "01'00\""));
  EXPECT_EQ(dms(degrees(12, 0, 59.95), -1, 1), deg("12", "01'00.0\""));
  EXPECT_EQ(dms(degrees(12, 0, 59.996), -2, 1), deg("12", "01'00.00\""));
  EXPECT_EQ(dms(degrees(12, 59, 59.5), 1, 1), deg("13", "00'00\""));
  EXPECT_EQ(dms(degrees(12, 59, 59.5), 1, 0), "13.0000");
  EXPECT_EQ(dms(degrees(359, 59, 59.96), -1, 1), deg("360", "00'00.0\""));
  // Just below the threshold stays.
  EXPECT_EQ(dms(degrees(12, 0, 59.4), 1, 1), deg("12", "00'59\""));
  EXPECT_EQ(dms(degrees(12, 0, 59.94), -1, 1), deg("12", "00'59.9\""));
  // Exact seconds that would print as sixty carry too.
  EXPECT_EQ(dms(10.999999999, 0, 1), deg("11", "00'00.00000\""));
  EXPECT_EQ(dms(10.999999999, 0, 0), "11.000000000");
  EXPECT_EQ(dms(degrees(7, 14, 59.999996), 0, 1), deg("7", "15'00.00000\""));
}

TEST_F(AngleFormatTest, PadsFieldsToTwoDigitsAndPacksDecimalSecondsIntoOneNumber) {
  EXPECT_EQ(dms(degrees(5, 3, 7), 1, 1), deg("5", "03'07\""));
  EXPECT_EQ(dms(degrees(5, 3, 7), 1, 0), "5.0307");
  EXPECT_EQ(dms(degrees(5, 13, 27), 1, 1), deg("5", "13'27\""));
  EXPECT_EQ(dms(degrees(5, 13, 7), 1, 0), "5.1307");
  EXPECT_EQ(dms(degrees(5, 3, 27), 1, 0), "5.0327");
  EXPECT_EQ(dms(degrees(12, 5, 7.3), -1, 1), deg("12", "05'07.3\""));
  EXPECT_EQ(dms(degrees(12, 5, 7.25), -2, 1), deg("12", "05'07.25\""));
  EXPECT_EQ(dms(0, 1, 1), deg("0", "00'00\""));
  // Seconds that round up to ten get no extra zero.
  EXPECT_EQ(dms(degrees(12, 5, 9.96), -1, 1), deg("12", "05'10.0\""));
  EXPECT_EQ(dms(degrees(12, 5, 9.6), 1, 1), deg("12", "05'10\""));
  EXPECT_EQ(dms(degrees(12, 5, 7.3), -1, 0), "12.05073");
  EXPECT_EQ(dms(degrees(12, 5, 7.25), -2, 0), "12.050725");
  EXPECT_EQ(dms(degrees(12, 5, 17.3), -1, 0), "12.05173");
}

TEST_F(AngleFormatTest, NegativeAnglesHaveOneLeadingMinus) {
  EXPECT_EQ(dms(-12.5, 1, 0), "-12.3000");
  EXPECT_EQ(dms(-12.5, 1, 1), deg("-12", "30'00\""));
  EXPECT_EQ(dms(-12.5, 0, 0), "-12.300000000");
  EXPECT_EQ(dms(-12.5, 0, 1), deg("-12", "30'00.00000\""));
  EXPECT_EQ(dms(-0.5, -1, 1), deg("-0", "30'00.0\""));
  EXPECT_EQ(dms(-10.999999, 1, 1), deg("-11", "00'00\""));
  EXPECT_EQ(dms(-degrees(3, 4, 5.5), -1, 0), "-3.04055");
}

TEST_F(AngleFormatTest, HostileAnglesNeverOverrunTheDocumentedBuffer) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(dms(nan, 1, 1), "");
  EXPECT_EQ(dms(inf, 0, 0), "");
  EXPECT_EQ(dms(-inf, -2, 1), "");
  for (double huge : {1e300, -std::numeric_limits<double>::max(), 1e15 + 0.5}) {
    for (int mode : {0, 1, -1, -2}) {
      for (int style : {0, 1}) {
        const std::string text = dms(huge, mode, style);
        EXPECT_LT(text.size(), kQuantityTextMax);
        EXPECT_EQ(text[0] == '-', huge < 0);
      }
    }
  }
  EXPECT_EQ(dms(1e300, 1, 0).substr(0, 6), "100000");
  EXPECT_EQ(dms(1e300, 1, 0).substr(301), ".0000");
}

class BearingTest : public AngleFormatTest {
protected:
  std::string bearing(double azimuth, int& quadrant) {
    char out[kQuantityTextMax];
    std::memset(out, 'x', sizeof out);
    quadrant = qv::AzimuthToBearing(azimuth, out);
    return out;
  }
};

// Each row: an azimuth in radians, the bearing and its quadrant, at the exact boundaries, inside
// each quadrant and after range reduction from outside one turn.
TEST_F(BearingTest, MeasuresFromTheNorthSouthLineInItsQuadrant) {
  constexpr double pi = std::numbers::pi;
  const struct {
    double azimuth;
    const char* text;
    int quadrant;
  } cases[] = {
      {0, "0.0000", 1},
      {pi / 2, "90.0000", 1},
      {pi, "0.0000", 2},
      {3 * pi / 2, "90.0000", 3},
      {2 * pi, "0.0000", 4},
      {pi / 4, "45.0000", 1},
      {3 * pi / 4, "45.0000", 2},
      {5 * pi / 4, "45.0000", 3},
      {7 * pi / 4, "45.0000", 4},
      {45.5 * pi / 180, "45.3000", 1},
      {pi - (10 + 5 / 60.0 + 7 / 3600.0) * pi / 180, "10.0507", 2},
      {-pi / 2, "90.0000", 3},
      {-pi / 4, "45.0000", 4},
      {2 * pi + 3 * pi / 4, "45.0000", 2},
      {10 * pi + pi / 4, "45.0000", 1},
      {-9 * pi + pi / 4, "45.0000", 3},
  };
  for (const auto& c : cases) {
    int quadrant = 0;
    EXPECT_EQ(bearing(c.azimuth, quadrant), c.text) << c.azimuth;
    EXPECT_EQ(quadrant, c.quadrant) << c.azimuth;
  }
  int quadrant = 0;
  const std::string far = bearing(1e18, quadrant); // several turns away: still at most 90
  EXPECT_GE(quadrant, 1);
  EXPECT_LE(quadrant, 4);
  EXPECT_LE(std::atof(far.c_str()), 90.0);
}

TEST_F(BearingTest, NonFiniteAzimuthGivesNoQuadrant) {
  int quadrant = 9;
  EXPECT_EQ(bearing(std::numeric_limits<double>::quiet_NaN(), quadrant), "");
  EXPECT_EQ(quadrant, 0);
  EXPECT_EQ(bearing(-std::numeric_limits<double>::infinity(), quadrant), "");
  EXPECT_EQ(quadrant, 0);
}

class PackedAngleTest : public qvtest::HostTest {};

// Each row: a packed angle and its degrees, minutes and seconds; no value (98765432.1 either
// sign) and non-finite values split to zero.
TEST_F(PackedAngleTest, SplitsDegreesMinutesAndSeconds) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double cases[][4] = {
      {12.05075, 12, 5, 7.5},
      {-12.05075, -12, -5, -7.5},
      {359.5959, 359, 59, 59},
      {12.7, 12, 70, 0},
      {98765432.1, 0, 0, 0},
      {-98765432.1, 0, 0, 0},
      {1e300, 0, 0, 0},
      {nan, 0, 0, 0},
      {inf, 0, 0, 0},
      {98765432.0, 98765432, 0, 0}, // minutes are taken as written; only the marker is no value
  };
  for (const auto& c : cases) {
    double d = 1;
    double m = 1;
    double s = 1;
    qv::SplitDms(c[0], d, m, s);
    EXPECT_NEAR(d, c[1], 1e-9) << c[0];
    EXPECT_NEAR(m, c[2], 1e-9) << c[0];
    EXPECT_NEAR(s, c[3], 1e-6) << c[0];
  }
}

TEST_F(PackedAngleTest, ConvertsToDecimalDegrees) {
  EXPECT_DOUBLE_EQ(qv::DmsToDegrees(12.3), 12.5);
  EXPECT_DOUBLE_EQ(qv::DmsToDegrees(-12.3), -12.5);
  EXPECT_DOUBLE_EQ(qv::DmsToDegrees(12.05075), 12 + 5 / 60.0 + 7.5 / 3600);
  EXPECT_DOUBLE_EQ(qv::DmsToDegrees(0), 0);
  EXPECT_EQ(qv::DmsToDegrees(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST_F(PackedAngleTest, ValidityAllowsSixtyButNothingAbove) {
  EXPECT_EQ(qv::IsValidDms(12.6000), 1);
  EXPECT_EQ(qv::IsValidDms(12.6100), 0);
  EXPECT_EQ(qv::IsValidDms(12.0060), 1);
  EXPECT_EQ(qv::IsValidDms(12.00605), 0);
  EXPECT_EQ(qv::IsValidDms(360.5), 0);
  EXPECT_EQ(qv::IsValidDms(360), 1);
  EXPECT_EQ(qv::IsValidDms(-360), 1);
  EXPECT_EQ(qv::IsValidDms(-360.0001), 0);
  EXPECT_EQ(qv::IsValidDms(-12.3), 1);
  EXPECT_EQ(qv::IsValidDms(-12.61), 0);
  EXPECT_EQ(qv::IsValidDms(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(qv::IsValidDms(std::numeric_limits<double>::infinity()), 0);
}

} // namespace

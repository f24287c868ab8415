// Degrees-minutes-seconds, bearings and packed D.MMSS angles: rounding, carries and signs.
#include "text/angle_format.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numbers>
#include <span>
#include <string>

#include "testing/host_test.h"

namespace {

using qv::kQuantityTextMax;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class AngleFormatTest : public qvtest::HostTest {
protected:
  std::string dms(double degrees, int mode, int style) {
    char out[kQuantityTextMax];
    std::memset(out, 'x', sizeof out);
    qv::FormatDms(degrees, out, mode, style);
    return out;
  }
};

// Each row: an angle as degrees, minutes and seconds, the rounding mode (1 whole seconds, -1
// tenths, -2 hundredths, 0 exact, any other whole seconds), the style (1 with signs, 0 packed
// D.MMSS) and the text, '*' standing for the family's degree sign. 10.999999 is 10*59'59.9964":
// it rounds up in every rounding mode and keeps its seconds when exact. Seconds that would print
// as sixty carry into minutes and degrees, just below stay; ten seconds get no extra zero.
TEST_F(AngleFormatTest, RoundsCarriesPadsAndSignsInEveryMode) {
  struct Case {
    double d, m, s;
    int mode;
    const char* text;
  };
  const Case withSigns[] = {
      {12.5, 0, 0, 1, "12*30'00\""},
      {12.5, 0, 0, 0, "12*30'00.00000\""},
      {12.5, 0, 0, -1, "12*30'00.0\""},
      {12.5, 0, 0, -2, "12*30'00.00\""},
      {10.999999, 0, 0, 1, "11*00'00\""},
      {10.999999, 0, 0, -1, "11*00'00.0\""},
      {10.999999, 0, 0, -2, "11*00'00.00\""},
      {10.999999, 0, 0, 0, "10*59'59.99640\""},
      {12, 0, 59.5, 1, "12*01'00\""},
      {12, 0, 59.95, -1, "12*01'00.0\""},
      {12, 0, 59.996, -2, "12*01'00.00\""},
      {12, 59, 59.5, 1, "13*00'00\""},
      {359, 59, 59.96, -1, "360*00'00.0\""},
      {12, 0, 59.4, 1, "12*00'59\""},
      {12, 0, 59.94, -1, "12*00'59.9\""},
      {10.999999999, 0, 0, 0, "11*00'00.00000\""},
      {7, 14, 59.999996, 0, "7*15'00.00000\""},
      {5, 3, 7, 1, "5*03'07\""},
      {5, 13, 27, 1, "5*13'27\""},
      {12, 5, 7.3, -1, "12*05'07.3\""},
      {12, 5, 7.25, -2, "12*05'07.25\""},
      {0, 0, 0, 1, "0*00'00\""},
      {12, 5, 9.96, -1, "12*05'10.0\""},
      {12, 5, 9.6, 1, "12*05'10\""},
      {-12.5, 0, 0, 1, "-12*30'00\""},
      {-12.5, 0, 0, 0, "-12*30'00.00000\""},
      {-0.5, 0, 0, -1, "-0*30'00.0\""},
      {-10.999999, 0, 0, 1, "-11*00'00\""},
      {kNan, 0, 0, 1, ""},
      {-kInf, 0, 0, -2, ""},
  };
  const Case packed[] = {
      {12.5, 0, 0, 0, "12.300000000"}, {12.5, 0, 0, 1, "12.3000"},
      {10.999999, 0, 0, 1, "11.0000"}, {10.999999, 0, 0, 0, "10.595999640"},
      {12, 59, 59.5, 1, "13.0000"},    {10.999999999, 0, 0, 0, "11.000000000"},
      {5, 3, 7, 1, "5.0307"},          {5, 13, 7, 1, "5.1307"},
      {5, 3, 27, 1, "5.0327"},         {12, 5, 7.3, -1, "12.05073"},
      {12, 5, 7.25, -2, "12.050725"},  {12, 5, 17.3, -1, "12.05173"},
      {-12.5, 0, 0, 1, "-12.3000"},    {-12.5, 0, 0, 0, "-12.300000000"},
      {-3, -4, -5.5, -1, "-3.04055"},  {kInf, 0, 0, 0, ""},
  };
  for (int style : {1, 0}) {
    for (const Case& c :
         style == 1 ? std::span<const Case>(withSigns) : std::span<const Case>(packed)) {
      std::string expected = c.text;
      std::replace(expected.begin(), expected.end(), '*', '\xB0');
      const double angle = c.d + c.m / 60.0 + c.s / 3600;
      EXPECT_EQ(dms(angle, c.mode, style), expected)
          << c.d << " " << c.m << " " << c.s << " " << style;
    }
  }
  EXPECT_EQ(dms(12.5, 7, 2), "12.3000"); // another style packs, another mode rounds to seconds
}

TEST_F(AngleFormatTest, HugeAnglesNeverOverrunTheDocumentedBuffer) {
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

// Each row: an azimuth in radians, the bearing and its quadrant, at the exact boundaries, inside
// each quadrant and after range reduction from outside one turn; non-finite: no quadrant.
TEST_F(AngleFormatTest, BearingsMeasureFromTheNorthSouthLineInTheirQuadrant) {
  constexpr double pi = std::numbers::pi;
  const struct {
    double azimuth;
    const char* text;
    int quadrant;
  } cases[] = {{0, "0.0000", 1},
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
               {kNan, "", 0},
               {-kInf, "", 0}};
  char out[kQuantityTextMax];
  for (const auto& c : cases) {
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(qv::AzimuthToBearing(c.azimuth, out), c.quadrant) << c.azimuth;
    EXPECT_STREQ(out, c.text) << c.azimuth;
  }
  const int quadrant = qv::AzimuthToBearing(1e18, out); // several turns away: still at most 90
  EXPECT_TRUE(quadrant >= 1 && quadrant <= 4) << quadrant;
  EXPECT_LE(std::atof(out), 90.0);
}

// Each row: a packed angle and its degrees, minutes and seconds; no value (98765432.1 either
// sign) and non-finite values split to zero.
TEST_F(AngleFormatTest, PackedAnglesSplitIntoDegreesMinutesAndSeconds) {
  const double cases[][4] = {{12.05075, 12, 5, 7.5},
                             {-12.05075, -12, -5, -7.5},
                             {359.5959, 359, 59, 59},
                             {12.7, 12, 70, 0},
                             {98765432.1, 0, 0, 0},
                             {-98765432.1, 0, 0, 0},
                             {1e300, 0, 0, 0},
                             {kNan, 0, 0, 0},
                             {kInf, 0, 0, 0},
                             // minutes are taken as written; only the marker is no value
                             {98765432.0, 98765432, 0, 0}};
  for (const auto& c : cases) {
    double d = 1, m = 1, s = 1;
    qv::SplitDms(c[0], d, m, s);
    EXPECT_NEAR(d, c[1], 1e-9) << c[0];
    EXPECT_NEAR(m, c[2], 1e-9) << c[0];
    EXPECT_NEAR(s, c[3], 1e-6) << c[0];
  }
  EXPECT_DOUBLE_EQ(qv::DmsToDegrees(12.3), 12.5);
  EXPECT_DOUBLE_EQ(qv::DmsToDegrees(-12.3), -12.5);
  EXPECT_DOUBLE_EQ(qv::DmsToDegrees(12.05075), 12 + 5 / 60.0 + 7.5 / 3600);
  EXPECT_DOUBLE_EQ(qv::DmsToDegrees(0), 0);
  EXPECT_EQ(qv::DmsToDegrees(kNan), 0);
}

// Sixty is allowed in minutes and seconds, nothing above, and nothing beyond a full turn.
TEST_F(AngleFormatTest, PackedAngleValidity) {
  const struct {
    double angle;
    int valid;
  } cases[] = {{12.6000, 1}, {12.6100, 0},   {12.0060, 1}, {12.00605, 0}, {360.5, 0}, {360, 1},
               {-360, 1},    {-360.0001, 0}, {-12.3, 1},   {-12.61, 0},   {kNan, 0},  {kInf, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(qv::IsValidDms(c.angle), c.valid) << c.angle;
  }
}

} // namespace

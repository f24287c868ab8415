// The host's number texts (acdbRToS), plane geometry (acutAngle, acutPolar) and text boxes.
#include <cmath>
#include <numbers>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class NumbersGeometryTest : public qvtest::HostTest {};

std::string rtos(double value, int unit, int prec) {
  char text[64] = "unset";
  EXPECT_EQ(acdbRToS(value, unit, prec, text), RTNORM);
  return text;
}

TEST_F(NumbersGeometryTest, RealTextsFollowTheHostsModesPrecisionsAndZeroRules) {
  struct Case {
    double value;
    int unit, prec, dimzin, unitmode;
    const char* expected;
  };
  const Case cases[] = {
      // The host's documented texts of 17.5, DIMZIN 0, both UNITMODEs.
      {17.5, 1, 4, 0, 0, "1.7500E+01"},
      {17.5, 2, 2, 0, 0, "17.50"},
      {17.5, 3, 2, 0, 0, "1'-5.50\""},
      {17.5, 4, 2, 0, 0, "1'-5 1/2\""},
      {17.5, 5, 2, 0, 0, "17 1/2"},
      {17.5, 3, 2, 0, 1, "1'5.50\""},
      {17.5, 4, 2, 0, 1, "1'5-1/2\""},
      {17.5, 5, 2, 0, 1, "17-1/2"},
      // Precisions, rounding, signs.
      {17.5, 2, 0, 0, 0, "18"},
      {-17.5, 2, 3, 0, 0, "-17.500"},
      {-0.001, 2, 2, 0, 0, "0.00"},
      {-0.125, 2, 2, 0, 0, "-0.13"},
      {0.125, 3, 2, 0, 0, "0.13\""},
      {1234.5678, 1, 2, 0, 0, "1.23E+03"},
      {0.00012, 1, 1, 0, 0, "1.2E-04"},
      {2.0 / 3.0, 5, 3, 0, 0, "5/8"},
      {2.0 / 3.0, 5, 8, 0, 0, "171/256"},
      {-2.75, 5, 2, 0, 0, "-2 3/4"},
      {3.999, 5, 2, 0, 0, "4"},
      {-17.5, 4, 1, 0, 0, "-1'-5 1/2\""},
      {11.99, 4, 2, 0, 0, "1'"},
      // DIMZIN: zero feet and inches (low bits), leading (4) and trailing (8) zeros.
      {12.0, 4, 2, 0, 0, "1'"},
      {12.0, 4, 2, 1, 0, "1'-0\""},
      {5.5, 3, 2, 0, 0, "5.50\""},
      {5.5, 3, 2, 1, 0, "0'-5.50\""},
      {5.5, 4, 2, 2, 0, "0'-5 1/2\""},
      {12.0, 3, 2, 3, 0, "1'-0.00\""},
      {0.0, 4, 2, 0, 0, "0\""},
      {0.5, 4, 2, 0, 0, "1/2\""},
      {0.5, 2, 2, 4, 0, ".50"},
      {17.5, 2, 4, 8, 0, "17.5"},
      {17.0, 2, 4, 8, 0, "17"},
      {17.5, 1, 4, 8, 0, "1.75E+01"},
      {17.5, 3, 3, 8, 0, "1'-5.5\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " " << c.unit << "," << c.prec << " dimzin "
                                    << c.dimzin << " unitmode " << c.unitmode);
    sim::setSysVarShort("DIMZIN", static_cast<int16_t>(c.dimzin));
    sim::setSysVarShort("UNITMODE", static_cast<int16_t>(c.unitmode));
    EXPECT_EQ(rtos(c.value, c.unit, c.prec), c.expected);
  }
}

TEST_F(NumbersGeometryTest, RealTextsTakeTheDrawingUnitsAndRefuseWhatTheyCannotWrite) {
  sim::setSysVarShort("LUNITS", 5);
  sim::setSysVarShort("LUPREC", 1);
  EXPECT_EQ(rtos(2.5, -1, -1), "2 1/2");
  EXPECT_EQ(rtos(2.5, 2, -1), "2.5");
  EXPECT_EQ(rtos(1e300, 2, 2), "1.00E+300");
  char text[64] = "kept";
  const int refused[][2] = {{0, 2}, {6, 2}, {2, -2}, {2, 9}};
  for (const auto& r : refused) {
    EXPECT_EQ(acdbRToS(1.0, r[0], r[1], text), RTERROR);
  }
  EXPECT_EQ(acdbRToS(std::nan(""), 2, 2, text), RTERROR);
  EXPECT_EQ(acdbRToS(1.0, 2, 2, nullptr), RTERROR);
  sim::failCall("acdbRToS");
  EXPECT_EQ(acdbRToS(1.0, 2, 2, text), RTERROR);
  EXPECT_STREQ(text, "kept");
}

TEST_F(NumbersGeometryTest, AnglesAndPolarPointsAreTheHosts) {
  const double pi = std::numbers::pi;
  struct Case {
    ads_point from, to;
    double angle;
  };
  const Case cases[] = {
      {{1, 1, 0}, {1, 4, 0}, pi / 2},      {{5, 1.33, 0}, {2.4, 1.33, 0}, pi},
      {{0, 0, 0}, {1, -1, 0}, 7 * pi / 4}, {{0, 0, 5}, {1, 1, -3}, pi / 4},
      {{2, 2, 0}, {2, 2, 0}, 0},           {{0, 0, 0}, {-1, -1e-300, 0}, pi},
  };
  for (const Case& c : cases) {
    const double angle = acutAngle(c.from, c.to);
    EXPECT_NEAR(angle, c.angle, 1e-12);
    EXPECT_GE(angle, 0.0);
    EXPECT_LT(angle, 2 * pi);
    ads_point back;
    const double run = std::hypot(c.to[X] - c.from[X], c.to[Y] - c.from[Y]);
    acutPolar(c.from, angle, run, back);
    EXPECT_NEAR(back[X], c.to[X], 1e-12);
    EXPECT_NEAR(back[Y], c.to[Y], 1e-12);
    EXPECT_EQ(back[Z], c.from[Z]);
  }
  ads_point same = {1, 2, 3};
  acutPolar(same, pi, 2, same); // the result may be the point itself
  EXPECT_NEAR(same[X], -1, 1e-12);
  EXPECT_NEAR(same[Y], 2, 1e-12);
  const ads_point a = {0, 0, 0}, b = {2, 3, 6};
  EXPECT_EQ(acutDistance(a, b), 7);
}

TEST_F(NumbersGeometryTest, TextBoxesFollowTheOneCellRule) {
  struct Case {
    resbuf* list;
    int status;
    double x1, y1, x2, y2;
  };
  const Case cases[] = {
      {acutBuildList(1, "ABCD", 0), RTNORM, 0, 0, 4 * 0.8 * 0.2, 0.2},
      {acutBuildList(1, "Dog", 40, 3.0, 41, 0.5, 0), RTNORM, 0, -1, 3 * 0.8 * 3 * 0.5, 3},
      {acutBuildList(RTDXF0, "TEXT", 1, "AB", 40, 1.0, 0), RTNORM, 0, 0, 1.6, 1},
      {acutBuildList(RTDXF0, "ATTDEF", 1, "ignored", 2, "TAG", 40, 1.0, 0), RTNORM, 0, 0, 2.4, 1},
      {acutBuildList(1, "", 40, 1.0, 0), RTNORM, 0, 0, 0, 0},
      {acutBuildList(RTDXF0, "LINE", 1, "AB", 0), RTERROR, 9, 9, 9, 9},
      {acutBuildList(40, 1.0, 0), RTERROR, 9, 9, 9, 9},
  };
  for (const Case& c : cases) {
    ads_point p1 = {9, 9, 9}, p2 = {9, 9, 9};
    EXPECT_EQ(acedTextBox(c.list, p1, p2), c.status);
    acutRelRb(c.list);
    EXPECT_NEAR(p1[X], c.x1, 1e-12);
    EXPECT_NEAR(p1[Y], c.y1, 1e-12);
    EXPECT_NEAR(p2[X], c.x2, 1e-12);
    EXPECT_NEAR(p2[Y], c.y2, 1e-12);
  }
  ads_point p1, p2;
  EXPECT_EQ(acedTextBox(nullptr, p1, p2), RTERROR);
}

} // namespace

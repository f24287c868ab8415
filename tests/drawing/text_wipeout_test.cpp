// Wipeouts behind straight and rotated texts; the text kept when no wipeout is made.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "drawing/text_wipeout.h"
#include "drawing_fixture.h"
#include "platform/acad/acdbads.h"
#include "testing/drawing_entities.h"
#include "testing/failure_sweep.h"

namespace {

using TextWipeoutTest = qvtest::DrawingTest;

bool makeText(double angle, ads_point low, ads_point high, ads_name text) {
  const ads_point at = {10, 5, 0};
  resbuf* list = acutBuildList(RTDXF0, "TEXT", 10, at, 40, 2.0, 1, "Wg", 50, angle, RTNONE);
  return acedTextBox(list, low, high) == RTNORM && qvtest::makeEntity(list, text);
}

TEST_F(TextWipeoutTest, BoxBehindStraightAndRotatedTexts) {
  sim::setSysVarShort("OSMODE", 0);
  for (double degrees : {0.0, 30.0, 90.0, 200.0}) {
    const double angle = degrees * std::numbers::pi / 180;
    ads_point low, high;
    ads_name text, made;
    ASSERT_TRUE(makeText(angle, low, high, text));
    ASSERT_EQ(qv::wipeoutBehindText(text, 0.5), 1);
    EXPECT_EQ(qvtest::drawingTypes(), (std::vector<std::string>{"WIPEOUT"})) << degrees;
    ASSERT_EQ(acdbEntLast(made), RTNORM);
    const qvtest::Groups wipeout = qvtest::groupsOf(made);
    const double* origin = qvtest::findGroup(wipeout, 10)->point;
    const double side = qvtest::findGroup(wipeout, 11)->point[0];
    const std::vector<qvtest::Group> vertices = qvtest::allGroups(wipeout, 14);
    ASSERT_EQ(vertices.size(), 5u);
    // The box grown by half the margin (0.5 x 2 / 2) on every side, turned about the insertion.
    const double m = 0.5;
    const double local[4][2] = {{low[X] - m, low[Y] - m},
                                {low[X] - m, high[Y] + m},
                                {high[X] + m, high[Y] + m},
                                {high[X] + m, low[Y] - m}};
    for (int i = 0; i < 4; ++i) {
      const double x = 10 + local[i][0] * std::cos(angle) - local[i][1] * std::sin(angle);
      const double y = 5 + local[i][0] * std::sin(angle) + local[i][1] * std::cos(angle);
      EXPECT_NEAR(origin[0] + (vertices[i].point[0] + 0.5) * side, x, 1e-9) << degrees << i;
      EXPECT_NEAR(origin[1] + (0.5 - vertices[i].point[1]) * side, y, 1e-9) << degrees << i;
    }
    acdbEntDel(made);
  }
}

TEST_F(TextWipeoutTest, TheTextStaysWhenNoWipeoutIsMade) {
  ads_point low, high;
  ads_name text;
  ASSERT_TRUE(makeText(0, low, high, text));
  for (const char* call : {"acdbEntGet", "acedTextBox", "acedCommand", "acdbEntLast"}) {
    int answer = 0;
    qvtest::forEachFailure(call, [&](int) {
      answer = qv::wipeoutBehindText(text, 0.5);
      sim::clearFailures();
      std::vector<std::string> types = qvtest::drawingTypes();
      // 1: the text went and one wipeout came. 0: the text is still there.
      EXPECT_EQ(std::count(types.begin(), types.end(), "TEXT"), 1 - answer) << call;
      EXPECT_LE(types.size(), 2u - answer) << call;
      if (answer == 1) {
        acdbEntDel(text); // back for the next run
      }
      for (const auto& name : qvtest::drawingEntities()) {
        const ads_name entity = {name[0], name[1]};
        if (qvtest::findGroup(qvtest::groupsOf(entity), 0)->text == "WIPEOUT") {
          acdbEntDel(entity);
        }
      }
    });
    EXPECT_EQ(answer, 1) << call; // the run without a failure
  }
}

} // namespace

// Wipeouts behind straight and rotated texts; the text kept when no wipeout is made.
#include <algorithm>
#include <cmath>

#include "drawing/text_wipeout.h"
#include "drawing_fixture.h"
#include "platform/acad/acdbads.h"
#include "testing/drawing_entities.h"
#include "testing/failure_sweep.h"

namespace {

using TextWipeoutTest = qvtest::DrawingTest;

struct Xy {
  double x, y;
};

// The wipeout's boundary in drawing coordinates (the first vertex repeated at the end dropped).
std::vector<Xy> boundary(const qvtest::Groups& wipeout) {
  const double* origin = qvtest::findGroup(wipeout, 10)->point;
  const double side = qvtest::findGroup(wipeout, 11)->point[0];
  std::vector<Xy> points;
  for (const qvtest::Group& vertex : qvtest::allGroups(wipeout, 14)) {
    points.push_back({origin[0] + (vertex.point[0] + 0.5) * side,
                      origin[1] + (0.5 - vertex.point[1]) * side});
  }
  points.pop_back();
  return points;
}

TEST_F(TextWipeoutTest, BoxBehindStraightAndRotatedTexts) {
  sim::setSysVarShort("OSMODE", 0);
  for (double degrees : {0.0, 30.0, 90.0, 200.0}) {
    const double angle = degrees * M_PI / 180;
    const ads_point at = {10, 5, 0};
    resbuf* list = acutBuildList(RTDXF0, "TEXT", 10, at, 40, 2.0, 1, "Wg", 50, angle, RTNONE);
    ads_point low, high;
    ASSERT_EQ(acedTextBox(list, low, high), RTNORM);
    ads_name text;
    ASSERT_TRUE(qvtest::makeEntity(list, text));
    ASSERT_EQ(qv::wipeoutBehindText(text, 0.5), 1);
    EXPECT_EQ(qvtest::drawingTypes(), (std::vector<std::string>{"WIPEOUT"})) << degrees;
    ads_name made;
    ASSERT_EQ(acdbEntLast(made), RTNORM);
    const std::vector<Xy> corners = boundary(qvtest::groupsOf(made));
    ASSERT_EQ(corners.size(), 4u);
    // The box grown by half the margin (0.5 x 2 / 2) on every side, turned about the insertion.
    const double m = 0.5;
    const Xy local[4] = {{low[X] - m, low[Y] - m}, {low[X] - m, high[Y] + m},
                         {high[X] + m, high[Y] + m}, {high[X] + m, low[Y] - m}};
    for (int i = 0; i < 4; ++i) {
      const double x = 10 + local[i].x * std::cos(angle) - local[i].y * std::sin(angle);
      const double y = 5 + local[i].x * std::sin(angle) + local[i].y * std::cos(angle);
      EXPECT_NEAR(corners[i].x, x, 1e-9) << degrees << " corner " << i;
      EXPECT_NEAR(corners[i].y, y, 1e-9) << degrees << " corner " << i;
    }
    acdbEntDel(made);
  }
}

TEST_F(TextWipeoutTest, TheTextStaysWhenNoWipeoutIsMade) {
  const ads_point at = {10, 5, 0};
  ads_name text;
  ASSERT_TRUE(qvtest::makeEntity(
      acutBuildList(RTDXF0, "TEXT", 10, at, 40, 2.0, 1, "Wg", RTNONE), text));
  for (const char* call : {"acdbEntGet", "acedTextBox", "acedCommand", "acdbEntLast"}) {
    std::vector<int> answers;
    qvtest::forEachFailure(call, [&](int) {
      answers.push_back(qv::wipeoutBehindText(text, 0.5));
      sim::clearFailures();
      const std::vector<std::string> types = qvtest::drawingTypes();
      // Answered 1: the text went and a wipeout came. Answered 0: the text is still there.
      EXPECT_EQ(std::count(types.begin(), types.end(), "TEXT"), answers.back() == 1 ? 0 : 1)
          << call;
      if (answers.back() == 1) {
        EXPECT_EQ(types, (std::vector<std::string>{"WIPEOUT"})) << call;
        acdbEntDel(text); // back for the next run
      }
      for (const auto& name : qvtest::drawingEntities()) {
        const ads_name entity = {name[0], name[1]};
        if (qvtest::findGroup(qvtest::groupsOf(entity), 0)->text == "WIPEOUT") {
          acdbEntDel(entity);
        }
      }
    });
    EXPECT_EQ(answers.back(), 1) << call; // the run without a failure
  }
  ads_name none = {0, 0};
  EXPECT_EQ(qv::wipeoutBehindText(none, 0.5), 0);
}

} // namespace

// "_.POINT", "_.LINE", "_.DIM1" "_LEADER" and "_.WIPEOUT": the entities they make, running object
// snap, refusals; and AutoLISP's command on the same commands.

#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/sim.h"
#include "testing/drawing_entities.h"
#include "testing/host_test.h"

namespace {

using qvtest::drawingTypes;
using qvtest::findGroup;
using qvtest::Groups;

class DrawingCommandsTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    sim::setSysVarShort("OSMODE", 0);
  }
  static Groups last() {
    ads_name entity;
    EXPECT_EQ(acdbEntLast(entity), RTNORM);
    return qvtest::groupsOf(entity);
  }
  static std::vector<Groups> all() {
    std::vector<Groups> groups;
    for (const auto& name : qvtest::drawingEntities()) {
      const ads_name entity = {name[0], name[1]};
      groups.push_back(qvtest::groupsOf(entity));
    }
    return groups;
  }
  static void expectPoint(const Groups& groups, int code, double x, double y) {
    const qvtest::Group* group = findGroup(groups, code);
    ASSERT_NE(group, nullptr) << code;
    EXPECT_NEAR(group->point[0], x, 1e-9) << code;
    EXPECT_NEAR(group->point[1], y, 1e-9) << code;
  }
};

TEST_F(DrawingCommandsTest, PointsAndLines) {
  const ads_point a = {1, 2, 0}, b = {4, 6, 0}, c = {4, 2, 0};
  ASSERT_EQ(acedCommand(RTSTR, "_.POINT", RTPOINT, a, RTNONE), RTNORM);
  expectPoint(last(), 10, 1, 2);
  sim::setSysVarString("CLAYER", "walls");
  ASSERT_EQ(acedCommand(RTSTR, "_.LINE", RTPOINT, a, RTPOINT, b, RTSTR, "4,2", RTSTR, "", 0),
            RTNORM);
  EXPECT_EQ(drawingTypes(), (std::vector<std::string>{"POINT", "LINE", "LINE"}));
  expectPoint(last(), 10, 4, 6);
  expectPoint(last(), 11, 4, 2);
  EXPECT_EQ(findGroup(last(), 8)->text, "walls");
  ASSERT_EQ(acedCommand(RTSTR, "line", RTPOINT, a, RTPOINT, b, RTPOINT, c, RTSTR, "_c", 0), RTNORM);
  EXPECT_EQ(drawingTypes().size(), 6u);
  expectPoint(last(), 10, 4, 2); // Close: back to the first point
  expectPoint(last(), 11, 1, 2);
  // A single point draws nothing; Close needs two segments.
  ASSERT_EQ(acedCommand(RTSTR, "_.LINE", RTPOINT, a, RTSTR, "", RTNONE), RTNORM);
  EXPECT_EQ(acedCommand(RTSTR, "_.LINE", RTPOINT, a, RTPOINT, b, RTSTR, "C", RTNONE), RTERROR);
  EXPECT_EQ(acedCommand(RTSTR, "_.POINT", RTSTR, "here", RTNONE), RTERROR);
  EXPECT_EQ(acedCommand(RTSTR, "_.POINT", RTREAL, 1.0, RTNONE), RTERROR);
  EXPECT_EQ(drawingTypes().size(), 7u);
}

TEST_F(DrawingCommandsTest, RunningObjectSnapMovesPointsWithinTheAperture) {
  ads_name line;
  ASSERT_TRUE(qvtest::makeLine(0, 0, 4, 0, line));
  // The aperture: 10 pixels of a view 9 high on 600 pixels, 0.15 drawing units.
  struct Case {
    int16_t osmode;
    ads_point given;
    double x, y;
  } cases[] = {
      {1, {4.1, 0.1, 0}, 4, 0},                               // end point
      {1, {4.2, 0.1, 0}, 4.2, 0.1},                           // beyond the aperture
      {2, {2.1, -0.1, 0}, 2, 0},                              // midpoint
      {4133, {0.05, 0.05, 0}, 0, 0},                          // the host's default has end points
      {16385, {4.1, 0.1, 0}, 4.1, 0.1},                       // suppressed
      {0, {4.1, 0.1, 0}, 4.1, 0.1},     {8, {1, 1, 0}, 1, 1}, // no node nearTip
      {8, {1.1, 1.1, 0}, 1, 1}, // the node of the point made just before
  };
  for (const Case& c : cases) {
    sim::setSysVarShort("OSMODE", c.osmode);
    ASSERT_EQ(acedCommand(RTSTR, "_.POINT", RTPOINT, c.given, RTNONE), RTNORM);
    expectPoint(last(), 10, c.x, c.y);
  }
}

TEST_F(DrawingCommandsTest, LeaderDrawsArrowheadLinesAndText) {
  sim::setSysVarReal("DIMASZ", 0.25);
  sim::setSysVarReal("DIMSCALE", 2);
  const ads_point tip = {0, 0, 0}, bend = {3, 4, 0}, end = {8, 4, 0};
  ASSERT_EQ(acedCommand(RTSTR, "_.DIM1", RTSTR, "_LEADER", RTPOINT, tip, RTPOINT, bend, RTPOINT,
                        end, RTSTR, "", RTSTR, "Note", RTNONE),
            RTNORM);
  EXPECT_EQ(drawingTypes(), (std::vector<std::string>{"SOLID", "LINE", "LINE", "TEXT"}));
  const std::vector<Groups> made = all();
  // The arrowhead: 0.5 long toward (3, 4), a third of that wide, its point at the tip.
  expectPoint(made[0], 10, 0, 0);
  const double bx = 0.3, by = 0.4, half = 0.5 / 6;
  expectPoint(made[0], 11, bx - 0.8 * half, by + 0.6 * half);
  expectPoint(made[0], 12, bx + 0.8 * half, by - 0.6 * half);
  expectPoint(made[1], 10, 0, 0);
  expectPoint(made[1], 11, 3, 4);
  expectPoint(made[2], 11, 8, 4);
  EXPECT_EQ(findGroup(made[3], 1)->text, "Note");
  EXPECT_NEAR(findGroup(made[3], 40)->point[0], 0.36, 1e-12); // DIMTXT x DIMSCALE

  // Two empty answers: no text. A first segment shorter than two arrows: no arrowhead.
  const ads_point nearTip = {0.9, 0, 0};
  ASSERT_EQ(acedCommand(RTSTR, "_.DIM1", RTSTR, "_LEA", RTPOINT, tip, RTPOINT, nearTip, RTSTR, "",
                        RTSTR, "", RTNONE),
            RTNORM);
  EXPECT_EQ(drawingTypes().size(), 5u);
  EXPECT_EQ(findGroup(last(), 0)->text, "LINE");
  EXPECT_EQ(acedCommand(RTSTR, "_.DIM1", RTSTR, "_RADIUS", RTNONE), RTERROR);
  EXPECT_EQ(acedCommand(RTSTR, "_.DIM1", RTSTR, "_LEADER", RTPOINT, tip, RTSTR, "", 0), RTERROR);
  EXPECT_EQ(drawingTypes().size(), 5u);
}

// (The boundary's vertices are checked behind texts, in the drawing helpers' tests.)
TEST_F(DrawingCommandsTest, WipeoutNeedsThreePointsAndItsOwnOptions) {
  const ads_point p[3] = {{2, 1, 0}, {2, 3, 0}, {6, 3, 0}};
  EXPECT_EQ(acedCommand(RTSTR, "_.WIPEOUT", RTPOINT, p[0], RTPOINT, p[1], RTSTR, "", 0), RTERROR);
  EXPECT_EQ(acedCommand(RTSTR, "_.WIPEOUT", RTSTR, "_F", RTNONE), RTERROR);
  EXPECT_EQ(acedCommand(RTSTR, "_.WIPEOUT", RTPOINT, p[0], RTPOINT, p[1], RTPOINT, p[2], RTSTR, "",
                        RTNONE),
            RTNORM);
  EXPECT_EQ(drawingTypes(), (std::vector<std::string>{"WIPEOUT"}));
  EXPECT_EQ(qvtest::allGroups(last(), 14).size(), 4u); // the first vertex repeated at the end
}

TEST_F(DrawingCommandsTest, LispCommandRunsTheSameCommands) {
  std::string error;
  EXPECT_EQ(sim::evalLisp("(command \"_.LINE\" '(0 0) '(3 4) \"\")", &error), "nil");
  EXPECT_EQ(error, "");
  EXPECT_EQ(drawingTypes(), (std::vector<std::string>{"LINE"}));
  expectPoint(last(), 11, 3, 4);
  sim::evalLisp("(command \"_.ZOOM\" \"_C\" \"\" 4.5)", &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(sim::sysVarNumbers("VIEWSIZE").at(0), 4.5);
  sim::evalLisp("(command \"_.LINE\" '(0 0) '(1 (2)) \"\")", &error);
  EXPECT_EQ(error, "; error: bad argument type: (1 (2))");
  sim::evalLisp("(command \"_.NOSUCH\")", &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(drawingTypes().size(), 1u);
}

} // namespace

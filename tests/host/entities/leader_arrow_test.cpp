// The leader arrow: exactly an arrowhead at the tip and one line, both in the set, with the
// dimension scale and object snap given back on every path.
#include <algorithm>
#include <cmath>

#include "host/entities/leader_arrow.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/drawing_entities.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class LeaderArrowTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_TRUE(qvtest::makeLine(-5, -5, -1, -1, userLine_)); // the user's own, to be kept
  }
  static double number(const char* name) { return sim::sysVarNumbers(name).at(0); }
  ads_name userLine_;
};

TEST_F(LeaderArrowTest, LeavesAnArrowheadAndOneLineInTheSet) {
  struct Case {
    double scale;
    const char* metric; // the value of is_metric, null: unset
    double arrow;       // the arrowhead's length
  } cases[] = {{1, nullptr, 0.18}, {7, "1", 0.18 * 7 / 100}, {7, "0", 0.18 * 7}, {250, "1", 0.45}};
  for (const Case& c : cases) {
    sim::setSysVarReal("DIMSCALE", c.scale);
    sim::setSysVarShort("OSMODE", 4133);
    if (c.metric != nullptr) {
      sim::evalLisp(std::string("(setq is_metric ") + c.metric + ")");
    }
    ads_name set;
    ASSERT_EQ(acedSSAdd(nullptr, nullptr, set), RTNORM);
    const ads_point start = {10, 20, 0}, tip = {13, 24, 0};
    qv::drawLeaderArrow(start, tip, set);
    EXPECT_EQ(number("DIMSCALE"), c.scale); // exactly: 7, not 7.000000000000001
    EXPECT_EQ(number("OSMODE"), 4133);
    const auto entities = qvtest::drawingEntities();
    ASSERT_EQ(entities.size(), 3u) << c.scale;
    EXPECT_EQ(qvtest::drawingTypes(), (std::vector<std::string>{"LINE", "SOLID", "LINE"}));
    int32_t length = 0;
    ASSERT_EQ(acedSSLength(set, &length), RTNORM);
    EXPECT_EQ(length, 2);
    const ads_name solid = {entities[1][0], entities[1][1]};
    const qvtest::Groups arrow = qvtest::groupsOf(solid);
    EXPECT_NEAR(qvtest::findGroup(arrow, 10)->point[0], 13, 1e-9); // its point at the tip
    EXPECT_NEAR(qvtest::findGroup(arrow, 10)->point[1], 24, 1e-9);
    const double* base = qvtest::findGroup(arrow, 11)->point;
    const double* other = qvtest::findGroup(arrow, 12)->point;
    const double middle[2] = {(base[0] + other[0]) / 2, (base[1] + other[1]) / 2};
    EXPECT_NEAR(std::hypot(middle[0] - 13, middle[1] - 24), c.arrow, 1e-9) << c.scale;
    const ads_name line = {entities[2][0], entities[2][1]};
    const qvtest::Groups drawn = qvtest::groupsOf(line);
    EXPECT_EQ(qvtest::findGroup(drawn, 10)->point[0], 10);
    EXPECT_EQ(qvtest::findGroup(drawn, 11)->point[1], 24);
    // Both are in the set; then gone for the next case, all but the user's line.
    for (size_t i = 1; i < 3; ++i) {
      const ads_name entity = {entities[i][0], entities[i][1]};
      EXPECT_EQ(acedSSMemb(entity, set), RTNORM) << i;
      acdbEntDel(entity);
    }
    acedSSFree(set);
  }
}

// Whatever host call fails, the user's line stays, and DIMSCALE and OSMODE are as they were
// unless writing them back is what failed. A failed deletion or reading leaves what the walk
// back could not take (the leader's own line, the marker) but never more.
TEST_F(LeaderArrowTest, FailuresKeepTheUsersEntitiesAndTheSettings) {
  sim::evalLisp("(setq is_metric 1)");
  std::vector<std::string> runs;
  for (const char* call : {"acedCommand", "acdbEntDel", "acdbEntLast", "acdbEntGet", "acedSetVar",
                           "acedGetVar", "acedSSAdd", "acutNewRb"}) {
    qvtest::forEachFailure(call, [&](int nth) {
      sim::setSysVarReal("DIMSCALE", 7);
      sim::setSysVarShort("OSMODE", 37);
      const ads_point start = {10, 20, 0}, tip = {13, 24, 0};
      ads_name set = {0, 0};
      const bool haveSet = acedSSAdd(nullptr, nullptr, set) == RTNORM;
      qv::drawLeaderArrow(start, tip, haveSet ? set : nullptr);
      sim::clearFailures();
      const bool refused = std::string(call) == "acedSetVar";
      EXPECT_EQ(number("OSMODE"), refused && nth == 3 ? 0 : 37) << call;
      EXPECT_EQ(number("DIMSCALE"), refused && nth == 4 ? 0.07 : 7) << call;
      const auto entities = qvtest::drawingEntities();
      ASSERT_FALSE(entities.empty()) << call;
      EXPECT_EQ(entities[0], (std::vector<int64_t>{userLine_[0], userLine_[1]})) << call;
      std::vector<std::string> types = qvtest::drawingTypes();
      types.erase(types.begin());
      std::string drawn;
      for (const std::string& type : types) {
        drawn += type + " ";
      }
      EXPECT_LE(std::count(types.begin(), types.end(), "SOLID"), 1);
      EXPECT_LE(std::count(types.begin(), types.end(), "LINE"), 2);
      EXPECT_LE(std::count(types.begin(), types.end(), "POINT"), 1);
      EXPECT_LE(types.size(), 4u);
      for (size_t i = 1; i < entities.size(); ++i) {
        const ads_name entity = {entities[i][0], entities[i][1]};
        acdbEntDel(entity);
      }
      runs.push_back(drawn);
      if (haveSet) {
        acedSSFree(set);
      }
    });
    EXPECT_EQ(runs.back(), "SOLID LINE ") << call; // the run without a failure
  }
}

} // namespace

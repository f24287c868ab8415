// Selection near a point with the pick box's size, selection with a zoom-out when the area leaves
// the view, and the view redrawn as it was.
#include <tuple>

#include "host/entities/view_selection.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/drawing_entities.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class ViewSelectionTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    sim::setSysVarShort("OSMODE", 0);
    // The view: centre (6, 4.5), 9 high, 15 wide on the 1000 by 600 window.
    ASSERT_TRUE(qvtest::makeLine(6, 3, 6, 6, near_));    // 0.1 left of (6.1, 4.5)
    ASSERT_TRUE(qvtest::makeLine(6.4, 3, 6.4, 6, far_)); // 0.3 right of it
    ASSERT_TRUE(qvtest::makeLine(30, 30, 31, 31, outside_));
  }
  // The set's members as indexes of near_, far_, outside_ ("" for none), and the set freed.
  std::string members(int status, ads_name set) {
    if (status != RTNORM) {
      return "none";
    }
    std::string found;
    const int64_t* names[3] = {near_, far_, outside_};
    for (int i = 0; i < 3; ++i) {
      if (acedSSMemb(names[i], set) == RTNORM) {
        found += static_cast<char>('0' + i);
      }
    }
    acedSSFree(set);
    return found;
  }
  static std::vector<double> view() {
    std::vector<double> now = sim::sysVarNumbers("VIEWCTR");
    now.push_back(sim::sysVarNumbers("VIEWSIZE").at(0));
    return now;
  }
  ads_name near_, far_, outside_;
};

TEST_F(ViewSelectionTest, NearPointUsesThePickBoxOfTheView) {
  // The pick box is sized by the document window's client area: the stand-in host's windows are
  // no windows of Windows.
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the host's document window is the stand-in's");
  const ads_point pick = {6.1, 4.5, 0};
  const std::tuple<int, double, const char*> cases[] = {
      {600, 9, "0"},   // 10 pixels: 0.15 units
      {200, 9, "01"},  // 0.45 units
      {600, 45, "01"}, // zoomed out: 0.75 units
      {0, 9, "012"},   // a window without height counts as one pixel: 90 units
  };
  for (const auto& [windowHeight, viewHeight, selected] : cases) {
    sim::setDocumentWindowSize(1000, windowHeight);
    sim::setSysVarReal("VIEWSIZE", viewHeight);
    ads_name set;
    EXPECT_EQ(members(qv::selectNearPoint(nullptr, pick, set), set), selected)
        << windowHeight << " " << viewHeight;
  }
  // A filter goes to the host with the pick box.
  resbuf* filter = acutBuildList(8, "nosuchlayer", RTNONE);
  ads_name set;
  EXPECT_EQ(members(qv::selectNearPoint(filter, pick, set), set), "none");
  acutRelRb(filter);
}

TEST_F(ViewSelectionTest, NearPointSelectsNothingWhenAHostCallFails) {
  // The pick box is sized by the document window's client area: the stand-in host's windows are
  // no windows of Windows.
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the host's document window is the stand-in's");
  const ads_point pick = {6.1, 4.5, 0};
  for (const char* call : {"acedGetVar", "GetClientRect", "acutBuildList", "acedSSGet"}) {
    std::string found;
    qvtest::forEachFailure(call, [&](int) {
      ads_name set;
      found += members(qv::selectNearPoint(nullptr, pick, set), set) + " ";
    });
    EXPECT_EQ(found.substr(found.size() - 2), "0 ") << call; // only the run without a failure
    EXPECT_EQ(found.find('0'), found.size() - 2) << call;
  }
}

// Windows zoom out when a corner leaves the view (4.5 around the centre); polygons and fences
// when the box of 1.25 times their points' extent does.
TEST_F(ViewSelectionTest, ZoomsOutOnlyWhenTheAreaLeavesTheView) {
  const struct {
    const char* mode;
    std::vector<std::vector<double>> points;
    int zooms; // ZOOM commands run
    const char* selected;
  } cases[] = {
      {"W", {{5.9, 2.9}, {6.1, 6.1}}, 0, "0"},
      {"w", {{5.9, -1}, {6.5, 9.5}}, 2, "01"},
      {"c", {{5.9, 2.9}, {6.1, 6.1}}, 0, "0"},
      {"C", {{5.9, -1}, {6.5, 9.5}}, 2, "01"},
      {"WP", {{5.9, 2.9}, {6.1, 2.9}, {6.1, 6.1}, {5.9, 6.1}}, 0, "0"},
      {"cp", {{5.9, 0.5}, {6.5, 0.5}, {6.5, 7}, {5.9, 7}}, 2, "01"}, // 1.25 x 6.5 > 4.5 x 2
      {"F", {{5, 4}, {7, 4}}, 0, "01"},
  };
  const std::vector<double> before = view();
  for (const auto& c : cases) {
    resbuf* list = nullptr;
    for (auto p = c.points.rbegin(); p != c.points.rend(); ++p) {
      const ads_point point = {(*p)[0], (*p)[1], 0};
      resbuf* item = acutBuildList(RTPOINT, point, RTNONE);
      item->rbnext = list;
      list = item;
    }
    const int commands = sim::callCount("acedCommand");
    ads_name set;
    // W and C take two corners, the rest a point list.
    const ads_point a = {c.points[0][0], c.points[0][1], 0},
                    b = {c.points[1][0], c.points[1][1], 0};
    const bool window = c.mode[1] == '\0' && c.mode[0] != 'F';
    const int status = window ? qv::selectWithZoom(c.mode, a, b, nullptr, set)
                              : qv::selectWithZoom(c.mode, list, nullptr, nullptr, set);
    EXPECT_EQ(members(status, set), c.selected) << c.mode;
    EXPECT_EQ(sim::callCount("acedCommand") - commands, c.zooms) << c.mode;
    EXPECT_EQ(view(), before) << c.mode;
    acutRelRb(list);
  }
}

TEST_F(ViewSelectionTest, MissingCornersAndOtherModes) {
  const ads_point a = {0, 0, 0};
  resbuf* noPoints = acutBuildList(RTSTR, "x", RTNONE);
  ads_name set;
  EXPECT_EQ(qv::selectWithZoom("W", a, nullptr, nullptr, set), RTERROR);
  EXPECT_EQ(qv::selectWithZoom("C", nullptr, a, nullptr, set), RTERROR);
  EXPECT_EQ(qv::selectWithZoom("WP", nullptr, nullptr, nullptr, set), RTERROR);
  EXPECT_EQ(qv::selectWithZoom("F", noPoints, nullptr, nullptr, set), RTERROR);
  acutRelRb(noPoints);
  EXPECT_EQ(members(qv::selectWithZoom("X", nullptr, nullptr, nullptr, set), set), "012");
}

// A zoom-out that did not happen is not followed by a zoom back: an earlier view stays where
// ZOOM Previous finds it.
TEST_F(ViewSelectionTest, NoZoomBackAfterAFailedZoom) {
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTSTR, "", RTREAL, 8.0, RTNONE), RTNORM);
  const std::vector<double> before = view();
  const ads_point outA = {5.9, -1, 0}, outB = {6.5, 9.5, 0};
  sim::failCall("acedCommand");
  ads_name set;
  EXPECT_EQ(members(qv::selectWithZoom("W", outA, outB, nullptr, set), set), "01");
  EXPECT_EQ(view(), before);
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE), RTNORM);
  EXPECT_EQ(view().back(), 9); // the earlier view is still there
}

TEST_F(ViewSelectionTest, RefreshLeavesTheViewAsItWas) {
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTSTR, "3,4", RTREAL, 8.0, RTNONE), RTNORM);
  const std::vector<double> before = view();
  qv::refreshView();
  EXPECT_EQ(view(), before);
  for (const char* call : {"acedCommand", "acedGetVar"}) {
    qvtest::forEachFailure(call, [&](int) {
      qv::refreshView();
      const std::vector<double> now = view();
      EXPECT_EQ(now[0], before[0]) << call; // the centre stays on every path
      EXPECT_EQ(now[1], before[1]) << call;
      EXPECT_NEAR(now[3], before[3], 1e-4) << call;
    });
  }
  sim::takeCommandLine();
}

} // namespace

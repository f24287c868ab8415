// "_.ZOOM" Window, Previous and Center; the document window's client area.

#include "platform/acad/acedads.h"
#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"

namespace {

using ViewCommandsTest = qvtest::HostTest;

struct ViewNow {
  double x, y, height;
};

ViewNow view() {
  const std::vector<double> center = sim::sysVarNumbers("VIEWCTR");
  const std::vector<double> size = sim::sysVarNumbers("VIEWSIZE");
  return {center.at(0), center.at(1), size.at(0)};
}

void expectView(double x, double y, double height) {
  const ViewNow now = view();
  EXPECT_NEAR(now.x, x, 1e-9);
  EXPECT_NEAR(now.y, y, 1e-9);
  EXPECT_NEAR(now.height, height, 1e-9);
}

TEST_F(ViewCommandsTest, WindowFitsTheClientAreaAndPreviousGoesBack) {
  sim::setSysVarShort("OSMODE", 0);
  const ads_point a = {0, 0, 0}, b = {20, 4, 0}, c = {1, 1, 0}, d = {3, 7, 0};
  // 1000 by 600 pixels: a window 20 wide needs a view 12 high; one 6 high stays 6.
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_W", RTPOINT, a, RTPOINT, b, RTNONE), RTNORM);
  expectView(10, 2, 12);
  ASSERT_EQ(acedCommand(RTSTR, "zoom", RTSTR, "window", RT3DPOINT, d, RT3DPOINT, c, 0), RTNORM);
  expectView(2, 4, 6);
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTPOINT, a, RTSTR, "4,3", RTNONE), RTNORM); // a corner
  expectView(2, 1.5, 3);
  sim::setDocumentWindowSize(300, 600); // a narrow window: the width decides
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_W", RTPOINT, a, RTPOINT, b, RTNONE), RTNORM);
  expectView(10, 2, 40);
  for (ViewNow back :
       {ViewNow{2, 1.5, 3}, ViewNow{2, 4, 6}, ViewNow{10, 2, 12}, ViewNow{6, 4.5, 9}}) {
    ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE), RTNORM);
    expectView(back.x, back.y, back.height);
  }
  sim::takeCommandLine();
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE), RTNORM);
  EXPECT_EQ(sim::takeCommandLine(), "\nNo previous view saved.\n");
  expectView(6, 4.5, 9);
}

TEST_F(ViewCommandsTest, OnlyTenEarlierViewsAreKept) {
  for (int i = 1; i <= 12; ++i) {
    ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTSTR, "", RTREAL, double(i), RTNONE),
              RTNORM);
  }
  for (int i = 11; i >= 2; --i) {
    ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE), RTNORM);
    EXPECT_EQ(view().height, i);
  }
  sim::takeCommandLine();
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE), RTNORM);
  EXPECT_EQ(view().height, 2);
  EXPECT_EQ(sim::takeCommandLine(), "\nNo previous view saved.\n");
}

TEST_F(ViewCommandsTest, CenterKeepsOrMovesTheCentre) {
  const ads_point p = {100, 50, 0};
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTSTR, "", RTREAL, 2.5, RTNONE), RTNORM);
  expectView(6, 4.5, 2.5); // Enter keeps the centre
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "c", RT3DPOINT, p, RTSTR, "", RTNONE), RTNORM);
  expectView(100, 50, 2.5); // Enter keeps the height
  ASSERT_EQ(acedCommand(RTSTR, "ZOOM", RTSTR, "_C", RTSTR, "7,8", RTSTR, "2x", RTNONE), RTNORM);
  expectView(7, 8, 1.25); // a magnification
  ASSERT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTSTR, "", RTSTR, "10", RTNONE), RTNORM);
  expectView(7, 8, 10);
}

TEST_F(ViewCommandsTest, BadAnswersAreRefusedAndChangeNothing) {
  const ads_point a = {1, 1, 0};
  sim::takeCommandLine();
  struct Case {
    int status;
    const char* line;
  };
  const Case expected[] = {
      {acedCommand(RTSTR, "_.ZOOM", RTSTR, "_Q", RTNONE), "\nInvalid option keyword.\n"},
      {acedCommand(RTSTR, "_.ZOOM", RTSTR, "_W", RTPOINT, a, RTPOINT, a, RTNONE),
       "\nInvalid window corners.\n"},
      {acedCommand(RTSTR, "_.ZOOM", RTSTR, "_W", RTSTR, "one", RTNONE),
       "\nInvalid window corners.\n"},
      {acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTSTR, "", RTREAL, -2.0, RTNONE),
       "\nValue must be positive and nonzero.\n"},
      {acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTSTR, "", RTSTR, "big", RTNONE),
       "\nRequires a distance, numberX, or option keyword.\n"},
      {acedCommand(RTSTR, "_.ZOOM", RTREAL, 2.0, RTNONE), "\nPoint or option keyword required.\n"},
  };
  std::string lines;
  for (const Case& c : expected) {
    EXPECT_EQ(c.status, RTERROR);
    lines += c.line;
  }
  EXPECT_EQ(sim::takeCommandLine(), lines);
  expectView(6, 4.5, 9);
  // Answers that end before the command does leave the view as it was.
  EXPECT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_W", RTPOINT, a, RTNONE), RTNORM);
  EXPECT_EQ(acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTNONE), RTNORM);
  expectView(6, 4.5, 9);
}

TEST_F(ViewCommandsTest, DocumentWindowClientArea) {
  RECT area{9, 9, 9, 9};
  EXPECT_FALSE(GetClientRect(reinterpret_cast<HWND>(0x4242), &area));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the stand-in host's windows are no windows of Windows");
  ASSERT_TRUE(GetClientRect(adsw_acadDocWnd(), &area));
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, 1000);
  EXPECT_EQ(area.bottom, 600);
  sim::setDocumentWindowSize(640, 0);
  ASSERT_TRUE(GetClientRect(adsw_acadDocWnd(), &area));
  EXPECT_EQ(area.right, 640);
  EXPECT_EQ(area.bottom, 0);
  EXPECT_TRUE(GetClientRect(adsw_acadMainWnd(), &area));
  EXPECT_FALSE(GetClientRect(adsw_acadDocWnd(), nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  sim::failCall("GetClientRect");
  EXPECT_FALSE(GetClientRect(adsw_acadDocWnd(), &area));
}

} // namespace

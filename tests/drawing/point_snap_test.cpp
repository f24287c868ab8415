// Object snap switched off around point input and back on, in pairs and doubled.
#include <utility>

#include "drawing/point_snap.h"
#include "drawing_fixture.h"
#include "testing/failure_sweep.h"

namespace {

using PointSnapTest = qvtest::DrawingTest;

TEST_F(PointSnapTest, PairsAndDoubledSuspends) {
  const std::pair<int16_t, int> cases[] = {{4133, 1}, {4133, 2}, {37, 3}, {0, 1}, {0, 2}};
  for (const auto& [osmode, suspends] : cases) {
    sim::setSysVarShort("OSMODE", osmode);
    snapCalls_.clear();
    qv::suspendPointSnap();
    sim::setSysVarShort("OSMODE", 99); // a later suspend must not save this
    for (int i = 1; i < suspends; ++i) {
      qv::suspendPointSnap();
    }
    // A later suspend clears the mode again; an osmode of 0 is neither cleared nor restored.
    EXPECT_EQ(number("OSMODE"), osmode > 0 && suspends > 1 ? 0 : 99) << osmode;
    qv::restorePointSnap();
    EXPECT_EQ(number("OSMODE"), osmode > 0 ? osmode : 99) << osmode;
    std::vector<int> expected(static_cast<size_t>(suspends), 0);
    expected.push_back(1);
    EXPECT_EQ(snapCalls_, expected) << osmode;
  }
  // Once restored, a new pair reads the mode anew.
  sim::setSysVarShort("OSMODE", 7);
  qv::suspendPointSnap();
  EXPECT_EQ(number("OSMODE"), 0);
  qv::restorePointSnap();
  EXPECT_EQ(number("OSMODE"), 7);
}

TEST_F(PointSnapTest, FailedHostCallsLeaveTheModeAlone) {
  for (const char* call : {"acedGetVar", "acedSetVar", "acedInvoke", "acutBuildList"}) {
    qvtest::forEachFailure(call, [&](int nth) {
      sim::setSysVarShort("OSMODE", 4133);
      qv::suspendPointSnap();
      const double during = number("OSMODE");
      EXPECT_TRUE(during == 0 || during == 4133) << call;
      qv::restorePointSnap();
      // Only a refused write-back leaves the mode off.
      const bool refused = std::string(call) == "acedSetVar" && nth == 2;
      EXPECT_EQ(number("OSMODE"), refused ? 0 : 4133) << call;
    });
  }
}

} // namespace

// The stand-in's handle table: closing, waiting on closed or unknown handles, pseudo-handles.
#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"

namespace {

class HandlesTest : public qvtest::HostTest {};

TEST_F(HandlesTest, ClosingTwiceOrAnUnknownHandleFails) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(sim::liveHandles(), 1);
  EXPECT_TRUE(CloseHandle(event));
  EXPECT_EQ(sim::liveHandles(), 0);
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x1234)));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(HandlesTest, PseudoHandlesCloseWithoutEffectAndTimeOutWhenWaitedFor) {
  EXPECT_TRUE(CloseHandle(GetCurrentProcess()));
  EXPECT_TRUE(CloseHandle(GetCurrentThread()));
  // A thread or process is signalled when it ends, which it cannot do while it waits.
  EXPECT_EQ(WaitForSingleObject(GetCurrentThread(), 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(GetCurrentProcess(), 1), WAIT_TIMEOUT);
}

TEST_F(HandlesTest, AResetForgetsTheHandlesOfTheOldSession) {
  QV_SKIP_WHERE_WINDOWS_ANSWERS("a reset renews the stand-in's session, not Windows' handles");
  HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  sim::reset();
  EXPECT_EQ(sim::liveHandles(), 0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
}

} // namespace

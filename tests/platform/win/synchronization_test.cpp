// Critical sections and events of the stand-in: the spin-count initialisation, auto-reset and
// manual-reset events, named events and the failures of event calls. (Recursion, TryEnter from
// other threads and a set waking a blocked wait are checked through the lock classes in
// tests/support/sync_test.cpp.)
#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class SynchronizationTest : public qvtest::HostTest {};

TEST_F(SynchronizationTest, SpinCountInitializationCanFail) {
  QV_SKIP_UNLESS_FAILABLE("InitializeCriticalSectionAndSpinCount");
  CRITICAL_SECTION section;
  sim::failCall("InitializeCriticalSectionAndSpinCount");
  EXPECT_FALSE(InitializeCriticalSectionAndSpinCount(&section, 4000));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  ASSERT_TRUE(InitializeCriticalSectionAndSpinCount(&section, 4000));
  EXPECT_EQ(section.SpinCount, 4000u);
  DeleteCriticalSection(&section);
  InitializeCriticalSection(&section); // the plain form: the same lock without a spin count
  EXPECT_EQ(section.SpinCount, 0u);
  DeleteCriticalSection(&section);
  EXPECT_FALSE(InitializeCriticalSectionAndSpinCount(nullptr, 0));
}

TEST_F(SynchronizationTest, AutoResetEventReleasesOneWaitPerSet) {
  HANDLE event = CreateEventA(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0); // initially signalled
  EXPECT_EQ(WaitForSingleObject(event, 10), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(event));
  EXPECT_TRUE(SetEvent(event)); // a second set before any wait adds nothing
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST_F(SynchronizationTest, ManualResetEventStaysSetUntilReset) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  SetEvent(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST_F(SynchronizationTest, NamedEventsAreSharedWhileAHandleIsOpen) {
  HANDLE first = CreateEventA(nullptr, TRUE, FALSE, "Quorvane.Ready");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE second = CreateEventA(nullptr, TRUE, FALSE, "Quorvane.Ready");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_NE(first, second);
  SetEvent(first);
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
  CloseHandle(first);
  CloseHandle(second);
  HANDLE fresh = CreateEventA(nullptr, TRUE, FALSE, "Quorvane.Ready");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT);
  CloseHandle(fresh);
}

TEST_F(SynchronizationTest, EventCallsFailAsTheSystemDoes) {
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  EXPECT_FALSE(ResetEvent(token)); // a token is not an event
  EXPECT_EQ(WaitForSingleObject(token, 0), WAIT_FAILED);
  CloseHandle(token);
  QV_SKIP_UNLESS_FAILABLE("CreateEventA");
  sim::failCall("CreateEventA");
  EXPECT_EQ(CreateEventA(nullptr, FALSE, FALSE, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

} // namespace

// Threads of the stand-in's _beginthreadex: suspend counts, identifiers, exit codes, priorities
// and the refusals of bad arguments.
#include <atomic>
#include <cerrno>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class ThreadsTest : public qvtest::HostTest {};

struct Seen {
  std::atomic<DWORD> id{0};
  std::atomic<int> priority{THREAD_PRIORITY_ERROR_RETURN};
};

unsigned __stdcall recordSelf(void* argument) {
  auto* seen = static_cast<Seen*>(argument);
  seen->id = GetCurrentThreadId();
  seen->priority = GetThreadPriority(GetCurrentThread());
  return 5;
}

TEST_F(ThreadsTest, SuspendedThreadCountsDownToRunning) {
  Seen seen;
  unsigned id = 0;
  auto handle = reinterpret_cast<HANDLE>(
      _beginthreadex(nullptr, 0, recordSelf, &seen, CREATE_SUSPENDED, &id));
  ASSERT_NE(handle, nullptr);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(handle, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_TRUE(SetThreadPriority(handle, THREAD_PRIORITY_HIGHEST));
  EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_TIMEOUT);
  EXPECT_EQ(ResumeThread(handle), 1u);
  EXPECT_EQ(WaitForSingleObject(handle, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(ResumeThread(handle), 0u);
  ASSERT_TRUE(GetExitCodeThread(handle, &code));
  EXPECT_EQ(code, 5u);
  EXPECT_EQ(seen.id, id);
  EXPECT_NE(seen.id, GetCurrentThreadId());
  EXPECT_EQ(seen.priority, THREAD_PRIORITY_HIGHEST);
  EXPECT_TRUE(CloseHandle(handle));
  EXPECT_EQ(ResumeThread(handle), static_cast<DWORD>(-1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ThreadsTest, ThreadStartedAtOnceRunsWithoutResume) {
  Seen seen;
  auto handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, recordSelf, &seen, 0, nullptr));
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(WaitForSingleObject(handle, INFINITE), WAIT_OBJECT_0);
  EXPECT_NE(seen.id, 0u);
  EXPECT_EQ(seen.priority, THREAD_PRIORITY_NORMAL);
  CloseHandle(handle);
}

TEST_F(ThreadsTest, BadArgumentsAndRefusalsGiveNoThread) {
  errno = 0;
  EXPECT_EQ(_beginthreadex(nullptr, 0, nullptr, nullptr, 0, nullptr), 0u);
  EXPECT_EQ(errno, EINVAL);
  Seen seen;
  QV_SKIP_UNLESS_FAILABLE("_beginthreadex");
  sim::failCall("_beginthreadex");
  EXPECT_EQ(_beginthreadex(nullptr, 0, recordSelf, &seen, 0, nullptr), 0u);
  EXPECT_EQ(errno, EAGAIN);
  EXPECT_EQ(sim::liveHandles(), 0);
}

TEST_F(ThreadsTest, CurrentThreadKeepsItsOwnIdentityAndPriority) {
  EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
  EXPECT_NE(GetCurrentThreadId(), 0u);
  EXPECT_EQ(ResumeThread(GetCurrentThread()), 0u);
  EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE));
  EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_IDLE);
  EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), 3));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
  EXPECT_EQ(GetThreadPriority(reinterpret_cast<HANDLE>(0x99)), THREAD_PRIORITY_ERROR_RETURN);
}

} // namespace

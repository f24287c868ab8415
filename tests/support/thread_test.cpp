// The thread object: suspended creation, resume's answer, the default routine, stop requests,
// priorities, and a second start refused.
#include "support/thread.h"

#include <atomic>
#include <type_traits>

#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class ThreadTest : public qvtest::HostTest {};

static_assert(!std::is_copy_constructible_v<qv::Thread>);
static_assert(!std::is_copy_assignable_v<qv::Thread>);

class Body : public qv::Thread {
public:
  void run() override { ++runs; }
  std::atomic<int> runs{0};
};

class StoppableBody : public qv::Thread {
public:
  void run() override {
    while (!stopRequested()) {
      ++rounds;
    }
    sawStop = true;
  }
  std::atomic<long> rounds{0};
  std::atomic<bool> sawStop{false};
};

TEST_F(ThreadTest, SuspendedThreadRunsOnlyAfterResumeAndWritesDone) {
  Body body;
  ASSERT_TRUE(body.start(nullptr, 0, static_cast<qv::Thread*>(&body)));
  EXPECT_EQ(body.wait(0), WAIT_TIMEOUT);
  EXPECT_EQ(body.runs, 0);
  EXPECT_TRUE(body.resume());
  EXPECT_FALSE(body.resume()); // already running (or ended): its count was 0
  EXPECT_EQ(body.wait(INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(body.runs, 1);
  EXPECT_EQ(sim::debugOutput(), "done");
  DWORD exitCode = STILL_ACTIVE;
  ASSERT_TRUE(GetExitCodeThread(body.handle(), &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

TEST_F(ThreadTest, DefaultRoutineWithoutAThreadOnlyWritesDone) {
  Body body;
  ASSERT_TRUE(body.start(nullptr, 0, nullptr));
  ASSERT_TRUE(body.resume());
  EXPECT_EQ(body.wait(INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(body.runs, 0);
  EXPECT_EQ(sim::takeDebugOutput(), "done");
}

unsigned doubleIt(void* argument) {
  auto* value = static_cast<int*>(argument);
  *value *= 2;
  return 7;
}

TEST_F(ThreadTest, GivenRoutineGetsTheArgumentAndItsExitCodeIsKept) {
  Body body;
  int value = 21;
  ASSERT_TRUE(body.start(doubleIt, 64 * 1024, &value));
  ASSERT_TRUE(body.resume());
  ASSERT_EQ(body.wait(INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(value, 42);
  DWORD exitCode = 0;
  ASSERT_TRUE(GetExitCodeThread(body.handle(), &exitCode));
  EXPECT_EQ(exitCode, 7u);
  EXPECT_EQ(sim::debugOutput(), ""); // only the default routine writes "done"
}

TEST_F(ThreadTest, BodySeesTheStopRequest) {
  StoppableBody body;
  EXPECT_FALSE(body.stopRequested());
  ASSERT_TRUE(body.start(nullptr, 0, static_cast<qv::Thread*>(&body)));
  ASSERT_TRUE(body.resume());
  while (body.rounds == 0) {
    // let the body start polling, so the request reaches a running loop
  }
  body.requestStop();
  EXPECT_EQ(body.wait(INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(body.sawStop);
}

TEST_F(ThreadTest, SecondStartIsRefusedAndTheFirstThreadKept) {
  Body body;
  ASSERT_TRUE(body.start(nullptr, 0, static_cast<qv::Thread*>(&body)));
  HANDLE first = body.handle();
  EXPECT_FALSE(body.start(nullptr, 0, static_cast<qv::Thread*>(&body)));
  EXPECT_EQ(body.handle(), first);
  EXPECT_EQ(sim::liveHandles(), 1);
  EXPECT_EQ(sim::callCount("_beginthreadex"), 1);
  ASSERT_TRUE(body.resume());
  EXPECT_EQ(body.wait(INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(body.runs, 1);
}

TEST_F(ThreadTest, FailedStartLeavesNoThread) {
  Body body;
  sim::failCall("_beginthreadex");
  EXPECT_FALSE(body.start(nullptr, 0, static_cast<qv::Thread*>(&body)));
  EXPECT_EQ(body.handle(), nullptr);
  EXPECT_FALSE(body.resume());
  EXPECT_EQ(body.wait(0), WAIT_FAILED);
  EXPECT_FALSE(body.setPriority(THREAD_PRIORITY_NORMAL));
  EXPECT_EQ(sim::liveHandles(), 0);
}

TEST_F(ThreadTest, PriorityTakesOnlyTheSystemLevels) {
  Body body;
  ASSERT_TRUE(body.start(nullptr, 0, static_cast<qv::Thread*>(&body)));
  EXPECT_TRUE(body.setPriority(THREAD_PRIORITY_BELOW_NORMAL));
  EXPECT_EQ(GetThreadPriority(body.handle()), THREAD_PRIORITY_BELOW_NORMAL);
  EXPECT_FALSE(body.setPriority(5));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetThreadPriority(body.handle()), THREAD_PRIORITY_BELOW_NORMAL);
  ASSERT_TRUE(body.resume());
  EXPECT_EQ(body.wait(INFINITE), WAIT_OBJECT_0);
}

TEST_F(ThreadTest, DestructorClosesTheHandle) {
  {
    Body body;
    ASSERT_TRUE(body.start(nullptr, 0, static_cast<qv::Thread*>(&body)));
    ASSERT_TRUE(body.resume());
    ASSERT_EQ(body.wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(sim::liveHandles(), 1);
  }
  EXPECT_EQ(sim::liveHandles(), 0);
}

} // namespace

// The thread object: suspended creation, resume's answer, the default routine, stop requests,
// its priority, and a second start refused.
#include "support/thread.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class ThreadTest : public qvtest::ThreadedTest {};

static_assert(!std::is_copy_constructible_v<qv::Thread>);
static_assert(!std::is_copy_assignable_v<qv::Thread>);

class Body : public qv::Thread {
public:
  void run() override {
    ++runs;
    while (untilStop && !stopRequested()) {
      polling = true;
    }
  }
  // Starts the default routine on this body, suspended.
  bool startSelf() { return start(nullptr, 0, static_cast<qv::Thread*>(this)); }
  // Resumes and waits for the end.
  bool finish() { return resume() && wait(INFINITE) == WAIT_OBJECT_0; }
  std::atomic<int> runs{0};
  bool untilStop = false;
  std::atomic<bool> polling{false};
};

DWORD exitCodeOf(const qv::Thread& thread) {
  DWORD exitCode = STILL_ACTIVE;
  EXPECT_TRUE(GetExitCodeThread(thread.handle(), &exitCode));
  return exitCode;
}

TEST_F(ThreadTest, SuspendedThreadRunsOnlyAfterResumeAndWritesDone) {
  {
    Body body;
    ASSERT_TRUE(body.startSelf());
    EXPECT_EQ(body.wait(0), WAIT_TIMEOUT);
    EXPECT_EQ(body.runs, 0);
    EXPECT_TRUE(body.resume());
    EXPECT_FALSE(body.resume()); // already running (or ended): its count was 0
    EXPECT_EQ(body.wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(body.runs, 1);
    EXPECT_EQ(sim::takeDebugOutput(), "done");
    EXPECT_EQ(exitCodeOf(body), 0u);
    EXPECT_EQ(sim::liveHandles(), 1);
  }
  EXPECT_EQ(sim::liveHandles(), 0); // the destructor closed the handle

  Body unbound; // the default routine without a thread only writes "done"
  ASSERT_TRUE(unbound.start(nullptr, 0, nullptr));
  ASSERT_TRUE(unbound.finish());
  EXPECT_EQ(unbound.runs, 0);
  EXPECT_EQ(sim::takeDebugOutput(), "done");
}

unsigned __stdcall doubleIt(void* argument) {
  *static_cast<int*>(argument) *= 2;
  return 7;
}

TEST_F(ThreadTest, GivenRoutineGetsTheArgumentAndTheBodySeesTheStopRequest) {
  Body body;
  int value = 21;
  ASSERT_TRUE(body.start(doubleIt, 64 * 1024, &value));
  ASSERT_TRUE(body.finish());
  EXPECT_EQ(value, 42);
  EXPECT_EQ(exitCodeOf(body), 7u);
  EXPECT_EQ(sim::debugOutput(), ""); // only the default routine writes "done"
  Body polling;
  polling.untilStop = true;
  EXPECT_FALSE(polling.stopRequested());
  ASSERT_TRUE(polling.startSelf());
  ASSERT_TRUE(polling.resume());
  while (!polling.polling) {
    // let the body start polling, so the request reaches a running loop
  }
  polling.requestStop();
  EXPECT_EQ(polling.wait(INFINITE), WAIT_OBJECT_0); // a body that missed it would never end
}

TEST_F(ThreadTest, SecondStartIsRefusedAndPriorityReachesTheThread) {
  Body body;
  ASSERT_TRUE(body.startSelf());
  HANDLE first = body.handle();
  EXPECT_FALSE(body.startSelf());
  EXPECT_EQ(body.handle(), first);
  EXPECT_EQ(sim::liveHandles(), 1); // no second thread
  EXPECT_TRUE(body.setPriority(THREAD_PRIORITY_BELOW_NORMAL));
  EXPECT_EQ(GetThreadPriority(body.handle()), THREAD_PRIORITY_BELOW_NORMAL);
  ASSERT_TRUE(body.finish());
  EXPECT_EQ(body.runs, 1);
}

TEST_F(ThreadTest, AFailedStartLeavesNoThread) {
  QV_SKIP_UNLESS_FAILABLE("_beginthreadex");
  Body failed;
  sim::failCall("_beginthreadex");
  EXPECT_FALSE(failed.startSelf());
  EXPECT_EQ(failed.handle(), nullptr);
  EXPECT_FALSE(failed.resume());
  EXPECT_EQ(failed.wait(0), WAIT_FAILED);
  EXPECT_FALSE(failed.setPriority(THREAD_PRIORITY_NORMAL));
}

// Bodies that use the host's services from their own threads: the command line, the host
// allocator and the debugger output.
class PrintingBody : public Body {
public:
  explicit PrintingBody(int number) : number_(number) {}
  void run() override {
    for (int i = 0; i < 200; ++i) {
      char* text = acad_strdup("x");
      acutPrintf("%d.%d\n", number_, i);
      acad_free(text);
    }
  }

private:
  int number_;
};

TEST_F(ThreadTest, BodiesMayPrintAndAllocateAtTheSameTime) {
  std::vector<std::unique_ptr<PrintingBody>> bodies;
  for (int n = 0; n < 4; ++n) {
    bodies.push_back(std::make_unique<PrintingBody>(n));
    ASSERT_TRUE(bodies.back()->startSelf());
  }
  for (auto& body : bodies) {
    ASSERT_TRUE(body->resume());
  }
  for (auto& body : bodies) {
    ASSERT_EQ(body->wait(INFINITE), WAIT_OBJECT_0);
  }
  // Appended rather than "\n" + a temporary, which GCC 12 at -O3 takes for an overlapping copy.
  std::string printed = "\n";
  printed += sim::takeCommandLine();
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 4 * 200 + 1);
  for (int n = 0; n < 4; ++n) { // whole lines: none was broken by another thread's print
    const std::string last = std::to_string(n) + ".199\n";
    EXPECT_NE(printed.find("\n" + last), std::string::npos) << n;
  }
  EXPECT_EQ(sim::takeDebugOutput(), "donedonedonedone");
}

} // namespace

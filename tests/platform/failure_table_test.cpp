// The table of calls that can fail: planning by name, unknown names refused, counts per thread and
// plans that were never reached.
#include <thread>

#include <gtest/gtest-spi.h>

#include "platform/internal/session.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

using sim::detail::FailableCall;
using sim::detail::shouldFail;

class FailureTableTest : public qvtest::HostTest {};

TEST_F(FailureTableTest, EveryCallInTheTableCanBePlannedByItsName) {
  for (size_t index = 0; index < sim::detail::kFailableCalls; ++index) {
    const auto call = static_cast<FailableCall>(index);
    const std::string name = sim::detail::callName(call);
    SCOPED_TRACE(name);
    if (!sim::canFail(name)) { // a Windows call on Windows itself
      EXPECT_NONFATAL_FAILURE(sim::failCall(name), "cannot be made to fail");
      continue;
    }
    sim::failCall(name, 2);
    EXPECT_FALSE(shouldFail(call));
    EXPECT_TRUE(shouldFail(call));
    EXPECT_FALSE(shouldFail(call));
    EXPECT_EQ(sim::callCount(name), 3);
  }
  EXPECT_EQ(sim::callCount("AcRxDictionary::at"), 3);
}

TEST_F(FailureTableTest, AnUnknownNameFailsTheTestNamingIt) {
  EXPECT_NONFATAL_FAILURE(sim::failCall("fopne"), "\"fopne\" is not a stand-in call that can fail");
  EXPECT_NONFATAL_FAILURE(EXPECT_EQ(sim::callCount("acad_maloc"), 0), "\"acad_maloc\"");
  EXPECT_TRUE(sim::unreachedFailures().empty()); // nothing was planned
}

TEST_F(FailureTableTest, PlansCountFromNowAndRunOutAfterTheirCount) {
  struct Case {
    int nth;
    int count;
    const char* expected; // one letter per call: F fails, . passes
  };
  const Case cases[] = {
      {1, 1, "F....."}, {3, 1, "..F..."}, {2, 3, ".FFF.."}, {4, -1, "...FFF"}, {0, 1, "......"},
  };
  for (const Case& test : cases) {
    shouldFail(FailableCall::acedAlert); // calls before the plan do not count towards nth
    sim::failCall("acedAlert", test.nth, test.count);
    std::string seen;
    for (int call = 0; call < 6; ++call) {
      seen += shouldFail(FailableCall::acedAlert) ? 'F' : '.';
    }
    EXPECT_EQ(seen, test.expected) << "nth " << test.nth << ", count " << test.count;
    sim::clearFailures();
  }
}

TEST_F(FailureTableTest, APlanNotYetReachedIsListedUntilItFails) {
  sim::failCall("acutNewRb", 2);
  sim::failCall("acad_malloc", 1, -1);
  EXPECT_EQ(sim::unreachedFailures(), (std::vector<std::string>{"acad_malloc", "acutNewRb"}));
  EXPECT_TRUE(shouldFail(FailableCall::acad_malloc));
  EXPECT_FALSE(shouldFail(FailableCall::acutNewRb));
  EXPECT_EQ(sim::unreachedFailures(), std::vector<std::string>{"acutNewRb"});
  EXPECT_TRUE(shouldFail(FailableCall::acutNewRb));
  EXPECT_TRUE(sim::unreachedFailures().empty());
  sim::clearFailures();
}

TEST_F(FailureTableTest, CallsOfEveryThreadAreCountedAndResetForgetsThem) {
  std::thread workers[4];
  for (std::thread& worker : workers) {
    worker = std::thread([] {
      for (int call = 0; call < 1000; ++call) {
        shouldFail(FailableCall::acad_realloc);
      }
    });
  }
  for (std::thread& worker : workers) {
    worker.join();
  }
  shouldFail(FailableCall::acad_realloc);
  EXPECT_EQ(sim::callCount("acad_realloc"), 4001);
  sim::reset();
  EXPECT_EQ(sim::callCount("acad_realloc"), 0);
  std::thread later(
      [] { shouldFail(FailableCall::acad_realloc); }); // takes over an ended thread's set
  later.join();
  EXPECT_EQ(sim::callCount("acad_realloc"), 1);
}

} // namespace

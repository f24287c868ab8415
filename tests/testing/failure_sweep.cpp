// The failure sweep over the stand-in's planned failures.
#include "testing/failure_sweep.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "platform/sim.h"
#include "testing/host_test.h"

namespace qvtest {

int forEachFailure(const char* call, const std::function<void(int nth)>& body) {
  if (!sim::canFail(call)) {
    [call] {
      GTEST_SKIP() << call << " is answered by Windows itself here and cannot be made to fail";
    }();
    return 0;
  }
  int points = 0;
  for (int nth = 1;; ++nth) {
    const int before = sim::callCount(call);
    sim::failCall(call, nth);
    body(nth);
    const int made = sim::callCount(call) - before;
    sim::clearFailures();
    SCOPED_TRACE(::testing::Message() << call << " failing at call " << nth);
    expectCleanHost();
    if (made < nth) {
      break;
    }
    points = nth;
    if (::testing::Test::HasFatalFailure()) {
      break;
    }
  }
  std::printf("[ sweep    ] %s: %d failure points\n", call, points);
  return points;
}

} // namespace qvtest

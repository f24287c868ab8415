// Failure sweeps, as SQLite's test harness does them: the 1st, 2nd, ... call of one kind is made to
// fail in turn until the operation no longer reaches that call.
#pragma once

#include <functional>

#include <gtest/gtest.h>

#include "platform/sim.h"

// Skips the running test where the named call cannot be made to fail (a Windows call on Windows
// itself, sim::canFail): for a test that plans such a failure with sim::failCall.
#define QV_SKIP_UNLESS_FAILABLE(call)                                                              \
  if (!sim::canFail(call))                                                                         \
  GTEST_SKIP() << (call) << " is answered by Windows itself here and cannot be made to fail"

namespace qvtest {

// Runs body once per failure point of call: in run n the nth call of that name made by body fails
// (n = 1, 2, ...). The sweep ends with the first run that makes fewer than n such calls, which is
// the run where nothing failed. After every run the planned failures are cleared (so the last
// run's plan, never reached, does not fail the test) and the host is checked clean
// (expectCleanHost). call must be a name from the table of calls that can fail. Prints the number
// of failure points reached and returns it. body gets n, so that it can tell the run where
// nothing failed (the last one) from the others. Where call cannot be made to fail (sim::canFail)
// body never runs, the test is marked skipped and 0 is returned: a test whose checks go on after
// the sweep starts with QV_SKIP_UNLESS_FAILABLE instead.
int forEachFailure(const char* call, const std::function<void(int nth)>& body);

} // namespace qvtest

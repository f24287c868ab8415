// Failure sweeps, as SQLite's test harness does them: the 1st, 2nd, ... call of one kind is made to
// fail in turn until the operation no longer reaches that call.
#pragma once

#include <functional>

namespace qvtest {

// Runs body once per failure point of call: in run n the nth call of that name made by body fails
// (n = 1, 2, ...). The sweep ends with the first run that makes fewer than n such calls, which is
// the run where nothing failed. After every run the planned failures are cleared (so the last
// run's plan, never reached, does not fail the test) and the host is checked clean
// (expectCleanHost). call must be a name from the table of calls that can fail. Prints the number
// of failure points reached and returns it. body gets n, so that it can tell the run where nothing
// failed (the last one) from the others.
int forEachFailure(const char* call, const std::function<void(int nth)>& body);

} // namespace qvtest

// A writer killed in the middle of its work: the test for files that must survive a crash.
#pragma once

#include <functional>

// Killing a writer needs fork, which Windows lacks: a test that does starts with this.
#ifdef _WIN32
#define QV_SKIP_WITHOUT_FORK() GTEST_SKIP() << "a killed writer needs fork, which Windows lacks"
#else
#define QV_SKIP_WITHOUT_FORK() static_cast<void>(0)
#endif

namespace qvtest {

// Runs write in a child process, over and over, and kills the child (SIGKILL) after a delay that
// changes from round to round (0 to about 2 ms, so that every phase of a write is hit), for the
// given number of rounds. After each kill, check runs in this process; it should assert that the
// file is whole (the old or the new content). The child shares nothing with this process after
// the fork: it never returns into the test and leaves without running exit handlers. Returns the
// number of rounds in which the child had not finished a single write when it was killed, so a
// caller can tell that the kills did land in the middle of writes.
int killDuringWrites(const std::function<void()>& write, const std::function<void()>& check,
                     int rounds);

} // namespace qvtest

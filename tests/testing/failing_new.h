// The test binaries' operator new: it counts live allocations and can be made to fail, so that
// tests sweep the library's allocation failures as they sweep the stand-in's calls.
#pragma once

#include <cstdint>
#include <functional>

namespace qvtest {

// Allocations made with operator new (any form) and not yet deleted, in the whole process, apart
// from those the stand-in makes inside its calls (sim::inStandInCall).
int64_t liveAllocations();

// Allocations made with operator new so far, in the whole process.
int64_t allocationsMade();

// Runs body once per allocation it makes: in run n, the nth operator new called on this thread
// by body throws std::bad_alloc (a nothrow new answers null). The sweep ends with the first run
// that makes fewer than n allocations, the run where nothing failed. After every run the host is
// checked clean and the live allocations must be back to what they were before the run (a
// body that keeps allocations must release them itself). Prints and returns the number of failure
// points reached.
int forEachAllocationFailure(const std::function<void(int nth)>& body);

// While one lives, the thread's allocations are neither counted for a sweep nor made to fail:
// for a sweep body's own checking code.
class UnfailingAllocations {
public:
  UnfailingAllocations();
  ~UnfailingAllocations();
  UnfailingAllocations(const UnfailingAllocations&) = delete;
  UnfailingAllocations& operator=(const UnfailingAllocations&) = delete;

private:
  int64_t failAt_;
};

} // namespace qvtest

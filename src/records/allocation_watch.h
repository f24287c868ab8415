// Allocation failures inside the record model. Operations of the interfaces answer nothing (a
// field that could not be added is simply missing), so a failure is also noted for the thread;
// an operation that makes many allocations, such as a read or a copy, watches for one and answers
// its own failure result.
#pragma once

#include <cstdint>

namespace qv {

// Notes that an allocation of the record model failed on this thread.
void noteAllocationFailure();

// Watches this thread's allocations from its construction on.
class QvAllocationWatch {
public:
  QvAllocationWatch();
  // Whether an allocation failed since the watch began.
  bool failed() const;

private:
  uint64_t start_;
};

} // namespace qv

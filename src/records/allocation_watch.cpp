// The per-thread count of failed allocations of the record model.
#include "records/allocation_watch.h"

namespace qv {

namespace {

thread_local uint64_t failedAllocations = 0;

} // namespace

void noteAllocationFailure() {
  ++failedAllocations;
}

QvAllocationWatch::QvAllocationWatch() : start_(failedAllocations) {}

bool QvAllocationWatch::failed() const {
  return failedAllocations != start_;
}

} // namespace qv

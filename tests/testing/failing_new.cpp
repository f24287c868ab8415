// Replaces the global operator new and delete of every test binary with counting forms over
// malloc and free.
#include "testing/failing_new.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

std::atomic<int64_t> live{0};
std::atomic<int64_t> made{0};
// Per thread: allocations counted since a sweep run began, and the one to fail (0: none).
thread_local int64_t counted = 0;
thread_local int64_t failAt = 0;

// The stand-in's own allocations are the system's and are left alone.
void* allocate(std::size_t size) {
  if (failAt != 0 && !sim::inStandInCall() && ++counted == failAt) {
    return nullptr;
  }
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr) {
    live.fetch_add(1, std::memory_order_relaxed);
    made.fetch_add(1, std::memory_order_relaxed);
  }
  return block;
}

void release(void* block) {
  if (block != nullptr) {
    live.fetch_sub(1, std::memory_order_relaxed);
    std::free(block);
  }
}

} // namespace

void* operator new(std::size_t size) {
  void* block = allocate(size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  return block;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void operator delete(void* block) noexcept {
  release(block);
}
void operator delete[](void* block) noexcept {
  release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  release(block);
}

namespace qvtest {

UnfailingAllocations::UnfailingAllocations() : failAt_(failAt) {
  failAt = 0;
}

UnfailingAllocations::~UnfailingAllocations() {
  failAt = failAt_;
}

int64_t allocationsMade() {
  return made.load(std::memory_order_relaxed);
}

int64_t liveAllocations() {
  return live.load(std::memory_order_relaxed);
}

int forEachAllocationFailure(const std::function<void(int nth)>& body) {
  int points = 0;
  for (int nth = 1;; ++nth) {
    const int64_t before = liveAllocations();
    counted = 0;
    failAt = nth;
    body(nth);
    const int64_t reached = counted;
    failAt = 0;
    counted = 0;
    const int64_t after = liveAllocations();
    SCOPED_TRACE(::testing::Message() << "operator new failing at allocation " << nth);
    EXPECT_EQ(after, before);
    expectCleanHost();
    if (reached < nth) {
      break;
    }
    points = nth;
    if (::testing::Test::HasFatalFailure() || ::testing::Test::HasNonfatalFailure()) {
      break;
    }
  }
  std::printf("[ sweep    ] operator new: %d failure points\n", points);
  return points;
}

} // namespace qvtest

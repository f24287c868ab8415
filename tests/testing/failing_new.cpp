// Replaces the global operator new and delete of every test binary with counting forms over
// malloc and free.
#include "testing/failing_new.h"

#include <atomic>
#include <cstddef>
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

// Each block carries a header that says whether it counts as live: the stand-in's own
// allocations are the system's, so they are neither failed nor counted (its session state stays
// from one run to the next). The header keeps the block aligned as malloc's are.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* allocate(std::size_t size) {
  const bool library = !sim::inStandInCall();
  if (failAt != 0 && library && ++counted == failAt) {
    return nullptr;
  }
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) {
    return nullptr;
  }
  block[0] = library ? 1 : 0;
  if (library) {
    live.fetch_add(1, std::memory_order_relaxed);
    made.fetch_add(1, std::memory_order_relaxed);
  }
  return block + kHeader;
}

void release(void* pointer) {
  if (pointer == nullptr) {
    return;
  }
  unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
  if (block[0] != 0) {
    live.fetch_sub(1, std::memory_order_relaxed);
  }
  std::free(block);
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

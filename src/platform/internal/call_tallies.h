// Per-thread counts of the stand-in: calls made (by id of the failure table) and host blocks and
// result buffers made and released. Each thread writes only its own counters, with relaxed loads
// and stores: no lock, no locked instruction, no allocation on the path. Readers add up every
// thread's counters; sim::reset() zeroes them (it never runs while stand-in calls are made).
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/internal/failable_calls.h"

namespace sim::detail {

enum class Tally : uint8_t { BlocksMade, BlocksReleased, ResbufsMade, ResbufsReleased, Count };

struct ThreadTallies {
  std::atomic<int64_t> calls[kFailableCalls] = {};
  std::atomic<int64_t> tallies[static_cast<size_t>(Tally::Count)] = {};
  std::atomic<bool> inUse{true}; // false once its thread ended: a new thread takes it over
  ThreadTallies* next = nullptr;
};

// This thread's counters; null until its first counted call.
inline constinit thread_local ThreadTallies* threadTallies = nullptr;

// Gives this thread its counters (a released set or a new one) and returns them.
ThreadTallies& registerThreadTallies();

inline ThreadTallies& myTallies() {
  ThreadTallies* mine = threadTallies;
  return mine != nullptr ? *mine : registerThreadTallies();
}

// Only the owning thread writes a counter, so a plain relaxed load and store add up exactly.
inline void bump(std::atomic<int64_t>& counter) {
  counter.store(counter.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

inline void tally(Tally which) {
  bump(myTallies().tallies[static_cast<size_t>(which)]);
}

// The sum over every thread since the reset.
int64_t tallyTotal(Tally which);
int64_t callTotal(FailableCall call);

} // namespace sim::detail

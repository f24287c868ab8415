// Per-session state of the stand-ins. Each stand-in module keeps its state in a struct of its own
// reached through session<State>(): the struct is made on first use and made anew after every
// sim::reset(), so no module needs to be listed anywhere to take part in a reset.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

namespace sim::detail {

// Counts the resets; a state made under an older generation is stale.
uint64_t generation();

template <class State> State& session() {
  static std::mutex guard;
  static std::unique_ptr<State> state;
  static uint64_t madeIn = 0;
  std::lock_guard<std::mutex> lock(guard);
  const uint64_t current = generation();
  if (!state || madeIn != current) {
    state.reset(); // the old state goes before the new one is made
    state = std::make_unique<State>();
    madeIn = current;
  }
  return *state;
}

// Appends text to the command line as it is printed (used by the host's output calls).
void printToCommandLine(const char* text);

// Marks this thread as inside a stand-in call while it lives. What the stand-in allocates for its
// own work is the system's memory, not the library's: tests that make the library's allocations
// fail leave it alone (sim::inStandInCall).
class StandInCall {
public:
  StandInCall();
  ~StandInCall();
  StandInCall(const StandInCall&) = delete;
  StandInCall& operator=(const StandInCall&) = delete;
};

// True when a test asked this call to fail now (see sim::failCall); counts the call either way.
bool shouldFail(const char* call);

} // namespace sim::detail

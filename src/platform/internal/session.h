// Per-session state of the stand-ins. Each stand-in module keeps its state in a struct of its own
// reached through session<State>(): the struct is made on first use and made anew after every
// sim::reset(), so no module needs to be listed anywhere to take part in a reset.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/internal/call_tallies.h"
#include "platform/internal/failable_calls.h"
#include "platform/sim_answers.h"

namespace sim::detail {

#ifdef _WIN32
// On Windows the process's handle count at the last reset, against which open handles are told.
inline std::atomic<uint32_t> handlesAtReset{0};
// The process's open kernel handles, every kind together (platform/win/real/process_handles.cpp).
uint32_t processHandleCount();
// Starts listening for the debugger output (once per process) and forgets what was captured.
void resetDebugOutput();
#endif

// Counts the resets; a state made under an older generation is stale.
inline std::atomic<uint64_t> sessionGeneration{1};

inline uint64_t generation() {
  return sessionGeneration.load(std::memory_order_acquire);
}

// The state is read without a lock once made: sim::reset() never runs while the stand-ins are in
// use, so only the first use after a reset, which makes the state, takes the lock.
template <class State> State& session() {
  static std::atomic<State*> current{nullptr};
  static std::atomic<uint64_t> madeIn{0};
  if (madeIn.load(std::memory_order_acquire) == generation()) {
    return *current.load(std::memory_order_relaxed);
  }
  static std::mutex guard;
  static std::unique_ptr<State> owner;
  std::lock_guard<std::mutex> lock(guard);
  const uint64_t now = generation();
  if (madeIn.load(std::memory_order_relaxed) != now) {
    owner.reset(); // the old state goes before the new one is made
    owner = std::make_unique<State>();
    current.store(owner.get(), std::memory_order_relaxed);
    madeIn.store(now, std::memory_order_release);
  }
  return *current.load(std::memory_order_relaxed);
}

// Appends text to the command line as it is printed (used by the host's output calls).
void printToCommandLine(const char* text);

// Marks this thread as inside a stand-in call while it lives. What the stand-in allocates for its
// own work is the system's memory, not the library's: tests that make the library's allocations
// fail leave it alone (sim::inStandInCall).
inline constinit thread_local int standInDepth = 0;
class StandInCall {
public:
  StandInCall() { ++standInDepth; }
  ~StandInCall() { --standInDepth; }
  StandInCall(const StandInCall&) = delete;
  StandInCall& operator=(const StandInCall&) = delete;
};

// Reports a misuse of the stand-in by a test to the handler installed with sim::setMisuseHandler.
void reportMisuse(const std::string& message);

// ---- Failures on purpose
// True while any failure is planned: the one check made on the path where nothing is.
inline std::atomic<bool> anyFailurePlanned{false};
// The planned-failure bookkeeping, under a lock; only reached while a failure is planned.
bool plannedFailure(FailableCall call);

// Counts the call and answers true when a test asked it to fail now (see sim::failCall).
inline bool shouldFail(FailableCall call) {
  bump(myTallies().calls[static_cast<size_t>(call)]);
  return anyFailurePlanned.load(std::memory_order_relaxed) && plannedFailure(call);
}

// ---- The user's answers
// The person's answer to a waiting call. Records the question (see sim::asked), then takes the
// front answer: an empty queue, an Answer::cancel() or an answer of another kind than
// question.kind (a misuse, reported) all give Answer::cancel(). A call plugs in with one line:
//   const sim::Answer reply =
//       takeAnswer({"MessageBoxA", sim::Answer::Kind::Button, text, "", "", style});
sim::Answer takeAnswer(const sim::Asked& question);
// As takeAnswer, for a call that takes either of two kinds (a dialog: a tile's value or a press).
// A call that asks one question in several steps (a dialog) records it at its first step only.
sim::Answer takeAnswer(const sim::Asked& question, sim::Answer::Kind alsoAccepted,
                       bool recordQuestion = true);
// For a call that only looks whether the person acted (the ESC check): takes the front answer when
// it is of kind and answers true; otherwise takes nothing and answers false.
bool takeAnswerIf(sim::Answer::Kind kind, sim::Answer& taken);

} // namespace sim::detail

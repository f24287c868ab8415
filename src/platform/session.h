// Per-session state of the stand-ins. Each stand-in module keeps its state in a struct of its own
// reached through session<State>(): the struct is made on first use and made anew after every
// sim::reset(), so no module needs to be listed anywhere to take part in a reset.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/sim_answers.h"

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

// Reports a misuse of the stand-in by a test to the handler installed with sim::setMisuseHandler.
void reportMisuse(const std::string& message);

// The person's answer to a waiting call. Records the question (see sim::asked), then takes the
// front answer: an empty queue, an Answer::cancel() or an answer of another kind than
// question.kind (a misuse, reported) all give Answer::cancel(). A call plugs in with one line:
//   const sim::Answer reply = takeAnswer({"MessageBoxA", sim::Answer::Kind::Button, text, "", "",
//   type});
sim::Answer takeAnswer(const sim::Asked& question);
// For a call that only looks whether the person acted (the ESC check): takes the front answer when
// it is of kind and answers true; otherwise takes nothing and answers false.
bool takeAnswerIf(sim::Answer::Kind kind, sim::Answer& taken);

// True when a test asked this call to fail now (see sim::failCall); counts the call either way.
bool shouldFail(const char* call);

} // namespace sim::detail

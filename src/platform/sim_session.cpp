// The session generation, planned failures and call counts of the stand-ins.
#include "platform/session.h"
#include "platform/sim.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

std::atomic<uint64_t> currentGeneration{1};

void printAndAbort(const std::string& message) {
  std::fprintf(stderr, "stand-in misused: %s\n", message.c_str());
  std::abort();
}

std::atomic<sim::MisuseHandler> misuseHandler{printAndAbort};

struct FailurePlan {
  int callsUntilFirst = 0; // calls still to pass before the first failure
  int failuresLeft = 0;    // -1: every call from then on
};

struct CallLedger {
  std::mutex guard;
  std::map<std::string, int> counts;
  std::map<std::string, FailurePlan> plans;
};

} // namespace

namespace sim::detail {

uint64_t generation() {
  return currentGeneration.load();
}

void reportMisuse(const std::string& message) {
  misuseHandler.load()(message);
}

bool shouldFail(const char* call) {
  CallLedger& ledger = session<CallLedger>();
  std::lock_guard<std::mutex> lock(ledger.guard);
  ++ledger.counts[call];
  auto found = ledger.plans.find(call);
  if (found == ledger.plans.end()) {
    return false;
  }
  FailurePlan& plan = found->second;
  if (plan.callsUntilFirst > 0) {
    --plan.callsUntilFirst;
    return false;
  }
  if (plan.failuresLeft > 0) {
    --plan.failuresLeft;
  }
  if (plan.failuresLeft == 0) {
    ledger.plans.erase(found);
  }
  return true;
}

} // namespace sim::detail

namespace sim {

MisuseHandler setMisuseHandler(MisuseHandler handler) {
  return misuseHandler.exchange(handler != nullptr ? handler : printAndAbort);
}

void reset() {
  ++currentGeneration;
}

void failCall(const std::string& call, int nth, int count) {
  if (nth < 1 || count == 0) {
    return;
  }
  CallLedger& ledger = detail::session<CallLedger>();
  std::lock_guard<std::mutex> lock(ledger.guard);
  ledger.plans[call] = FailurePlan{nth - 1, count < 0 ? -1 : count};
}

void clearFailures() {
  CallLedger& ledger = detail::session<CallLedger>();
  std::lock_guard<std::mutex> lock(ledger.guard);
  ledger.plans.clear();
}

int callCount(const std::string& call) {
  CallLedger& ledger = detail::session<CallLedger>();
  std::lock_guard<std::mutex> lock(ledger.guard);
  auto found = ledger.counts.find(call);
  return found == ledger.counts.end() ? 0 : found->second;
}

} // namespace sim

// The session generation, the misuse handler, planned failures and the per-thread counts.
#include "platform/internal/session.h"
#include "platform/sim.h"

#include <cstdio>
#include <cstdlib>

namespace sim::detail {
namespace {

void printAndAbort(const std::string& message) {
  std::fprintf(stderr, "stand-in misused: %s\n", message.c_str());
  std::abort();
}

std::atomic<sim::MisuseHandler> misuseHandler{printAndAbort};

constexpr const char* kCallNames[] = {
#define QV_FAILABLE_CALL_NAME(id, name) name,
    QV_FAILABLE_CALLS(QV_FAILABLE_CALL_NAME)
#undef QV_FAILABLE_CALL_NAME
};
static_assert(sizeof kCallNames / sizeof kCallNames[0] == kFailableCalls);

// The call of that name, or false (reported as a misuse by what) when the table has none.
bool findCall(const std::string& name, const char* what, FailableCall& found) {
  for (size_t index = 0; index < kFailableCalls; ++index) {
    if (name == kCallNames[index]) {
      found = static_cast<FailableCall>(index);
      return true;
    }
  }
  reportMisuse(std::string(what) + ": \"" + name +
               "\" is not a stand-in call that can fail (see platform/failable_calls.h)");
  return false;
}

struct FailurePlan {
  bool active = false;
  bool reached = false;    // at least one call failed
  int callsUntilFirst = 0; // calls still to pass before the first failure
  int failuresLeft = 0;    // -1: every call from then on
};

struct FailurePlans {
  std::mutex guard;
  FailurePlan plans[kFailableCalls];
  int active = 0;
};

FailurePlans& failurePlans() {
  static FailurePlans plans;
  return plans;
}

void forgetPlans(FailurePlans& all) {
  for (FailurePlan& plan : all.plans) {
    plan = FailurePlan{};
  }
  all.active = 0;
  anyFailurePlanned.store(false, std::memory_order_relaxed);
}

// Every thread's counters, kept for the life of the process; a thread's set is taken over by a
// later thread once it ends, so that the list stays as long as the most threads alive at once.
struct TallyRegistry {
  std::mutex guard;
  ThreadTallies* head = nullptr;
};

TallyRegistry& tallyRegistry() {
  static TallyRegistry* registry = new TallyRegistry; // never destroyed: threads may outlive exit
  return *registry;
}

struct TalliesRelease {
  ~TalliesRelease() {
    if (threadTallies != nullptr) {
      threadTallies->inUse.store(false);
      threadTallies = nullptr;
    }
  }
};

template <class Sum> int64_t sumOverThreads(Sum part) {
  TallyRegistry& registry = tallyRegistry();
  std::lock_guard<std::mutex> lock(registry.guard);
  int64_t total = 0;
  for (ThreadTallies* set = registry.head; set != nullptr; set = set->next) {
    total += part(*set).load(std::memory_order_relaxed);
  }
  return total;
}

// On Windows the system answers its own calls; only the stand-in host's can fail on purpose.
bool canFail(FailableCall call) {
#ifdef _WIN32
  return static_cast<size_t>(call) < kFirstWindowsCall;
#else
  (void)call;
  return true;
#endif
}

} // namespace

const char* callName(FailableCall call) {
  return kCallNames[static_cast<size_t>(call)];
}

void reportMisuse(const std::string& message) {
  misuseHandler.load()(message);
}

ThreadTallies& registerThreadTallies() {
  TallyRegistry& registry = tallyRegistry();
  ThreadTallies* mine = nullptr;
  {
    std::lock_guard<std::mutex> lock(registry.guard);
    for (ThreadTallies* set = registry.head; set != nullptr && mine == nullptr; set = set->next) {
      bool released = false;
      if (set->inUse.compare_exchange_strong(released, true)) {
        mine = set;
      }
    }
    if (mine == nullptr) {
      mine = new ThreadTallies;
      mine->next = registry.head;
      registry.head = mine;
    }
  }
  threadTallies = mine;
  static thread_local TalliesRelease release; // gives the set back when the thread ends
  (void)release;
  return *mine;
}

int64_t tallyTotal(Tally which) {
  return sumOverThreads([which](ThreadTallies & set) -> auto& {
    return set.tallies[static_cast<size_t>(which)];
  });
}

int64_t callTotal(FailableCall call) {
  return sumOverThreads([call](ThreadTallies & set) -> auto& {
    return set.calls[static_cast<size_t>(call)];
  });
}

bool plannedFailure(FailableCall call) {
  FailurePlans& all = failurePlans();
  std::lock_guard<std::mutex> lock(all.guard);
  FailurePlan& plan = all.plans[static_cast<size_t>(call)];
  if (!plan.active) {
    return false;
  }
  if (plan.callsUntilFirst > 0) {
    --plan.callsUntilFirst;
    return false;
  }
  plan.reached = true;
  if (plan.failuresLeft > 0) {
    --plan.failuresLeft;
  }
  if (plan.failuresLeft == 0) {
    plan.active = false;
    anyFailurePlanned.store(--all.active > 0, std::memory_order_relaxed);
  }
  return true;
}

} // namespace sim::detail

namespace sim {

bool inStandInCall() {
  return sim::detail::standInDepth > 0;
}

MisuseHandler setMisuseHandler(MisuseHandler handler) {
  return detail::misuseHandler.exchange(handler != nullptr ? handler : detail::printAndAbort);
}

void reset() {
  using namespace detail;
  {
    FailurePlans& all = failurePlans();
    std::lock_guard<std::mutex> lock(all.guard);
    forgetPlans(all);
  }
  {
    TallyRegistry& registry = tallyRegistry();
    std::lock_guard<std::mutex> lock(registry.guard);
    for (ThreadTallies* set = registry.head; set != nullptr; set = set->next) {
      for (auto& count : set->calls) {
        count.store(0, std::memory_order_relaxed);
      }
      for (auto& count : set->tallies) {
        count.store(0, std::memory_order_relaxed);
      }
    }
  }
  sessionGeneration.fetch_add(1, std::memory_order_acq_rel);
#ifdef _WIN32
  resetDebugOutput(); // its listener's handles are the process's own, counted before the reset
  handlesAtReset.store(processHandleCount(), std::memory_order_relaxed);
#endif
}

bool canFail(const std::string& call) {
  detail::FailableCall id;
  return detail::findCall(call, "sim::canFail", id) && detail::canFail(id);
}

void failCall(const std::string& call, int nth, int count) {
  detail::FailableCall id;
  if (!detail::findCall(call, "sim::failCall", id)) {
    return;
  }
  if (!detail::canFail(id)) {
    // A plan that never fires would send the test down the path where the call succeeds.
    detail::reportMisuse("sim::failCall: \"" + call +
                         "\" is answered by Windows itself here and cannot be made to fail");
    return;
  }
  if (nth < 1 || count == 0) {
    return;
  }
  detail::FailurePlans& all = detail::failurePlans();
  std::lock_guard<std::mutex> lock(all.guard);
  detail::FailurePlan& plan = all.plans[static_cast<size_t>(id)];
  if (!plan.active) {
    ++all.active;
  }
  plan = detail::FailurePlan{true, false, nth - 1, count < 0 ? -1 : count};
  detail::anyFailurePlanned.store(true, std::memory_order_relaxed);
}

void clearFailures() {
  detail::FailurePlans& all = detail::failurePlans();
  std::lock_guard<std::mutex> lock(all.guard);
  detail::forgetPlans(all);
}

std::vector<std::string> unreachedFailures() {
  detail::FailurePlans& all = detail::failurePlans();
  std::lock_guard<std::mutex> lock(all.guard);
  std::vector<std::string> names;
  for (size_t index = 0; index < detail::kFailableCalls; ++index) {
    if (all.plans[index].active && !all.plans[index].reached) {
      names.emplace_back(detail::kCallNames[index]);
    }
  }
  return names;
}

int callCount(const std::string& call) {
  detail::FailableCall id;
  if (!detail::findCall(call, "sim::callCount", id)) {
    return 0;
  }
  if (!detail::canFail(id)) {
    detail::reportMisuse("sim::callCount: \"" + call +
                         "\" is answered by Windows itself here and is not counted");
    return 0;
  }
  return static_cast<int>(detail::callTotal(id));
}

} // namespace sim

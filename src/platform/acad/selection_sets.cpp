// Selection sets: the host's set calls and the session's table of sets.
#include "platform/acad/internal/selection_sets.h"

#include <algorithm>
#include <atomic>

#include "platform/acad/acedads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/sim_selection.h"
#include "platform/internal/session.h"

namespace sim::detail {
namespace {

// A set's name: its serial number and a mark that no entity name carries.
constexpr int64_t kSetMark = 0x5e1ec7;

struct SelectionState {
  std::map<int64_t, SelectionSet> sets;
};

// Serial numbers run on across sessions, so that a name kept from an earlier session (an
// AutoLISP value that outlives it) never names a set of a later one.
std::atomic<int64_t> nextSerial{1};

SelectionState& selection() {
  return session<SelectionState>();
}

constexpr size_t kIndexFrom = 16; // smaller sets are searched in order

} // namespace

bool SelectionSet::contains(const EntityKey& entity) {
  if (!indexed_ && members.size() >= kIndexFrom) {
    index_.insert(members.begin(), members.end());
    indexed_ = true;
  }
  return indexed_ ? index_.count(entity) != 0
                  : std::find(members.begin(), members.end(), entity) != members.end();
}

void SelectionSet::add(const EntityKey& entity) {
  if (contains(entity)) {
    return;
  }
  members.push_back(entity);
  if (indexed_) {
    index_.insert(entity);
  }
}

bool SelectionSet::remove(const EntityKey& entity) {
  const auto found = std::find(members.begin(), members.end(), entity);
  if (found == members.end()) {
    return false;
  }
  members.erase(found);
  index_.erase(entity);
  return true;
}

SelectionSet* newSelectionSet(ads_name name, bool forLisp) {
  SelectionState& state = selection();
  if (state.sets.size() >= kMaxSelectionSets) {
    setErrno(3);
    return nullptr;
  }
  const int64_t serial = nextSerial.fetch_add(1);
  SelectionSet& set = state.sets[serial];
  set.heldByApplication = !forLisp;
  name[0] = serial;
  name[1] = kSetMark;
  return &set;
}

SelectionSet* findSelectionSet(const ads_name name) {
  if (name == nullptr || name[1] != kSetMark) {
    setErrno(4);
    return nullptr;
  }
  SelectionState& state = selection();
  const auto found = state.sets.find(name[0]);
  if (found == state.sets.end()) {
    setErrno(4);
    return nullptr;
  }
  return &found->second;
}

bool freeSelectionSet(const ads_name name) {
  SelectionSet* set = findSelectionSet(name);
  if (set == nullptr) {
    return false;
  }
  set->heldByApplication = false;
  if (set->lispValues == 0) {
    selection().sets.erase(name[0]);
  }
  return true;
}

bool holdForLisp(const int64_t name[2]) {
  if (name[1] != kSetMark) {
    return false;
  }
  const auto found = selection().sets.find(name[0]);
  if (found == selection().sets.end()) {
    return false;
  }
  ++found->second.lispValues;
  return true;
}

void releaseLispSelectionSet(const int64_t name[2]) {
  if (name[1] != kSetMark) {
    return;
  }
  const auto found = selection().sets.find(name[0]);
  if (found != selection().sets.end() && --found->second.lispValues <= 0 &&
      !found->second.heldByApplication) {
    selection().sets.erase(found);
  }
}

void handSelectionSetToLisp(const ads_name name) {
  if (name == nullptr || name[1] != kSetMark) {
    return;
  }
  const auto found = selection().sets.find(name[0]);
  if (found != selection().sets.end()) {
    found->second.heldByApplication = false;
  }
}

} // namespace sim::detail

using sim::detail::EntityKey;
using sim::detail::findSelectionSet;
using sim::detail::SelectionSet;

int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedSSAdd) || result == nullptr) {
    return RTERROR;
  }
  const bool noEntity = ename == nullptr || acdbNameNil(ename);
  if (!noEntity && !sim::detail::isSelectableEntity(ename)) {
    sim::detail::setErrno(2);
    return RTERROR;
  }
  if (sname == nullptr || acdbNameNil(sname)) {
    ads_name made;
    SelectionSet* set = sim::detail::newSelectionSet(made, false);
    if (set == nullptr) {
      return RTERROR;
    }
    if (!noEntity) {
      set->add({ename[0], ename[1]});
    }
    acdbNameSet(made, result);
    return RTNORM;
  }
  SelectionSet* set = findSelectionSet(sname);
  if (set == nullptr) {
    return RTERROR;
  }
  if (!noEntity) {
    set->add({ename[0], ename[1]});
  }
  const ads_name kept = {sname[0], sname[1]}; // sname and result may be one name
  acdbNameSet(kept, result);
  return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss) {
  SelectionSet* set = findSelectionSet(ss);
  if (set == nullptr || ename == nullptr) {
    return RTERROR;
  }
  return set->remove({ename[0], ename[1]}) ? RTNORM : RTERROR;
}

int acedSSMemb(const ads_name ename, const ads_name ss) {
  SelectionSet* set = findSelectionSet(ss);
  if (set == nullptr || ename == nullptr) {
    return RTERROR;
  }
  return set->contains({ename[0], ename[1]}) ? RTNORM : RTERROR;
}

int acedSSFree(const ads_name sname) {
  return sim::detail::freeSelectionSet(sname) ? RTNORM : RTERROR;
}

int acedSSLength(const ads_name sname, int32_t* length) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedSSLength) || length == nullptr) {
    return RTERROR;
  }
  SelectionSet* set = findSelectionSet(sname);
  if (set == nullptr) {
    return RTERROR;
  }
  *length = static_cast<int32_t>(set->members.size());
  return RTNORM;
}

int acedSSName(const ads_name sname, int32_t index, ads_name entity) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedSSName) || entity == nullptr) {
    return RTERROR;
  }
  SelectionSet* set = findSelectionSet(sname);
  if (set == nullptr || index < 0 || static_cast<size_t>(index) >= set->members.size()) {
    return RTERROR;
  }
  entity[0] = set->members[static_cast<size_t>(index)][0];
  entity[1] = set->members[static_cast<size_t>(index)][1];
  return RTNORM;
}

namespace sim {

int64_t liveSelectionSets() {
  int64_t count = 0;
  for (const auto& [serial, set] : detail::selection().sets) {
    count += set.heldByApplication ? 1 : 0;
  }
  return count;
}

} // namespace sim

// The session's selection sets, shared by the host's set calls and AutoLISP.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <unordered_set>
#include <vector>

#include "platform/acad/adsdef.h"

namespace sim::detail {

using EntityKey = std::array<int64_t, 2>;

struct EntityKeyHash {
  size_t operator()(const EntityKey& key) const {
    return std::hash<int64_t>()(key[0] * 1000003 ^ key[1]);
  }
};

// A set lives while the application that made it holds it (until acedSSFree) or an AutoLISP
// value refers to it.
struct SelectionSet {
  std::vector<EntityKey> members; // in the order added
  bool heldByApplication = false;
  int lispValues = 0;
  // Membership, made on the first question about a set of some size.
  bool contains(const EntityKey& entity);
  // Adds the entity unless it is a member already.
  void add(const EntityKey& entity);
  bool remove(const EntityKey& entity);

private:
  std::unordered_set<EntityKey, EntityKeyHash> index_;
  bool indexed_ = false;
};

// The most sets the host holds at once.
inline constexpr size_t kMaxSelectionSets = 128;

// A new empty set and its name, held by the application unless made for AutoLISP (whose value
// then takes it with lispSelectionSetValue); null (ERRNO 3) when the host holds 128 sets.
SelectionSet* newSelectionSet(ads_name name, bool forLisp);
// The set of that name; null (ERRNO 4) when there is none.
SelectionSet* findSelectionSet(const ads_name name);
// Frees the set; false when there is none.
bool freeSelectionSet(const ads_name name);

// An AutoLISP value that refers to the set counts as one of its holders (true), and lets go of
// it as the value goes (the set goes with its last holder). Neither sets ERRNO.
bool holdForLisp(const int64_t name[2]);
void releaseLispSelectionSet(const int64_t name[2]);
// The application gives its set to AutoLISP (a set returned with acedRetName): no longer held by
// the application, it goes with AutoLISP's last value.
void handSelectionSetToLisp(const ads_name name);

// True when the name is a main entity of an open drawing (what a set may hold).
bool isSelectableEntity(const ads_name entity);

} // namespace sim::detail

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

struct SelectionSet {
  std::vector<EntityKey> members; // in the order added
  bool ownedByLisp = false;
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

// A new empty set and its name; null (ERRNO 3) when the host holds as many as it can.
SelectionSet* newSelectionSet(ads_name name, bool ownedByLisp);
// The set of that name; null (ERRNO 4) when there is none.
SelectionSet* findSelectionSet(const ads_name name);
// Frees the set; false when there is none.
bool freeSelectionSet(const ads_name name);

// Frees a set that AutoLISP made, as its last value goes; sets ERRNO in no case.
void releaseLispSelectionSet(const int64_t name[2]);

// True when the name is a main entity of an open drawing (what a set may hold).
bool isSelectableEntity(const ads_name entity);

} // namespace sim::detail

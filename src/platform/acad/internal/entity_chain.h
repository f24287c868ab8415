// An entity's groups seen as a chain of result buffers, for the filter and the outline tests.
// The chain points into the groups it was built from and is remade for each entity without
// allocating once it has grown to the longest entity.
#pragma once

#include <vector>

#include "platform/acad/adsdef.h"
#include "platform/acad/dbmain.h"

namespace sim::detail {

class EntityChain {
public:
  // The chain of groups, then (-3) and extendedData when given; valid while both live.
  const resbuf* build(const EntityGroups& groups, const EntityGroups* extendedData);

private:
  void add(const EntityGroup& group);
  std::vector<resbuf> items_;
};

} // namespace sim::detail

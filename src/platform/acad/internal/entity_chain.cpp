// Entity groups as result buffers, without copies of their texts.
#include "platform/acad/internal/entity_chain.h"

#include <cstring>

#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/rb_kinds.h"

namespace sim::detail {

void EntityChain::add(const EntityGroup& group) {
  resbuf item;
  std::memset(&item, 0, sizeof item);
  item.restype = group.code;
  switch (group.code == 38 || group.code == 39 ? RbValueKind::Real : rbValueKind(group.code)) {
  case RbValueKind::String:
    item.resval.rstring = const_cast<char*>(group.text.c_str());
    break;
  case RbValueKind::Binary:
    item.resval.rbinary.clen = static_cast<short>(group.text.size());
    item.resval.rbinary.buf = const_cast<char*>(group.text.data());
    break;
  case RbValueKind::Real:
    item.resval.rreal = group.values[0];
    break;
  case RbValueKind::Point:
    std::memcpy(item.resval.rpoint, group.values, sizeof item.resval.rpoint);
    break;
  case RbValueKind::Short:
    item.resval.rint = static_cast<short>(group.integer);
    break;
  case RbValueKind::Long:
    item.resval.rlong = group.integer;
    break;
  case RbValueKind::Name:
    nameOfId(group.id, item.resval.rlname);
    break;
  default:
    break;
  }
  items_.push_back(item);
}

const resbuf* EntityChain::build(const EntityGroups& groups, const EntityGroups* extendedData) {
  items_.clear();
  for (const EntityGroup& group : groups) {
    add(group);
  }
  if (extendedData != nullptr) {
    EntityGroup marker;
    marker.code = -3;
    add(marker);
    for (const EntityGroup& group : *extendedData) {
      add(group);
    }
  }
  for (size_t i = 0; i + 1 < items_.size(); ++i) {
    items_[i].rbnext = &items_[i + 1];
  }
  return items_.empty() ? nullptr : items_.data();
}

} // namespace sim::detail

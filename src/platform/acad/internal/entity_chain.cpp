// Entity groups as result buffers, without copies of their texts.
#include "platform/acad/internal/entity_chain.h"

#include <array>
#include <cstring>

#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/rb_kinds.h"

namespace sim::detail {

namespace {

// The value kind of each group code from -5 to 1071, looked up once.
RbValueKind kindOf(int code) {
  static const auto table = [] {
    std::array<RbValueKind, 1077> kinds{};
    for (int i = 0; i < static_cast<int>(kinds.size()); ++i) {
      const int c = i - 5;
      kinds[static_cast<size_t>(i)] = c == 38 || c == 39 ? RbValueKind::Real : rbValueKind(c);
    }
    return kinds;
  }();
  return code >= -5 && code <= 1071 ? table[static_cast<size_t>(code + 5)] : rbValueKind(code);
}

} // namespace

void EntityChain::add(const EntityGroup& group) {
  resbuf& item = items_.emplace_back();
  item.rbnext = nullptr;
  item.restype = group.code;
  switch (kindOf(group.code)) {
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
    item.resval.rlname[0] = item.resval.rlname[1] = 0;
    break;
  }
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

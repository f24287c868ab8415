// Entity groups as result-buffer values, without copies of their texts.
#include "platform/acad/internal/group_value.h"

#include <array>
#include <cstring>

#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/rb_kinds.h"

namespace sim::detail {

namespace {

// The value kind of each group code from -5 to 1071, looked up once. Groups keep the elevation
// and thickness (38, 39) as reals.
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

ads_u_val groupValue(const EntityGroup& group) {
  ads_u_val value;
  std::memset(&value, 0, sizeof value);
  switch (kindOf(group.code)) {
  case RbValueKind::String:
    value.rstring = const_cast<char*>(group.text.c_str());
    break;
  case RbValueKind::Binary:
    value.rbinary.clen = static_cast<short>(group.text.size());
    value.rbinary.buf = const_cast<char*>(group.text.data());
    break;
  case RbValueKind::Real:
    value.rreal = group.values[0];
    break;
  case RbValueKind::Point:
    std::memcpy(value.rpoint, group.values, sizeof value.rpoint);
    break;
  case RbValueKind::Short:
    value.rint = static_cast<short>(group.integer);
    break;
  case RbValueKind::Long:
    value.rlong = group.integer;
    break;
  case RbValueKind::Name:
    nameOfId(group.id, value.rlname);
    break;
  default:
    break;
  }
  return value;
}

} // namespace sim::detail

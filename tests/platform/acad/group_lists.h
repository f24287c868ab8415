// Group lists built in the test's own memory (never released through the host), for the tests
// of filters and entity outlines, and the same lists as an entity's groups.
#pragma once

#include <cstring>
#include <deque>
#include <initializer_list>
#include <string>

#include "platform/acad/adsdef.h"
#include "platform/acad/internal/entity_store.h"

namespace qvtest {

class GroupList {
public:
  GroupList() = default;
  GroupList(const GroupList&) = delete;
  GroupList& operator=(const GroupList&) = delete;

  GroupList& text(int code, const std::string& value) {
    texts_.push_back(value);
    item(code).resval.rstring = texts_.back().data();
    return *this;
  }
  GroupList& real(int code, double value) {
    item(code).resval.rreal = value;
    return *this;
  }
  GroupList& integer(int code, int value) {
    resbuf& added = item(code);
    if ((code >= 90 && code <= 99) || code == 1071) {
      added.resval.rlong = value;
    } else {
      added.resval.rint = static_cast<short>(value);
    }
    return *this;
  }
  GroupList& point(int code, double x, double y, double z = 0.0) {
    resbuf& added = item(code);
    added.resval.rpoint[0] = x;
    added.resval.rpoint[1] = y;
    added.resval.rpoint[2] = z;
    return *this;
  }
  GroupList& marker(int code) {
    item(code);
    return *this;
  }
  const resbuf* head() const { return items_.empty() ? nullptr : &items_.front(); }
  // The list as an entity holds it: its groups up to -3, and the extended data after it.
  sim::detail::EntityGroups entityGroups() const { return groupsOf(false); }
  sim::detail::EntityGroups extendedData() const { return groupsOf(true); }

private:
  sim::detail::EntityGroups groupsOf(bool afterMarker) const {
    sim::detail::EntityGroups groups;
    bool after = false;
    for (const resbuf& item : items_) {
      after = after || item.restype == -3;
      if (after == afterMarker && item.restype != -3) {
        sim::detail::groupFromItem(item, groups.emplace_back());
      }
    }
    return groups;
  }
  resbuf& item(int code) {
    items_.emplace_back();
    std::memset(&items_.back(), 0, sizeof(resbuf));
    items_.back().restype = static_cast<short>(code);
    if (items_.size() > 1) {
      items_[items_.size() - 2].rbnext = &items_.back();
    }
    return items_.back();
  }
  std::deque<resbuf> items_;
  std::deque<std::string> texts_;
};

} // namespace qvtest

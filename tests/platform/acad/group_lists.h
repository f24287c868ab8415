// Group lists built in the test's own memory (never released through the host), for the tests
// of filters and entity outlines.
#pragma once

#include <cstring>
#include <deque>
#include <initializer_list>
#include <string>

#include "platform/acad/adsdef.h"

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

private:
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

// Walking a tree of records depth first without recursion, for the writers.
#pragma once

#include <vector>

#include "records/uni_interfaces.h"

namespace qv {

// Calls enter(record) for root and every record under it in document order, and leave(record)
// once all of a record's children were walked, as a recursive writer would; root's own next is
// not walked. Needs no deeper stack for deeper trees; the list of open records it keeps may throw
// std::bad_alloc.
template <class Enter, class Leave>
void walkRecordTree(const IQvUniRecord* root, Enter&& enter, Leave&& leave) {
  std::vector<const IQvUniRecord*> open; // the records whose children are being walked
  const IQvUniRecord* record = root;
  for (;;) {
    enter(record);
    if (const IQvUniRecord* child = record->firstChild()) {
      open.push_back(record);
      record = child;
      continue;
    }
    leave(record);
    for (;;) {
      if (open.empty()) {
        return;
      }
      if (record->next() != nullptr) {
        record = record->next();
        break;
      }
      record = open.back();
      open.pop_back();
      leave(record);
    }
  }
}

} // namespace qv

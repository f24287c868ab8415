// QvChildRecordScope: hangs a new record under the current one for the length of a scope.
#include "records/child_record_scope.h"

#include "records/uni_record.h"

namespace qv {

QvChildRecordScope::QvChildRecordScope(IQvUniRecord*& current)
    : current_(current), parent_(current), record_(QvUniRecord::create()) {
  current_ = record_;
  if (parent_ == nullptr || record_ == nullptr) {
    return;
  }
  if (IQvUniRecord* first = parent_->firstChild()) {
    first->appendRecord(record_);
  } else {
    parent_->setFirstChild(record_);
  }
}

QvChildRecordScope::~QvChildRecordScope() {
  current_ = parent_;
}

} // namespace qv

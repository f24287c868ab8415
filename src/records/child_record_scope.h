// QvChildRecordScope: a scoped builder for trees of records.
#pragma once

#include "records/uni_interfaces.h"

namespace qv {

// Construction remembers the record in current, makes a new empty record, stores it in current
// and, when the remembered record is not null, hangs it under it as its last child. Destruction
// puts the remembered record back into current; the new record stays where it was hung (with a
// null remembered record the caller owns it and must keep a pointer to it before the scope ends).
class QvChildRecordScope {
public:
  explicit QvChildRecordScope(IQvUniRecord*& current);
  ~QvChildRecordScope();
  QvChildRecordScope(const QvChildRecordScope&) = delete;
  QvChildRecordScope& operator=(const QvChildRecordScope&) = delete;

  // The record this scope made; null (and current null) when memory ran out.
  IQvUniRecord* record() const { return record_; }

private:
  IQvUniRecord*& current_;
  IQvUniRecord* parent_;
  IQvUniRecord* record_;
};

} // namespace qv

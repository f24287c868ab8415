// QvUniTable: table chains, record chains and lookups by id and type.
#include "records/uni_table.h"

#include <new>

#include "records/allocation_watch.h"
#include "records/internal/no_case.h"
#include "records/uni_record.h"

namespace qv {

QvUniTable* QvUniTable::create() {
  auto* table = new (std::nothrow) QvUniTable;
  if (table == nullptr) {
    noteAllocationFailure();
  }
  return table;
}

QvUniTable::~QvUniTable() {
  destroyRecordTree(firstRecord_);
}

void QvUniTable::appendTable(IQvUniTable* table) {
  if (table == nullptr || table == this || table->next() != nullptr) {
    return;
  }
  IQvUniTable* last = this;
  while (last->next() != nullptr) {
    last = last->next();
  }
  // Already the last table of this chain: linking it again would make it its own next.
  if (last == table) {
    return;
  }
  last->setNext(table);
}

void QvUniTable::addRecord(IQvUniRecord* record) {
  if (record == nullptr) {
    return;
  }
  if (firstRecord_ == nullptr) {
    firstRecord_ = record;
  } else {
    firstRecord_->appendRecord(record);
  }
}

void QvUniTable::removeTable(IQvUniTable* table) {
  if (table == nullptr || table == this) {
    return;
  }
  IQvUniTable* previous = this;
  while (previous->next() != nullptr && previous->next() != table) {
    previous = previous->next();
  }
  if (previous->next() != table) {
    return;
  }
  previous->setNext(table->next());
  table->setNext(nullptr);
  delete table;
}

IQvUniTable* QvUniTable::findTable(const char* id, const char* type) const {
  if (id == nullptr && type == nullptr) {
    return nullptr;
  }
  for (const IQvUniTable* table = this; table != nullptr; table = table->next()) {
    const bool typeMatches = type == nullptr || equalsNoCase(table->getType(), type);
    const bool idMatches = id == nullptr || equalsNoCase(table->getId(), id);
    if (typeMatches && idMatches) {
      return const_cast<IQvUniTable*>(table);
    }
  }
  return nullptr;
}

IQvUniTable* QvUniTable::clone() const {
  QvUniTable* copy = create();
  if (copy == nullptr) {
    return nullptr;
  }
  QvAllocationWatch watch;
  if (getId() != nullptr) {
    copy->setId(getId());
  }
  if (getType() != nullptr) {
    copy->setType(getType());
  }
  if (getDesc() != nullptr) {
    copy->setDesc(getDesc());
  }
  copy->setFirstRecord(cloneChain(firstRecord_));
  if (watch.failed()) {
    delete copy;
    return nullptr;
  }
  return copy;
}

void QvUniTable::releaseChain() {
  IQvUniTable* rest = next_;
  next_ = nullptr;
  while (rest != nullptr) {
    IQvUniTable* following = rest->next();
    rest->setNext(nullptr);
    delete rest;
    rest = following;
  }
  delete this;
}

} // namespace qv

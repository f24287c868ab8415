// QvUniTable: a chain of records under an id, a type and a description; tables chain too.
#pragma once

#include "records/owned_text.h"
#include "records/uni_interfaces.h"

namespace qv {

// A new table has no records, no next and no id, type or desc. See IQvUniTable for the contract
// of each operation.
class QvUniTable final : public IQvUniTable {
public:
  QvUniTable() = default;
  // A new table, or null when memory ran out (the failure is noted for the thread).
  static QvUniTable* create();
  QvUniTable(const QvUniTable&) = delete;
  QvUniTable& operator=(const QvUniTable&) = delete;
  ~QvUniTable() override;

  const char* getId() const override { return id_.get(); }
  void setId(const char* id) override { id_.assignOrEmpty(id); }
  const char* getType() const override { return type_.get(); }
  void setType(const char* type) override { type_.assignOrEmpty(type); }
  const char* getDesc() const override { return desc_.get(); }
  void setDesc(const char* desc) override { desc_.assignOrEmpty(desc); }
  void appendTable(IQvUniTable* table) override;
  void addRecord(IQvUniRecord* record) override;
  void removeTable(IQvUniTable* table) override;
  IQvUniTable* findTable(const char* id, const char* type) const override;
  IQvUniRecord* firstRecord() const override { return firstRecord_; }
  IQvUniTable* next() const override { return next_; }
  void setFirstRecord(IQvUniRecord* record) override { firstRecord_ = record; }
  void setNext(IQvUniTable* next) override { next_ = next; }
  IQvUniTable* clone() const override;
  void release() override { delete this; }
  void releaseChain() override;

private:
  IQvUniRecord* firstRecord_ = nullptr;
  IQvUniTable* next_ = nullptr;
  OwnedText id_;
  OwnedText type_;
  OwnedText desc_;
};

} // namespace qv

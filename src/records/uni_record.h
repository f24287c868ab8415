// QvUniRecord: the library's general-purpose data carrier (an id, fields, a next record and a
// child chain), and cloneChain.
#pragma once

#include <cstddef>
#include <new>

#include "records/field_list.h"
#include "records/owned_text.h"
#include "records/uni_interfaces.h"

namespace qv {

// What getFieldReal leaves in its output when it fails.
constexpr double kFailedRealRead = -98765432.1;

// A new record has no id, no fields, no next and no children. See IQvUniRecord for the contract
// of each operation.
class QvUniRecord final : public IQvUniRecord {
public:
  QvUniRecord() = default;
  // A new record, or null when memory ran out (the failure is noted for the thread). With
  // fieldRoom, the record comes in one allocation with room for that many fields.
  static QvUniRecord* create(size_t fieldRoom = 0);
  // Records made by create with room are one allocation larger than the class, so every record
  // is freed unsized; the matching forms of new are the global ones.
  static void* operator new(size_t size) { return ::operator new(size); }
  static void* operator new(size_t size, const std::nothrow_t& tag) noexcept {
    return ::operator new(size, tag);
  }
  static void* operator new(size_t, void* memory) noexcept { return memory; }
  static void operator delete(void* memory) noexcept { ::operator delete(memory); }
  static void operator delete(void* memory, const std::nothrow_t&) noexcept {
    ::operator delete(memory);
  }
  QvUniRecord(const QvUniRecord&) = delete;
  QvUniRecord& operator=(const QvUniRecord&) = delete;
  ~QvUniRecord() override;

  void setId(const char* id) override { id_.assignOrEmpty(id); }
  // The id from the length characters at id, which hold no NUL.
  void setId(const char* id, size_t length) { id_.assign(id, length); }
  const char* getId() const override { return id_.get(); }
  int getFieldText(const char* name, msString& out) const override;
  int getFieldChars(const char* name, char* out) const override;
  int getFieldReal(const char* name, double& out) const override;
  int getFieldLong(const char* name, int32_t& out) const override;
  int compareByField(const IQvUniRecord* other, const char* fieldName,
                     int descending) const override;
  int isEqual(const IQvUniRecord* other, const IQvUniRecord* ignoreMask) const override;
  void setField(const char* name, const char* value, int replace, const char* type) override {
    fields_.add(name, value, replace, type);
  }
  void setFieldShort(const char* name, int16_t value, int replace, const char* type) override;
  void setFieldLong(const char* name, int32_t value, int replace, const char* type) override;
  void setFieldReal(const char* name, double value, int replace, const char* type) override;
  void insertFieldFirst(const char* name, const char* value, int replace,
                        const char* type) override {
    fields_.addFirst(name, value, replace, type);
  }
  IQvUniRecord* findById(const char* id) const override;
  IQvUniRecord* itemAt(int index) const override;
  void appendRecord(IQvUniRecord* record) override;
  void removeRecord(IQvUniRecord* record) override;
  int countRecords() const override;
  IQvUniField* firstField() const override { return fields_.first(); }
  IQvUniRecord* firstChild() const override { return firstChild_; }
  void setNext(IQvUniRecord* next) override;
  void setFirstChild(IQvUniRecord* child) override { firstChild_ = child; }
  IQvUniRecord* next() const override { return next_; }
  IQvUniRecord* clone() const override;
  void removeField(IQvUniField* field) override { fields_.remove(field); }
  void release() override { delete this; }
  void releaseChain() override;
  void clearFields() override { fields_.clear(); }

  // The record's field list, for the folder's readers and writers.
  QvFieldList& fields() { return fields_; }
  const QvFieldList& fields() const { return fields_; }

private:
  // The value of the first field of that name when it has one, else null.
  const char* valueOf(const char* name) const;

  QvFieldList fields_;
  IQvUniRecord* firstChild_ = nullptr;
  IQvUniRecord* next_ = nullptr;
  // The record last appended through this one: where the walk to the chain's end starts. It is
  // trusted only while no chain anywhere was cut or relinked since (tailHintEpoch_): a record
  // cannot tell which heads remember it, and a remembered record that left the chain, or was
  // deleted, would take the next append with it.
  IQvUniRecord* tailHint_ = nullptr;
  uint64_t tailHintEpoch_ = 0;
  OwnedText id_;
};

// Copies every record of the chain with clone and links the copies in the same order; null for
// null, and null when memory ran out (nothing is left of a partial copy).
IQvUniRecord* cloneChain(const IQvUniRecord* first);

// Deletes every record of the chain from first on, each with its whole tree of children. Works
// without recursion, so a tree of any depth is destroyed safely. Nothing for null.
void destroyRecordTree(IQvUniRecord* first);

// A new empty record appended to parent's children while reading: after lastChild when there is
// one, else at the end of the children parent already has. lastChild becomes the new record.
// Null when memory ran out; nothing changes then.
QvUniRecord* appendNewChild(IQvUniRecord* parent, IQvUniRecord*& lastChild);

} // namespace qv

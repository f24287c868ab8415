// QvUniField: one field of a record, a name, a text value and an optional type tag.
#pragma once

#include "records/owned_text.h"
#include "records/uni_interfaces.h"

namespace qv {

// A new field has no name, value or type (all null) and no next.
class QvUniField final : public IQvUniField {
public:
  QvUniField() = default;
  QvUniField(const QvUniField&) = delete;
  QvUniField& operator=(const QvUniField&) = delete;
  ~QvUniField() override = default;

  const char* getValue() const override { return value_.get(); }
  const char* getName() const override { return name_.get(); }
  const char* getType() const override { return type_.get(); }
  IQvUniField* next() const override { return next_; }
  void setValue(const char* value) override { value_.assignOrEmpty(value); }
  void setName(const char* name) override { name_.assignOrEmpty(name); }
  void setType(const char* type) override { type_.assign(type); }
  void setNext(IQvUniField* next) override { next_ = next; }
  int isEqual(const IQvUniField* other) const override;
  void release() override { delete this; }

  // Sets name and value (null as the empty text) and type; false when memory ran out.
  bool assign(const char* name, const char* value, const char* type) {
    return name_.assignOrEmpty(name) && value_.assignOrEmpty(value) && type_.assign(type);
  }
  // Sets name, value and type (absent for null) of known lengths, with no NUL inside them, on a
  // field that has none of them yet.
  bool assign(const char* name, size_t nameLength, const char* value, size_t valueLength,
              const char* type, size_t typeLength) {
    return name_.assignFresh(name, nameLength) && value_.assignFresh(value, valueLength) &&
           (type == nullptr ? type_.assign(nullptr) : type_.assignFresh(type, typeLength));
  }

private:
  OwnedText name_;
  OwnedText value_;
  OwnedText type_;
  IQvUniField* next_ = nullptr;
};

} // namespace qv

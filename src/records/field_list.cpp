// QvFieldList: lookups, additions and removals over a record's fields.
#include "records/field_list.h"

#include <new>

#include "records/allocation_watch.h"
#include "records/internal/no_case.h"
#include "records/uni_field.h"

namespace qv {

QvFieldList::~QvFieldList() {
  clear();
}

void QvFieldList::clear() {
  IQvUniField* field = first_;
  first_ = nullptr;
  last_ = nullptr;
  while (field != nullptr) {
    IQvUniField* following = field->next();
    delete field;
    field = following;
  }
}

IQvUniField* QvFieldList::find(const char* name) const {
  if (name == nullptr) {
    return nullptr;
  }
  for (IQvUniField* field = first_; field != nullptr; field = field->next()) {
    if (equalsNoCase(field->getName(), name)) {
      return field;
    }
  }
  return nullptr;
}

IQvUniField* QvFieldList::fieldAt(int index) const {
  if (index < 0) {
    return nullptr;
  }
  IQvUniField* field = first_;
  while (field != nullptr && index > 0) {
    field = field->next();
    --index;
  }
  return field;
}

IQvUniField* QvFieldList::makeField(const char* name, const char* value, const char* type) {
  auto* field = new (std::nothrow) QvUniField;
  if (field == nullptr) {
    noteAllocationFailure();
    return nullptr;
  }
  if (!field->assign(name, value, type)) {
    delete field;
    return nullptr;
  }
  return field;
}

void QvFieldList::add(const char* name, const char* value, int replace, const char* type) {
  put(name, value, replace, type, false);
}

void QvFieldList::addFirst(const char* name, const char* value, int replace, const char* type) {
  put(name, value, replace, type, true);
}

void QvFieldList::put(const char* name, const char* value, int replace, const char* type,
                      bool atFront) {
  if (replace != 0) {
    if (IQvUniField* existing = find(name)) {
      existing->setValue(value);
      return;
    }
  }
  IQvUniField* field = makeField(name, value, type);
  if (field == nullptr) {
    return;
  }
  if (!atFront) {
    linkLast(field);
    return;
  }
  field->setNext(first_);
  first_ = field;
  if (last_ == nullptr) {
    last_ = field;
  }
}

void QvFieldList::linkLast(IQvUniField* field) {
  if (last_ == nullptr) {
    first_ = field;
  } else {
    last_->setNext(field);
  }
  last_ = field;
}

void QvFieldList::append(const char* name, size_t nameLength, const char* value, size_t valueLength,
                         const char* type, size_t typeLength) {
  auto* field = new (std::nothrow) QvUniField;
  if (field == nullptr) {
    noteAllocationFailure();
    return;
  }
  if (!field->assign(name, nameLength, value, valueLength, type, typeLength)) {
    delete field;
    return;
  }
  linkLast(field);
}

void QvFieldList::remove(IQvUniField* field) {
  if (field == nullptr) {
    return;
  }
  IQvUniField* previous = nullptr;
  IQvUniField* cursor = first_;
  while (cursor != nullptr && cursor != field) {
    previous = cursor;
    cursor = cursor->next();
  }
  if (cursor == nullptr) {
    return;
  }
  if (previous == nullptr) {
    first_ = field->next();
  } else {
    previous->setNext(field->next());
  }
  if (last_ == field) {
    last_ = previous;
  }
  field->setNext(nullptr);
  delete field;
}

void QvFieldList::removeByName(const char* name) {
  remove(find(name));
}

} // namespace qv

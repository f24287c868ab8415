// QvFieldList: lookups, additions and removals over a record's fields.
#include "records/field_list.h"

#include <new>

#include "records/allocation_watch.h"
#include "records/internal/no_case.h"
#include "records/uni_field.h"

namespace qv {

namespace {

// QvUniField is the only implementation of IQvUniField: the list follows its links and reads its
// names without virtual calls.
QvUniField* fieldOf(IQvUniField* field) {
  return static_cast<QvUniField*>(field);
}

} // namespace

// The room's header, then its slots.
struct QvFieldList::FieldRoom {
  size_t slots;
  size_t used; // handed out since the room was given or the list last cleared

  static constexpr size_t kSlotsAt =
      (2 * sizeof(size_t) + alignof(QvUniField) - 1) / alignof(QvUniField) * alignof(QvUniField);

  QvUniField* slot(size_t index) {
    return reinterpret_cast<QvUniField*>(reinterpret_cast<char*>(this) + kSlotsAt) + index;
  }
  bool holds(const IQvUniField* field) {
    const auto* at = static_cast<const QvUniField*>(field);
    return at >= slot(0) && at < slot(slots);
  }
};

QvFieldList::~QvFieldList() {
  clear();
}

// Defined before its users so that clear, where a record's release spends most of its time,
// gets it inline and without virtual calls.
void QvFieldList::deleteField(IQvUniField* field) {
  QvUniField* own = fieldOf(field);
  if (room_ != nullptr && room_->holds(own)) {
    own->~QvUniField();
  } else {
    delete own;
  }
}

void QvFieldList::clear() {
  IQvUniField* field = first_;
  first_ = nullptr;
  last_ = nullptr;
  while (field != nullptr) {
    IQvUniField* next = fieldOf(field)->next();
    deleteField(field);
    field = next;
  }
  if (room_ != nullptr) {
    room_->used = 0;
  }
}

size_t QvFieldList::roomBytes(size_t count) {
  return FieldRoom::kSlotsAt + count * sizeof(QvUniField);
}

void QvFieldList::useRoom(void* memory, size_t count) {
  room_ = new (memory) FieldRoom{count, 0};
}

QvUniField* QvFieldList::newField() {
  if (room_ != nullptr && room_->used < room_->slots) {
    return new (room_->slot(room_->used++)) QvUniField;
  }
  auto* field = new (std::nothrow) QvUniField;
  if (field == nullptr) {
    noteAllocationFailure();
  }
  return field;
}

IQvUniField* QvFieldList::find(const char* name) const {
  if (name == nullptr) {
    return nullptr;
  }
  for (IQvUniField* field = first_; field != nullptr; field = fieldOf(field)->next()) {
    if (equalsNoCase(fieldOf(field)->getName(), name)) {
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
  QvUniField* field = newField();
  if (field != nullptr && !field->assign(name, value, type)) {
    deleteField(field);
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
    fieldOf(last_)->setNext(field);
  }
  last_ = field;
}

void QvFieldList::append(const char* name, size_t nameLength, const char* value, size_t valueLength,
                         const char* type, size_t typeLength) {
  QvUniField* field = newField();
  if (field == nullptr) {
    return;
  }
  if (!field->assign(name, nameLength, value, valueLength, type, typeLength)) {
    deleteField(field);
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
  deleteField(field);
}

void QvFieldList::removeByName(const char* name) {
  remove(find(name));
}

} // namespace qv

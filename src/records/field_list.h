// QvFieldList: the ordered fields of one record, owned by the list.
#pragma once

#include <cstddef>

#include "records/uni_interfaces.h"

namespace qv {

class QvUniField;

// first and last are both null or both set; last's next is null. Destroying the list destroys
// every field in it. Names are matched with case ignored; the first field of a name wins.
class QvFieldList {
public:
  QvFieldList() = default;
  QvFieldList(const QvFieldList&) = delete;
  QvFieldList& operator=(const QvFieldList&) = delete;
  ~QvFieldList();

  IQvUniField* first() const { return first_; }
  IQvUniField* last() const { return last_; }

  // The first field whose name is present and equal to name (case ignored); null when there is
  // none or name is null.
  IQvUniField* find(const char* name) const;
  // The field at a 0-based index; null past the end or for a negative index.
  IQvUniField* fieldAt(int index) const;
  // With replace non-zero and find(name) giving a field, sets only that field's value (null
  // storing the empty text; the type stays). Otherwise appends a new field (name, value, type):
  // a null name or value becomes the empty text, a null type stays absent. When memory runs out
  // nothing is added and the failure is noted for the thread (allocation_watch.h).
  void add(const char* name, const char* value, int replace, const char* type);
  // Appends a new field whose name, value and type (absent for null) have known lengths, with
  // no NUL inside them, as add(name, value, 0, type) does for texts of those lengths.
  void append(const char* name, size_t nameLength, const char* value, size_t valueLength,
              const char* type = nullptr, size_t typeLength = 0);
  // The same as add, except that a new field goes before the first one.
  void addFirst(const char* name, const char* value, int replace, const char* type);
  // Unlinks the field and deletes it. Nothing for null or a field not in this list.
  void remove(IQvUniField* field);
  // Unlinks and deletes the first field of that name; nothing when there is none.
  void removeByName(const char* name);
  // Deletes every field; the list is empty afterwards.
  void clear();

  // Room for fields made in place: a record that a reader makes, knowing how many fields it will
  // get, comes in one allocation with them instead of one per field.
  // The bytes that room for count fields takes; memory for it is aligned as a pointer is.
  static size_t roomBytes(size_t count);
  // Gives the list room for count fields at memory (roomBytes(count) bytes, owned by the caller
  // and kept until the list is destroyed). New fields take it in turn, then come from the heap;
  // a slot freed by a removal is used again only once the list has been cleared.
  void useRoom(void* memory, size_t count);

private:
  struct FieldRoom;

  // A new field, in the room while it has a slot left, else from the heap; null when memory ran
  // out (noted).
  QvUniField* newField();
  // Destroys an unlinked field of this list and frees it when it came from the heap.
  void deleteField(IQvUniField* field);
  IQvUniField* makeField(const char* name, const char* value, const char* type);
  // add (atFront false) and addFirst (atFront true).
  void put(const char* name, const char* value, int replace, const char* type, bool atFront);
  void linkLast(IQvUniField* field);

  IQvUniField* first_ = nullptr;
  IQvUniField* last_ = nullptr;
  FieldRoom* room_ = nullptr;
};

} // namespace qv

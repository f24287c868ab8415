// QvUniRecord: field access, ordering, equality, chain operations and copies.
#include "records/uni_record.h"

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "records/allocation_watch.h"
#include "records/internal/no_case.h"
#include "records/internal/number_text.h"
#include "records/natural_compare.h"
#include "support/read_decimal.h"

namespace qv {

namespace {

// Values of up to this many characters take part in ordering.
constexpr size_t kOrderedLength = 255;

size_t boundedLength(const char* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != '\0') {
    ++length;
  }
  return length;
}

// The first field of that name in any record, as the record's own lookup finds it.
const IQvUniField* findField(const IQvUniRecord* record, const char* name) {
  for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
    if (equalsNoCase(field->getName(), name)) {
      return field;
    }
  }
  return nullptr;
}

// Whether the mask holds a field of that name with a non-empty value.
bool isIgnored(const IQvUniRecord* mask, const IQvUniField* field) {
  if (mask == nullptr || field->getName() == nullptr) {
    return false;
  }
  const IQvUniField* masked = findField(mask, field->getName());
  return masked != nullptr && masked->getValue() != nullptr && masked->getValue()[0] != '\0';
}

const IQvUniField* skipIgnored(const IQvUniRecord* mask, const IQvUniField* field) {
  while (field != nullptr && isIgnored(mask, field)) {
    field = field->next();
  }
  return field;
}

bool sameId(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) {
    return a == b;
  }
  return std::strcmp(a, b) == 0;
}

// A non-empty tag other than the accepted ones makes a numeric read fail.
bool typeAccepts(const char* type, const char* first, const char* second) {
  return type == nullptr || type[0] == '\0' || equalsNoCase(type, first) ||
         equalsNoCase(type, second);
}

// Ids and fields of two records, the first steps of isEqual; children are not looked at.
bool sameOwnContent(const IQvUniRecord* a, const IQvUniRecord* b, const IQvUniRecord* ignoreMask) {
  if (!sameId(a->getId(), b->getId())) {
    return false;
  }
  const IQvUniField* mine = a->firstField();
  const IQvUniField* theirs = b->firstField();
  while (mine != nullptr && theirs != nullptr) {
    if (ignoreMask != nullptr) {
      bool moved = false;
      if (isIgnored(ignoreMask, mine)) {
        mine = mine->next();
        moved = true;
      }
      if (isIgnored(ignoreMask, theirs)) {
        theirs = theirs->next();
        moved = true;
      }
      if (moved) {
        continue;
      }
    }
    if (mine->isEqual(theirs) == 0) {
      return false;
    }
    mine = mine->next();
    theirs = theirs->next();
  }
  if (ignoreMask != nullptr) {
    mine = skipIgnored(ignoreMask, mine);
    theirs = skipIgnored(ignoreMask, theirs);
  }
  if (mine != nullptr) {
    std::printf("Val1 %s\n", mine->getName() != nullptr ? mine->getName() : "");
  }
  if (theirs != nullptr) {
    std::printf("Val2 %s\n", theirs->getName() != nullptr ? theirs->getName() : "");
  }
  return mine == nullptr && theirs == nullptr;
}

// A new record with the source's id (absent as empty) and fields without their types; null when
// memory ran out.
QvUniRecord* copyOwnContent(const IQvUniRecord* source) {
  size_t fields = 0;
  for (const IQvUniField* field = source->firstField(); field != nullptr; field = field->next()) {
    ++fields;
  }
  QvUniRecord* copy = QvUniRecord::create(fields);
  if (copy == nullptr) {
    return nullptr;
  }
  QvAllocationWatch watch;
  copy->setId(source->getId());
  for (const IQvUniField* field = source->firstField(); field != nullptr; field = field->next()) {
    copy->setField(field->getName(), field->getValue(), 0, nullptr);
  }
  if (watch.failed()) {
    delete copy;
    return nullptr;
  }
  return copy;
}

// Counts the changes that may take records out of a chain: a link that pointed at a record and
// is set to another, and a record's deletion. Linking a record after a chain's last one takes
// nothing out, so building chains leaves it alone and appends stay constant time.
std::atomic<uint64_t> chainCuts{1};

void noteChainCut() {
  chainCuts.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

QvUniRecord* QvUniRecord::create(size_t fieldRoom) {
  constexpr size_t kRoomAt = (sizeof(QvUniRecord) + alignof(std::max_align_t) - 1) /
                             alignof(std::max_align_t) * alignof(std::max_align_t);
  const size_t bytes =
      fieldRoom == 0 ? sizeof(QvUniRecord) : kRoomAt + QvFieldList::roomBytes(fieldRoom);
  void* memory = ::operator new(bytes, std::nothrow);
  if (memory == nullptr) {
    noteAllocationFailure();
    return nullptr;
  }
  auto* record = new (memory) QvUniRecord;
  if (fieldRoom != 0) {
    record->fields_.useRoom(static_cast<char*>(memory) + kRoomAt, fieldRoom);
  }
  return record;
}

QvUniRecord::~QvUniRecord() {
  noteChainCut();
  destroyRecordTree(firstChild_);
}

void QvUniRecord::setNext(IQvUniRecord* next) {
  if (next_ != nullptr && next_ != next) {
    noteChainCut();
  }
  next_ = next;
  tailHint_ = nullptr;
}

void destroyRecordTree(IQvUniRecord* first) {
  IQvUniRecord* pending = first;
  while (pending != nullptr) {
    IQvUniRecord* record = pending;
    pending = record->next();
    // The children go to the front of the work chain, so the record's destructor finds none.
    if (IQvUniRecord* children = record->firstChild()) {
      IQvUniRecord* last = children;
      while (last->next() != nullptr) {
        last = last->next();
      }
      last->setNext(pending);
      pending = children;
      record->setFirstChild(nullptr);
    }
    delete record;
  }
}

const char* QvUniRecord::valueOf(const char* name) const {
  const IQvUniField* field = fields_.find(name);
  return field != nullptr ? field->getValue() : nullptr;
}

int QvUniRecord::getFieldChars(const char* name, char* out) const {
  if (out == nullptr) {
    return 0;
  }
  const char* value = valueOf(name);
  if (value == nullptr) {
    out[0] = '\0';
    return 0;
  }
  std::strcpy(out, value);
  return 1;
}

int QvUniRecord::getFieldReal(const char* name, double& out) const {
  out = kFailedRealRead;
  const IQvUniField* field = fields_.find(name);
  if (field == nullptr || field->getValue() == nullptr ||
      !typeAccepts(field->getType(), "real", "double")) {
    return 0;
  }
  out = readDecimal(field->getValue(), nullptr);
  return 1;
}

int QvUniRecord::getFieldLong(const char* name, int32_t& out) const {
  out = 0;
  const IQvUniField* field = fields_.find(name);
  if (field == nullptr || field->getValue() == nullptr ||
      !typeAccepts(field->getType(), "integer", "long")) {
    return 0;
  }
  out = readLong32(field->getValue());
  return 1;
}

int QvUniRecord::compareByField(const IQvUniRecord* other, const char* fieldName,
                                int descending) const {
  if (other == nullptr) {
    return 0;
  }
  const char* mine = nullptr;
  const char* theirs = nullptr;
  if (fieldName == nullptr) {
    mine = getId();
    theirs = other->getId();
  } else {
    mine = valueOf(fieldName);
    const IQvUniField* field = findField(other, fieldName);
    theirs = field != nullptr ? field->getValue() : nullptr;
  }
  if (mine == nullptr) {
    mine = "";
  }
  if (theirs == nullptr) {
    theirs = "";
  }
  const int result = compareNatural(mine, boundedLength(mine, kOrderedLength), theirs,
                                    boundedLength(theirs, kOrderedLength));
  return descending != 0 ? -result : result;
}

int QvUniRecord::isEqual(const IQvUniRecord* other, const IQvUniRecord* ignoreMask) const {
  if (other == nullptr || !sameOwnContent(this, other, ignoreMask)) {
    return 0;
  }
  // The child chains are compared pairwise, depth first, without recursion: each entry is a
  // pair of records at the same place of the two trees, either of which may be missing.
  try {
    std::vector<std::pair<const IQvUniRecord*, const IQvUniRecord*>> pending;
    pending.emplace_back(firstChild(), other->firstChild());
    while (!pending.empty()) {
      const auto [mine, theirs] = pending.back();
      pending.pop_back();
      if (mine == nullptr || theirs == nullptr) {
        if (mine != theirs) {
          return 0; // one chain ended before the other
        }
        continue;
      }
      if (!sameOwnContent(mine, theirs, ignoreMask)) {
        return 0;
      }
      pending.emplace_back(mine->next(), theirs->next());
      pending.emplace_back(mine->firstChild(), theirs->firstChild());
    }
  } catch (const std::bad_alloc&) {
    noteAllocationFailure();
    return 0;
  }
  return 1;
}

void QvUniRecord::setFieldShort(const char* name, int16_t value, int replace, const char* type) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  setField(name, text, replace, type);
}

void QvUniRecord::setFieldLong(const char* name, int32_t value, int replace, const char* type) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  setField(name, text, replace, type);
}

void QvUniRecord::setFieldReal(const char* name, double value, int replace, const char* type) {
  char text[kRealTextSize];
  setField(name, formatFieldReal(value, text), replace, type);
}

IQvUniRecord* QvUniRecord::findById(const char* id) const {
  if (id == nullptr) {
    return nullptr;
  }
  for (const IQvUniRecord* record = this; record != nullptr; record = record->next()) {
    if (equalsNoCase(record->getId(), id)) {
      return const_cast<IQvUniRecord*>(record);
    }
  }
  return nullptr;
}

IQvUniRecord* QvUniRecord::itemAt(int index) const {
  if (index < 0) {
    return nullptr;
  }
  const IQvUniRecord* record = this;
  while (record != nullptr && index > 0) {
    record = record->next();
    --index;
  }
  return const_cast<IQvUniRecord*>(record);
}

void QvUniRecord::appendRecord(IQvUniRecord* record) {
  if (record == nullptr || record == this || record->next() != nullptr) {
    return;
  }
  const bool hintHolds =
      tailHint_ != nullptr && tailHintEpoch_ == chainCuts.load(std::memory_order_relaxed);
  IQvUniRecord* end = hintHolds ? tailHint_ : this;
  while (end->next() != nullptr) {
    end = end->next();
  }
  // Already the last record of this chain: linking it again would make it its own next.
  if (end == record) {
    return;
  }
  end->setNext(record);
  tailHint_ = record;
  tailHintEpoch_ = chainCuts.load(std::memory_order_relaxed);
}

void QvUniRecord::removeRecord(IQvUniRecord* record) {
  if (record == nullptr || record == this) {
    return;
  }
  IQvUniRecord* previous = this;
  while (previous->next() != nullptr && previous->next() != record) {
    previous = previous->next();
  }
  if (previous->next() != record) {
    return;
  }
  previous->setNext(record->next());
  record->setNext(nullptr);
  delete record;
  tailHint_ = nullptr;
}

int QvUniRecord::countRecords() const {
  int count = 0;
  for (const IQvUniRecord* record = this; record != nullptr; record = record->next()) {
    ++count;
  }
  return count;
}

IQvUniRecord* QvUniRecord::clone() const {
  QvUniRecord* root = copyOwnContent(this);
  if (root == nullptr) {
    return nullptr;
  }
  // Depth first without recursion, so that a tree of any depth is copied. Each level holds a
  // record being copied, its copy, and the last child copied so far with that child's copy.
  struct Level {
    const IQvUniRecord* source;
    IQvUniRecord* copy;
    const IQvUniRecord* lastSource;
    IQvUniRecord* lastCopy;
  };
  try {
    std::vector<Level> path;
    path.push_back(Level{this, root, nullptr, nullptr});
    while (!path.empty()) {
      Level& level = path.back();
      const IQvUniRecord* child =
          level.lastSource == nullptr ? level.source->firstChild() : level.lastSource->next();
      if (child == nullptr) {
        path.pop_back();
        continue;
      }
      QvUniRecord* copy = copyOwnContent(child);
      if (copy == nullptr) {
        destroyRecordTree(root);
        return nullptr;
      }
      if (level.lastCopy == nullptr) {
        level.copy->setFirstChild(copy);
      } else {
        level.lastCopy->setNext(copy);
      }
      level.lastSource = child;
      level.lastCopy = copy;
      path.push_back(Level{child, copy, nullptr, nullptr});
    }
  } catch (const std::bad_alloc&) {
    noteAllocationFailure();
    destroyRecordTree(root);
    return nullptr;
  }
  return root;
}

void QvUniRecord::releaseChain() {
  // The records are not unlinked first: a record's deletion is noted as a cut already, and a
  // record does not own its next.
  IQvUniRecord* rest = next_;
  while (rest != nullptr) {
    IQvUniRecord* following = rest->next();
    delete rest;
    rest = following;
  }
  delete this;
}

IQvUniRecord* cloneChain(const IQvUniRecord* first) {
  IQvUniRecord* head = nullptr;
  IQvUniRecord* last = nullptr;
  for (const IQvUniRecord* record = first; record != nullptr; record = record->next()) {
    IQvUniRecord* copy = record->clone();
    if (copy == nullptr) {
      destroyRecordTree(head);
      return nullptr;
    }
    if (last == nullptr) {
      head = copy;
    } else {
      last->setNext(copy);
    }
    last = copy;
  }
  return head;
}

QvUniRecord* appendNewChild(IQvUniRecord* parent, IQvUniRecord*& lastChild) {
  QvUniRecord* child = QvUniRecord::create();
  if (child == nullptr) {
    return nullptr;
  }
  if (lastChild != nullptr) {
    lastChild->setNext(child);
  } else if (parent->firstChild() != nullptr) {
    parent->firstChild()->appendRecord(child);
  } else {
    parent->setFirstChild(child);
  }
  lastChild = child;
  return child;
}

} // namespace qv

// Dictionaries of the drawing database and their iterators.
#include "platform/acad/dbdict.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/internal/session.h"

namespace {

using sim::detail::FailableCall;
using sim::detail::shouldFail;

char foldCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Characters the host refuses in a key (a leading * asks for an anonymous key instead).
bool isKeyCharacterRefused(char c) {
  return std::strchr("|*\\:;<>?\",=`", c) != nullptr;
}

struct Visit {
  std::string name;
  AcDbObjectId id;
};

class DictionaryIterator : public AcDbDictionaryIterator {
public:
  DictionaryIterator(AcDbDatabase* db, std::vector<Visit> visits)
      : db_(db), visits_(std::move(visits)) {}
  const char* name() const override { return done() ? nullptr : visits_[at_].name.c_str(); }
  Acad::ErrorStatus getObject(AcDbObject*& object, AcDb::OpenMode mode) override {
    object = nullptr;
    if (shouldFail(FailableCall::AcDbDictionaryIterator_getObject)) {
      return Acad::eWasOpenForWrite; // as when another caller holds it
    }
    if (done()) {
      return Acad::eIteratorDone;
    }
    return db_->openObject(object, visits_[at_].id, mode, false);
  }
  AcDbObjectId objectId() const override { return done() ? AcDbObjectId::kNull : visits_[at_].id; }
  bool done() const override { return at_ >= visits_.size(); }
  bool next() override {
    if (!done()) {
      ++at_;
    }
    return !done();
  }
  bool setPosition(AcDbObjectId objId) override {
    for (size_t i = 0; i < visits_.size(); ++i) {
      if (visits_[i].id == objId) {
        at_ = i;
        return true;
      }
    }
    return false;
  }

private:
  AcDbDatabase* db_;
  std::vector<Visit> visits_;
  size_t at_ = 0;
};

} // namespace

AcRxClass* AcDbDictionary::desc() {
  static AcRxClass description("AcDbDictionary", AcDbObject::desc());
  return &description;
}

AcRxClass* AcDbDictionary::isA() const {
  return desc();
}

bool AcDbDictionary::KeyLess::operator()(const std::string& left, const std::string& right) const {
  const size_t common = std::min(left.size(), right.size());
  for (size_t i = 0; i < common; ++i) {
    const auto l = static_cast<unsigned char>(foldCase(left[i]));
    const auto r = static_cast<unsigned char>(foldCase(right[i]));
    if (l != r) {
      return l < r;
    }
  }
  return left.size() < right.size();
}

Acad::ErrorStatus AcDbDictionary::getAt(const char* key, AcDbObjectId& entryId) const {
  entryId = AcDbObjectId::kNull;
  if (!isReadEnabled()) {
    return Acad::eNotOpenForRead;
  }
  if (key == nullptr) {
    return Acad::eInvalidInput;
  }
  auto found = entries_.find(key);
  if (found == entries_.end()) {
    return Acad::eKeyNotFound;
  }
  entryId = found->second.id;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::getAt(const char* key, AcDbObject*& entry,
                                        AcDb::OpenMode mode) const {
  entry = nullptr;
  if (shouldFail(FailableCall::AcDbDictionary_getAt)) {
    return Acad::eOutOfMemory;
  }
  AcDbObjectId id;
  const Acad::ErrorStatus status = getAt(key, id);
  if (status != Acad::eOk) {
    return status;
  }
  return database()->openObject(entry, id, mode, false);
}

bool AcDbDictionary::has(const char* key) const {
  return key != nullptr && isReadEnabled() && entries_.count(key) != 0;
}

bool AcDbDictionary::has(AcDbObjectId entryId) const {
  if (!isReadEnabled() || entryId.isNull() || database() == nullptr) {
    return false;
  }
  const AcDbObject* object = database()->objectAt(entryId);
  return object != nullptr && object->ownerId() == objectId();
}

uint32_t AcDbDictionary::numEntries() const {
  return isReadEnabled() ? static_cast<uint32_t>(entries_.size()) : 0;
}

Acad::ErrorStatus AcDbDictionary::setAt(const char* key, AcDbObject* object,
                                        AcDbObjectId& entryId) {
  entryId = AcDbObjectId::kNull;
  if (shouldFail(FailableCall::AcDbDictionary_setAt)) {
    return Acad::eOutOfMemory;
  }
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (database() == nullptr) {
    return Acad::eNoDatabase; // a dictionary takes entries once it is in a database itself
  }
  if (object == nullptr) {
    return Acad::eNullObjectPointer;
  }
  if (key == nullptr || *key == '\0') {
    return Acad::eInvalidInput;
  }
  if (object->database() != nullptr) {
    if (object->database() != database()) {
      return Acad::eWrongDatabase;
    }
    if (!object->ownerId().isNull() || object == this) {
      return Acad::eAlreadyInDb; // an object has one owner
    }
  }
  // The host answers a lack of memory with a status and changes nothing: everything that
  // allocates is done before the first change that cannot be taken back.
  auto inserted = entries_.end();
  try {
    std::string name = key;
    const bool anonymous = name[0] == '*';
    if (std::any_of(name.begin() + (anonymous ? 1 : 0), name.end(), isKeyCharacterRefused)) {
      return Acad::eInvalidKey;
    }
    if (anonymous) {
      do {
        name = std::string(key) + std::to_string(nextAnonymous_++);
      } while (entries_.count(name) != 0);
    }
    auto found = entries_.find(name);
    AcDbObject* replaced = nullptr;
    if (found != entries_.end()) {
      // The replaced object is erased; it must not be open elsewhere.
      replaced = database()->objectAt(found->second.id);
      const Acad::ErrorStatus refused =
          replaced != nullptr ? AcDbDatabase::eraseRefusal(*replaced) : Acad::eOk;
      if (refused != Acad::eOk) {
        return refused;
      }
    } else {
      inserted = entries_.emplace(name, Entry{name, AcDbObjectId::kNull, nextAdded_}).first;
      found = inserted;
    }
    if (object->database() == nullptr) {
      const Acad::ErrorStatus status = database()->addObject(object);
      if (status != Acad::eOk) {
        if (inserted != entries_.end()) {
          entries_.erase(inserted);
        }
        return status;
      }
    }
    // Nothing below allocates.
    if (replaced != nullptr) {
      AcDbDatabase::eraseForOwner(*replaced, false);
    }
    if (inserted != entries_.end()) {
      ++nextAdded_;
    }
    AcDbDatabase::setOwner(*object, objectId());
    found->second.id = object->objectId(); // a replaced entry keeps its key and its place
    entryId = object->objectId();
    return Acad::eOk;
  } catch (const std::bad_alloc&) {
    if (inserted != entries_.end()) {
      entries_.erase(inserted);
    }
    return Acad::eOutOfMemory;
  }
}

Acad::ErrorStatus AcDbDictionary::removeEntry(std::map<std::string, Entry, KeyLess>::iterator found,
                                              AcDbObjectId* entryId) {
  const AcDbObjectId id = found->second.id;
  if (AcDbObject* removed = database()->objectAt(id)) {
    const Acad::ErrorStatus refused = AcDbDatabase::eraseForOwner(*removed, false);
    if (refused != Acad::eOk) {
      return refused;
    }
  }
  entries_.erase(found);
  if (entryId != nullptr) {
    *entryId = id;
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const char* key, AcDbObjectId& entryId) {
  entryId = AcDbObjectId::kNull;
  if (shouldFail(FailableCall::AcDbDictionary_remove)) {
    return Acad::eOutOfMemory;
  }
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (key == nullptr) {
    return Acad::eInvalidInput;
  }
  auto found = entries_.find(key);
  if (found == entries_.end()) {
    return Acad::eKeyNotFound;
  }
  return removeEntry(found, &entryId);
}

Acad::ErrorStatus AcDbDictionary::remove(const char* key) {
  AcDbObjectId ignored;
  return remove(key, ignored);
}

Acad::ErrorStatus AcDbDictionary::remove(AcDbObjectId entryId) {
  if (shouldFail(FailableCall::AcDbDictionary_remove)) {
    return Acad::eOutOfMemory;
  }
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  for (auto walk = entries_.begin(); walk != entries_.end(); ++walk) {
    if (walk->second.id == entryId) {
      return removeEntry(walk, nullptr);
    }
  }
  return Acad::eKeyNotFound;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator(AcRx::DictIterType type) const {
  if (shouldFail(FailableCall::AcDbDictionary_newIterator) || !isReadEnabled() ||
      database() == nullptr) {
    return nullptr;
  }
  try {
    std::vector<const Entry*> order;
    order.reserve(entries_.size());
    for (const auto& entry : entries_) {
      order.push_back(&entry.second);
    }
    if (type == AcRx::kDictCollated) {
      std::sort(order.begin(), order.end(),
                [](const Entry* a, const Entry* b) { return a->added < b->added; });
    }
    std::vector<Visit> visits;
    visits.reserve(order.size());
    for (const Entry* entry : order) {
      visits.push_back({entry->key, entry->id});
    }
    return new DictionaryIterator(database(), std::move(visits));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void AcDbDictionary::dropEntry(AcDbObjectId entryId) {
  for (auto walk = entries_.begin(); walk != entries_.end(); ++walk) {
    if (walk->second.id == entryId) {
      entries_.erase(walk);
      return;
    }
  }
}

void AcDbDictionary::subErase(bool erasing) {
  // Erasing a dictionary erases what it holds; the entries stay listed in the erased dictionary.
  if (!erasing || database() == nullptr) {
    return;
  }
  for (const auto& entry : entries_) {
    if (AcDbObject* held = database()->objectAt(entry.second.id)) {
      const AcDbObjectId owner = held->ownerId();
      AcDbDatabase::eraseForOwner(*held, true);
      AcDbDatabase::setOwner(*held, owner);
    }
  }
}

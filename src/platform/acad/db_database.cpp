// The drawing database: object ids, the open rules of the host, and adding objects.
#include "platform/acad/dbmain.h"

#include <map>
#include <new>

#include "platform/acad/dbdict.h"
#include "platform/acad/dbsymtb.h"
#include "platform/internal/session.h"

namespace {

using sim::detail::FailableCall;
using sim::detail::shouldFail;

// The host lets this many readers hold one object at once.
constexpr size_t kMaxReaders = 256;

// Live databases by serial. Process-wide, not per session: a database lives as long as its owner
// keeps it (a document, or a caller that made one), across resets too.
// Never destroyed: databases held by statics may go after it at exit.
std::map<uint32_t, AcDbDatabase*>& registry() {
  static auto* live = new std::map<uint32_t, AcDbDatabase*>();
  return *live;
}

uint32_t nextSerial() {
  static uint32_t serial = 0;
  return ++serial;
}

} // namespace

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const {
  const AcDbDatabase* db = database();
  return db != nullptr && db->objectAt(*this) != nullptr;
}

bool AcDbObjectId::isErased() const {
  const AcDbDatabase* db = database();
  const AcDbObject* object = db != nullptr ? db->objectAt(*this) : nullptr;
  return object != nullptr && object->isErased();
}

AcDbDatabase* AcDbObjectId::database() const {
  return isNull() ? nullptr : AcDbDatabase::fromSerial(database_);
}

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool /*noDocument*/) : serial_(nextSerial()) {
  registry()[serial_] = this;
  if (buildDefaultDrawing) {
    auto* namedObjects = new AcDbDictionary();
    addObject(namedObjects);
    namedObjects_ = namedObjects->objectId();
    namedObjects->close();
    buildSymbolTables();
  }
}

AcDbObjectId AcDbDatabase::idAtPlace(uint32_t place) const {
  if (place == 0 || place > objects_.size()) {
    return AcDbObjectId::kNull;
  }
  return AcDbObjectId(serial_, place);
}

uint64_t AcDbDatabase::handleOf(AcDbObjectId id) {
  return id.index_;
}

AcDbDatabase::~AcDbDatabase() {
  destroying_ = true;
  objects_.clear();
  registry().erase(serial_);
}

AcDbDatabase* AcDbDatabase::fromSerial(uint32_t serial) {
  auto found = registry().find(serial);
  return found == registry().end() ? nullptr : found->second;
}

std::vector<AcDbDatabase*> AcDbDatabase::liveDatabases() {
  std::vector<AcDbDatabase*> live;
  for (const auto& entry : registry()) {
    live.push_back(entry.second);
  }
  return live;
}

AcDbObject* AcDbDatabase::objectAt(AcDbObjectId id) const {
  if (id.database_ != serial_ || id.index_ == 0 || id.index_ > objects_.size()) {
    return nullptr;
  }
  return objects_[id.index_ - 1].get();
}

Acad::ErrorStatus AcDbDatabase::addObject(AcDbObject* object) {
  if (object == nullptr) {
    return Acad::eNullObjectPointer;
  }
  if (object->database_ != nullptr) {
    return Acad::eAlreadyInDb;
  }
  // Both growths come first, so that a lack of memory leaves the object its maker's.
  object->opens_.reserve(object->opens_.size() + 1);
  objects_.emplace_back(object);
  object->database_ = this;
  object->id_ = AcDbObjectId(serial_, static_cast<uint32_t>(objects_.size()));
  // An object added to the database is open for write, to be closed by whoever added it.
  object->opens_.push_back(AcDb::kForWrite);
  ++openCount_;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* object) {
  if (shouldFail(FailableCall::AcDbDatabase_addAcDbObject)) {
    return Acad::eOutOfMemory;
  }
  try {
    return addObject(object);
  } catch (const std::bad_alloc&) {
    return Acad::eOutOfMemory; // the host answers with a status; the object stays its maker's
  }
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* object) {
  const Acad::ErrorStatus status = addAcDbObject(object);
  id = status == Acad::eOk ? object->objectId() : AcDbObjectId::kNull;
  return status;
}

Acad::ErrorStatus AcDbDatabase::openObject(AcDbObject*& object, AcDbObjectId id,
                                           AcDb::OpenMode mode, bool openErased) {
  object = nullptr;
  if (id.isNull()) {
    return Acad::eNullObjectId;
  }
  AcDbObject* target = objectAt(id);
  if (target == nullptr) {
    return Acad::eWrongDatabase;
  }
  if (target->erased_ && !openErased) {
    return Acad::eWasErased;
  }
  size_t readers = 0;
  bool writer = false;
  for (AcDb::OpenMode open : target->opens_) {
    readers += open == AcDb::kForRead ? 1 : 0;
    writer = writer || open == AcDb::kForWrite;
  }
  // Readers share an object; a writer has it alone. Opening for notification is always allowed.
  if (mode == AcDb::kForRead) {
    if (writer) {
      return Acad::eWasOpenForWrite;
    }
    if (readers >= kMaxReaders) {
      return Acad::eAtMaxReaders;
    }
  } else if (mode == AcDb::kForWrite) {
    if (writer) {
      return Acad::eWasOpenForWrite;
    }
    if (readers > 0) {
      return Acad::eWasOpenForRead;
    }
  } else if (mode != AcDb::kForNotify) {
    return Acad::eInvalidOpenState;
  }
  const bool wasClosed = target->opens_.empty();
  try {
    target->opens_.push_back(mode);
  } catch (const std::bad_alloc&) {
    return Acad::eOutOfMemory; // the host answers with a status and opens nothing
  }
  if (wasClosed) {
    ++openCount_;
  }
  object = target;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& dictionary,
                                                          AcDb::OpenMode mode) {
  dictionary = nullptr;
  if (shouldFail(FailableCall::AcDbDatabase_getNamedObjectsDictionary)) {
    return Acad::eWasOpenForWrite; // as when another caller holds it
  }
  AcDbObject* object = nullptr;
  const Acad::ErrorStatus status = openObject(object, namedObjects_, mode, false);
  if (status == Acad::eOk) {
    dictionary = AcDbDictionary::cast(object);
  }
  return status;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
  return acdbOpenAcDbObject(object, id, mode, openErased, nullptr);
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased, const AcRxClass* aClass) {
  object = nullptr;
  if (shouldFail(FailableCall::acdbOpenAcDbObject)) {
    return Acad::eWasOpenForWrite; // as when another caller holds it
  }
  if (id.isNull()) {
    return Acad::eNullObjectId;
  }
  AcDbDatabase* db = id.database();
  if (db == nullptr) {
    return Acad::eWrongDatabase; // the database of the id is gone
  }
  AcDbObject* target = db->objectAt(id);
  if (target == nullptr) {
    return Acad::eWrongDatabase;
  }
  // The class is checked before opening, so that a refused object is not left open.
  if (aClass != nullptr && !target->isKindOf(aClass)) {
    return Acad::eNotThatKindOfClass;
  }
  return db->openObject(object, id, mode, openErased);
}

Acad::ErrorStatus AcDbDatabase::eraseRefusal(const AcDbObject& object) {
  if (object.erased_) {
    return Acad::eOk;
  }
  for (AcDb::OpenMode open : object.opens_) {
    if (open == AcDb::kForWrite) {
      return Acad::eWasOpenForWrite;
    }
  }
  return object.opens_.empty() ? Acad::eOk : Acad::eWasOpenForRead;
}

Acad::ErrorStatus AcDbDatabase::eraseForOwner(AcDbObject& object, bool evenIfOpen) {
  if (object.erased_) {
    return Acad::eOk;
  }
  if (!evenIfOpen) {
    const Acad::ErrorStatus refused = eraseRefusal(object);
    if (refused != Acad::eOk) {
      return refused;
    }
  }
  object.subErase(true);
  object.erased_ = true;
  object.owner_ = AcDbObjectId::kNull;
  return Acad::eOk;
}

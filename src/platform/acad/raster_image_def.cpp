// Raster image definitions, the image dictionary and the definitions' reactors.
#include "platform/acad/imgdef.h"

#include <algorithm>
#include <new>

#include "platform/acad/dbdict.h"
#include "platform/acad/internal/image_size.h"
#include "platform/acad/internal/raster_module.h"
#include "platform/internal/session.h"
#include "platform/win/sim_files.h"

namespace {

using sim::detail::FailableCall;
using sim::detail::shouldFail;

constexpr const char* kImageDictionaryKey = "ACAD_IMAGE_DICT";

struct RasterState {
  bool reactorsEnabled = true;
};

RasterState& raster() {
  return sim::detail::session<RasterState>();
}

void* allocateRasterObject(std::size_t size, FailableCall call) {
  if (!sim::detail::rasterModuleLoaded() || shouldFail(call)) {
    return nullptr;
  }
  return ::operator new(size, std::nothrow);
}

// Opens the named-object dictionary of db as the host's own calls do (no planned failure).
Acad::ErrorStatus openNamedObjects(AcDbDatabase& db, AcDbDictionary*& dictionary,
                                   AcDb::OpenMode mode) {
  dictionary = nullptr;
  AcDbObject* object = nullptr;
  const Acad::ErrorStatus status =
      db.openObject(object, db.namedObjectsDictionaryId(), mode, false);
  if (status == Acad::eOk) {
    dictionary = AcDbDictionary::cast(object);
  }
  return status;
}

// The image dictionary's id in an open named-object dictionary; null when it holds none.
AcDbObjectId imageDictionaryIn(AcDbDatabase& db, const AcDbDictionary& namedObjects) {
  AcDbObjectId id;
  if (namedObjects.getAt(kImageDictionaryKey, id) != Acad::eOk ||
      AcDbDictionary::cast(db.objectAt(id)) == nullptr) {
    return AcDbObjectId::kNull;
  }
  return id;
}

} // namespace

AcRxClass* AcDbRasterImageDef::desc() {
  static AcRxClass description("AcDbRasterImageDef", AcDbObject::desc());
  return &description;
}

AcRxClass* AcDbRasterImageDef::isA() const {
  return desc();
}

void* AcDbRasterImageDef::operator new(std::size_t size) noexcept {
  return allocateRasterObject(size, FailableCall::AcDbRasterImageDef_new);
}

void AcDbRasterImageDef::operator delete(void* object) noexcept {
  ::operator delete(object);
}

Acad::ErrorStatus AcDbRasterImageDef::createImageDictionary(AcDbDatabase* db,
                                                            AcDbObjectId& dictionaryId) {
  dictionaryId = AcDbObjectId::kNull;
  if (db == nullptr) {
    return Acad::eNoDatabase;
  }
  if (!sim::detail::rasterModuleLoaded()) {
    return Acad::eNotApplicable;
  }
  if (shouldFail(FailableCall::AcDbRasterImageDef_createImageDictionary)) {
    return Acad::eOutOfMemory;
  }
  AcDbDictionary* namedObjects = nullptr;
  Acad::ErrorStatus status = openNamedObjects(*db, namedObjects, AcDb::kForWrite);
  if (status != Acad::eOk) {
    return status;
  }
  dictionaryId = imageDictionaryIn(*db, *namedObjects);
  if (dictionaryId.isNull()) {
    auto* images = new (std::nothrow) AcDbDictionary();
    status = images == nullptr ? Acad::eOutOfMemory
                               : namedObjects->setAt(kImageDictionaryKey, images, dictionaryId);
    if (status == Acad::eOk) {
      images->close();
    } else {
      delete images;
    }
  }
  namedObjects->close();
  return status;
}

AcDbObjectId AcDbRasterImageDef::imageDictionary(AcDbDatabase* db) {
  if (db == nullptr || !sim::detail::rasterModuleLoaded()) {
    return AcDbObjectId::kNull;
  }
  AcDbDictionary* namedObjects = nullptr;
  if (openNamedObjects(*db, namedObjects, AcDb::kForRead) != Acad::eOk) {
    return AcDbObjectId::kNull;
  }
  const AcDbObjectId id = imageDictionaryIn(*db, *namedObjects);
  namedObjects->close();
  return id;
}

Acad::ErrorStatus AcDbRasterImageDef::setSourceFileName(const char* path) {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (path == nullptr || *path == '\0') {
    return Acad::eInvalidInput;
  }
  if (shouldFail(FailableCall::AcDbRasterImageDef_setSourceFileName)) {
    return Acad::eFileNotFound;
  }
  if (!sim::detail::imageFileExists(sim::hostPath(path))) {
    return Acad::eFileNotFound;
  }
  try {
    if (source_ != path) {
      source_ = path;
      loaded_ = false;
    }
  } catch (const std::bad_alloc&) {
    return Acad::eOutOfMemory;
  }
  return Acad::eOk;
}

const char* AcDbRasterImageDef::sourceFileName() const {
  return source_.c_str();
}

Acad::ErrorStatus AcDbRasterImageDef::load() {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (shouldFail(FailableCall::AcDbRasterImageDef_load)) {
    return Acad::eOutOfMemory;
  }
  if (source_.empty()) {
    return Acad::eFileNotFound;
  }
  int width = 0;
  int height = 0;
  switch (sim::detail::readImageSize(sim::hostPath(source_), width, height)) {
  case sim::detail::ImageRead::Missing:
    return Acad::eFileNotFound;
  case sim::detail::ImageRead::NotAnImage:
    return Acad::eInvalidInput;
  case sim::detail::ImageRead::Read:
    break;
  }
  size_ = AcGeVector2d(width, height);
  loaded_ = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbRasterImageDef::unload(bool /*modifyDatabase*/) {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  loaded_ = false;
  return Acad::eOk;
}

bool AcDbRasterImageDef::isLoaded() const {
  return loaded_;
}

AcGeVector2d AcDbRasterImageDef::size() const {
  return size_;
}

Acad::ErrorStatus AcDbRasterImageDef::addPersistentReactor(AcDbObjectId reactorId) {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (reactorId.isNull()) {
    return Acad::eNullObjectId;
  }
  try {
    if (!hasPersistentReactor(reactorId)) {
      reactors_.push_back(reactorId);
    }
  } catch (const std::bad_alloc&) {
    return Acad::eOutOfMemory;
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbRasterImageDef::removePersistentReactor(AcDbObjectId reactorId) {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  std::erase(reactors_, reactorId);
  return Acad::eOk;
}

bool AcDbRasterImageDef::hasPersistentReactor(AcDbObjectId reactorId) const {
  return std::find(reactors_.begin(), reactors_.end(), reactorId) != reactors_.end();
}

int AcDbRasterImageDef::entityCount() const {
  int count = 0;
  for (AcDbObjectId reactorId : reactors_) {
    const AcDbObject* reactor =
        reactorId.database() != nullptr ? reactorId.database()->objectAt(reactorId) : nullptr;
    if (reactor == nullptr || reactor->isErased()) {
      continue;
    }
    const AcDbObjectId imageId = reactor->ownerId();
    count += imageId.isValid() && !imageId.isErased() ? 1 : 0;
  }
  return count;
}

void AcDbRasterImageDef::subErase(bool erasing) {
  if (!erasing || !raster().reactorsEnabled || database() == nullptr) {
    return;
  }
  for (AcDbObjectId reactorId : reactors_) {
    AcDbObject* reactor = database()->objectAt(reactorId);
    if (reactor == nullptr || reactor->isErased()) {
      continue;
    }
    if (AcDbObject* image = database()->objectAt(reactor->ownerId())) {
      // An image open elsewhere stays, as the host leaves an entity it cannot open.
      static_cast<void>(AcDbDatabase::eraseForOwner(*image, false));
    }
  }
}

AcRxClass* AcDbRasterImageDefReactor::desc() {
  static AcRxClass description("AcDbRasterImageDefReactor", AcDbObject::desc());
  return &description;
}

AcRxClass* AcDbRasterImageDefReactor::isA() const {
  return desc();
}

void* AcDbRasterImageDefReactor::operator new(std::size_t size) noexcept {
  return allocateRasterObject(size, FailableCall::AcDbRasterImageDefReactor_new);
}

void AcDbRasterImageDefReactor::operator delete(void* object) noexcept {
  ::operator delete(object);
}

void AcDbRasterImageDefReactor::setEnable(bool enable) {
  raster().reactorsEnabled = enable;
}

bool AcDbRasterImageDefReactor::isEnabled() {
  return raster().reactorsEnabled;
}

Acad::ErrorStatus AcDbRasterImageDefReactor::setOwnerId(AcDbObjectId ownerId) {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  AcDbDatabase::setOwner(*this, ownerId);
  return Acad::eOk;
}

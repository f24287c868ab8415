// The steps of attaching a raster image: its definition, its entity in a space, and the reactor
// that links them. Every object a step opens is closed on every path, and a new object that does
// not reach the database is deleted.
#include "drawing/raster_images.h"

#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbdict.h"
#include "platform/acad/dbsymtb.h"
#include "platform/acad/imgdef.h"
#include "platform/acad/imgent.h"

namespace qv {

namespace {

AcDbDatabase* currentDatabase() {
  return acdbHostApplicationServices()->workingDatabase();
}

// Names the new definition's file and reads it, printing why a file cannot be used.
int loadDefinition(AcDbRasterImageDef& definition, const char* path) {
  int status = definition.setSourceFileName(path);
  if (status != Acad::eOk) {
    acutPrintf("Error: Could not find the image file.\n");
    return status;
  }
  status = definition.load();
  if (status != Acad::eOk) {
    acutPrintf("Error: Could not open the image file.\n");
  }
  return status;
}

} // namespace

int findOrCreateImageDef(AcDbObjectId& defId, const char* imageName, const char* path) {
  defId = AcDbObjectId::kNull;
  if (imageName == nullptr || path == nullptr) {
    return Acad::eInvalidInput;
  }
  AcDbDatabase* db = currentDatabase();
  if (db == nullptr) {
    return kNoCurrentDatabase;
  }
  AcDbObjectId dictionaryId = AcDbRasterImageDef::imageDictionary(db);
  if (dictionaryId.isNull()) {
    const int status = AcDbRasterImageDef::createImageDictionary(db, dictionaryId);
    if (status != Acad::eOk) {
      return status;
    }
  }
  AcDbDictionary* images = nullptr;
  int status = acdbOpenObject(images, dictionaryId, AcDb::kForWrite);
  if (status != Acad::eOk) {
    return status;
  }
  if (images->has(imageName)) {
    images->getAt(imageName, defId);
    images->close();
    return kImageDefinitionReused;
  }
  auto* definition = new AcDbRasterImageDef();
  if (definition == nullptr) {
    images->close();
    return kImageObjectNotCreated;
  }
  status = loadDefinition(*definition, path);
  if (status == Acad::eOk) {
    status = images->setAt(imageName, definition, defId);
  }
  images->close();
  if (status != Acad::eOk) {
    delete definition; // never reached the dictionary, so it is still ours
    return status;
  }
  definition->close();
  return Acad::eOk;
}

int appendToSpace(AcDbEntity* entity, bool paperSpace) {
  AcDbDatabase* db = currentDatabase();
  if (db == nullptr) {
    return kNoCurrentDatabase;
  }
  AcDbBlockTable* blocks = nullptr;
  int status = db->getBlockTable(blocks, AcDb::kForRead);
  if (status != Acad::eOk) {
    return status;
  }
  AcDbBlockTableRecord* space = nullptr;
  status = blocks->getAt(paperSpace ? ACDB_PAPER_SPACE : ACDB_MODEL_SPACE, space, AcDb::kForWrite);
  if (status == Acad::eOk) {
    status = space->appendAcDbEntity(entity);
    if (status != Acad::eOk) {
      acutPrintf("Attach error: %d\n", status);
    }
    space->close();
  }
  blocks->close();
  return status;
}

int createImageEntity(AcDbObjectId& imageId, AcDbObjectId defId) {
  imageId = AcDbObjectId::kNull;
  auto* image = new AcDbRasterImage();
  if (image == nullptr) {
    return kImageEntityNotCreated;
  }
  int status = image->setImageDefId(defId);
  if (status == Acad::eOk) {
    status = appendToSpace(image, false);
  }
  if (status != Acad::eOk) {
    delete image; // not in the drawing, so still ours
    return status;
  }
  imageId = image->objectId();
  image->close();
  return Acad::eOk;
}

int linkImageReactor(AcDbObjectId& reactorId, AcDbObjectId defId, AcDbObjectId imageId) {
  reactorId = AcDbObjectId::kNull;
  // The notifications come back on however the link ends.
  struct Notifications {
    Notifications() { AcDbRasterImageDefReactor::setEnable(false); }
    ~Notifications() { AcDbRasterImageDefReactor::setEnable(true); }
    Notifications(const Notifications&) = delete;
    Notifications& operator=(const Notifications&) = delete;
  } off;
  AcDbRasterImageDef* definition = nullptr;
  int status = acdbOpenObject(definition, defId, AcDb::kForWrite);
  if (status != Acad::eOk) {
    return status;
  }
  AcDbRasterImage* image = nullptr;
  status = acdbOpenObject(image, imageId, AcDb::kForWrite);
  if (status != Acad::eOk) {
    definition->close();
    return status;
  }
  auto* reactor = new AcDbRasterImageDefReactor();
  if (reactor == nullptr) {
    image->close();
    definition->close();
    return kImageObjectNotCreated;
  }
  status = reactor->setOwnerId(imageId);
  if (status == Acad::eOk) {
    status = image->database()->addAcDbObject(reactorId, reactor);
  }
  if (status != Acad::eOk) {
    image->close();
    definition->close();
    delete reactor;
    return status;
  }
  image->setReactorId(reactorId);
  status = definition->addPersistentReactor(reactorId);
  reactor->close();
  definition->close();
  image->close();
  return status;
}

int attachImage(AcDbObjectId& imageId, const char* imageName, const char* path) {
  imageId = AcDbObjectId::kNull;
  AcDbObjectId defId;
  int status = findOrCreateImageDef(defId, imageName, path);
  if (status != Acad::eOk && status != kImageDefinitionReused) {
    return status;
  }
  status = createImageEntity(imageId, defId);
  if (status != Acad::eOk) {
    return status;
  }
  AcDbObjectId reactorId;
  status = linkImageReactor(reactorId, defId, imageId);
  if (status != Acad::eOk) {
    // An image without its reactor would not follow its definition: it does not stay.
    AcDbEntity* image = nullptr;
    if (acdbOpenAcDbEntity(image, imageId, AcDb::kForWrite) == Acad::eOk) {
      image->erase();
      image->close();
    }
    imageId = AcDbObjectId::kNull;
  }
  return status;
}

} // namespace qv

// Entities of the drawing database: layer, colour and own groups; the entity classes; extended
// data of objects; entity names.
#include "platform/acad/dbmain.h"

#include <new>

#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbents.h"
#include "platform/acad/dbsymtb.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

namespace {

using sim::detail::FailableCall;
using sim::detail::shouldFail;

} // namespace

// ---- Extended data of every object

resbuf* AcDbObject::xData(const char* regappName) const {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  bool keep = regappName == nullptr;
  for (const sim::detail::EntityGroup& group : xdata_) {
    if (group.code == 1001 && regappName != nullptr) {
      keep = sim::detail::upperCase(group.text) == sim::detail::upperCase(regappName);
    }
    if (!keep) {
      continue;
    }
    resbuf* item = sim::detail::itemFromGroup(group);
    if (item == nullptr) {
      acutRelRb(head);
      return nullptr;
    }
    *tail = item;
    tail = &item->rbnext;
  }
  return head;
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
  if (shouldFail(FailableCall::AcDbObject_setXData)) {
    return Acad::eOutOfMemory;
  }
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  AcDbDatabase* db =
      database_ != nullptr ? database_ : acdbHostApplicationServices()->workingDatabase();
  try {
    sim::detail::EntityGroups merged;
    const Acad::ErrorStatus status = sim::detail::mergeXData(db, xdata_, xdata, merged);
    if (status == Acad::eOk) {
      xdata_ = std::move(merged);
    }
    return status;
  } catch (const std::bad_alloc&) {
    return Acad::eOutOfMemory;
  }
}

// ---- Entities

AcRxClass* AcDbEntity::desc() {
  static AcRxClass description("AcDbEntity", AcDbObject::desc());
  return &description;
}

AcRxClass* AcDbEntity::isA() const {
  return desc();
}

AcDbEntity::~AcDbEntity() = default;

char* AcDbEntity::layer() const {
  return acad_strdup(layer_.isNull() ? "0" : sim::detail::symbolName(layer_).c_str());
}

Acad::ErrorStatus AcDbEntity::setLayer(const char* newVal, bool /*doSubents*/) {
  if (shouldFail(FailableCall::AcDbEntity_setLayer)) {
    return Acad::eOutOfMemory;
  }
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  AcDbDatabase* db =
      database() != nullptr ? database() : acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr || newVal == nullptr) {
    return db == nullptr ? Acad::eNoDatabase : Acad::eInvalidInput;
  }
  const AcDbObjectId found = sim::detail::findSymbol(*db, db->layerTableId(), newVal);
  if (found.isNull()) {
    return Acad::eKeyNotFound;
  }
  layer_ = found;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId newVal, bool /*doSubents*/) {
  if (shouldFail(FailableCall::AcDbEntity_setLayer)) {
    return Acad::eOutOfMemory;
  }
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (newVal.isNull()) {
    return Acad::eNullObjectId;
  }
  AcDbDatabase* db = newVal.database();
  if (db == nullptr || (database() != nullptr && db != database())) {
    return Acad::eWrongDatabase;
  }
  if (AcDbLayerTableRecord::cast(db->objectAt(newVal)) == nullptr || newVal.isErased()) {
    return Acad::eWrongObjectType;
  }
  layer_ = newVal;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(uint16_t color, bool /*doSubents*/) {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (color > 256) {
    return Acad::eOutOfRange;
  }
  color_ = color;
  return Acad::eOk;
}

void AcDbEntity::ownGroups(sim::detail::EntityGroups& groups) const {
  groups.insert(groups.end(), own_.begin(), own_.end());
}

void AcDbEntity::setOwnGroups(sim::detail::EntityGroups groups) {
  own_ = std::move(groups);
}

// ---- The entity classes

#define QV_DEFINE_ENTITY(CLASS_NAME, DXF_NAME)                                                     \
  AcRxClass* CLASS_NAME::desc() {                                                                  \
    static AcRxClass description(#CLASS_NAME, AcDbEntity::desc());                                 \
    return &description;                                                                           \
  }                                                                                                \
  AcRxClass* CLASS_NAME::isA() const {                                                             \
    return desc();                                                                                 \
  }                                                                                                \
  CLASS_NAME::CLASS_NAME() : AcDbEntity(DXF_NAME) {                                                \
    setOwnGroups(sim::detail::defaultOwnGroups(DXF_NAME));                                         \
  }

QV_DEFINE_ENTITY(AcDbPoint, "POINT")
QV_DEFINE_ENTITY(AcDbLine, "LINE")
QV_DEFINE_ENTITY(AcDbCircle, "CIRCLE")
QV_DEFINE_ENTITY(AcDbArc, "ARC")
QV_DEFINE_ENTITY(AcDbText, "TEXT")
QV_DEFINE_ENTITY(AcDbMText, "MTEXT")
QV_DEFINE_ENTITY(AcDbSolid, "SOLID")
QV_DEFINE_ENTITY(AcDbPolyline, "LWPOLYLINE")
QV_DEFINE_ENTITY(AcDbBlockReference, "INSERT")
QV_DEFINE_ENTITY(AcDbWipeout, "WIPEOUT")

#undef QV_DEFINE_ENTITY

// ---- Opening and names

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased) {
  entity = nullptr;
  if (shouldFail(FailableCall::acdbOpenAcDbEntity)) {
    return Acad::eWasOpenForWrite; // as when another caller holds it
  }
  if (id.isNull()) {
    return Acad::eNullObjectId;
  }
  AcDbDatabase* db = id.database();
  if (db == nullptr || db->objectAt(id) == nullptr) {
    return Acad::eWrongDatabase;
  }
  if (AcDbEntity::cast(db->objectAt(id)) == nullptr) {
    return Acad::eNotThatKindOfClass;
  }
  AcDbObject* opened = nullptr;
  const Acad::ErrorStatus status = db->openObject(opened, id, mode, openErased);
  entity = status == Acad::eOk ? AcDbEntity::cast(opened) : nullptr;
  return status;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName) {
  objId = AcDbObjectId::kNull;
  if (shouldFail(FailableCall::acdbGetObjectId)) {
    return Acad::eInvalidAdsName;
  }
  objId = sim::detail::idOfName(objName);
  return objId.isNull() ? Acad::eInvalidAdsName : Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId) {
  objName[0] = objName[1] = 0;
  if (objId.isNull()) {
    return Acad::eNullObjectId;
  }
  if (!objId.isValid()) {
    return Acad::eWrongDatabase;
  }
  sim::detail::nameOfId(objId, objName);
  return Acad::eOk;
}

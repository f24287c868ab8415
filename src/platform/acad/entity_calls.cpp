// The ADS entity calls: entities by name, as DXF group lists.
#include "platform/acad/acdbads.h"

#include <cctype>
#include <cstdlib>
#include <new>

#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbmain.h"
#include "platform/acad/dbsymtb.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/sim_database.h"
#include "platform/internal/session.h"

namespace {

using namespace sim::detail;
namespace ol = entity_errno;

struct RegenState {
  bool waiting = false;
  int regens = 0;
};

RegenState& regenState() {
  return session<RegenState>();
}

// The entity of a name, erased or not; ERRNO 2 when none.
AcDbEntity* namedEntity(const ads_name name) {
  AcDbEntity* entity = entityOfName(name);
  if (entity == nullptr || !isMainEntity(*entity)) {
    setErrno(ol::kBadName);
    return nullptr;
  }
  return entity;
}

resbuf* getList(const ads_name ent, const resbuf* apps) {
  AcDbEntity* entity = namedEntity(ent);
  if (entity == nullptr) {
    return nullptr;
  }
  if (entity->isErased()) {
    setErrno(ol::kBadName);
    return nullptr;
  }
  return entityList(*entity, apps);
}

int makeFromList(const resbuf* ent, ads_name result) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr || ent == nullptr) {
    setErrno(ol::kUnknownType);
    return RTREJ;
  }
  AcDbObjectId id;
  const ListVerdict verdict = makeEntity(*db, ent, id);
  if (verdict.status != Acad::eOk) {
    if (verdict.errnoValue != 0) {
      setErrno(verdict.errnoValue);
    }
    return RTREJ;
  }
  if (result != nullptr) {
    nameOfId(id, result);
  }
  return RTNORM;
}

// The last main entity of the working database that is not erased; null when none.
AcDbObjectId lastEntity() {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) {
    return AcDbObjectId::kNull;
  }
  for (uint32_t place = db->lastPlace(); place > 0; --place) {
    const AcDbObjectId id = db->idAtPlace(place);
    const AcDbEntity* entity = AcDbEntity::cast(db->objectAt(id));
    if (entity != nullptr && !entity->isErased() && isMainEntity(*entity)) {
      return id;
    }
  }
  return AcDbObjectId::kNull;
}

} // namespace

namespace sim::detail {

bool entModWaitsForRegen() {
  return regenState().waiting;
}

void drawingRegenerated() {
  regenState().waiting = false;
  ++regenState().regens;
}

} // namespace sim::detail

namespace sim {

void refuseEntModUntilRegen(bool refuse) {
  regenState().waiting = refuse;
}

int regenCount() {
  return regenState().regens;
}

} // namespace sim

resbuf* acdbEntGet(const ads_name ent) {
  if (shouldFail(FailableCall::acdbEntGet)) {
    return nullptr;
  }
  return getList(ent, nullptr);
}

resbuf* acdbEntGetX(const ads_name ent, const resbuf* apps) {
  if (shouldFail(FailableCall::acdbEntGetX)) {
    return nullptr;
  }
  return getList(ent, apps);
}

int acdbEntMod(const resbuf* ent) {
  if (shouldFail(FailableCall::acdbEntMod)) {
    return RTERROR;
  }
  const resbuf* named = ent;
  while (named != nullptr && named->restype != -1) {
    named = named->rbnext;
  }
  if (named == nullptr) {
    setErrno(ol::kBadName);
    return RTERROR;
  }
  AcDbEntity* entity = namedEntity(named->resval.rlname);
  if (entity == nullptr) {
    return RTERROR;
  }
  if (regenState().waiting) {
    setErrno(ol::kRegenNeeded);
    return RTREJ;
  }
  // The host changes the entity through an opening of its own.
  AcDbObject* opened = nullptr;
  const Acad::ErrorStatus open =
      entity->database()->openObject(opened, entity->objectId(), AcDb::kForWrite, true);
  if (open != Acad::eOk) {
    return RTERROR;
  }
  const ListVerdict verdict = modifyEntity(*entity, ent);
  opened->close();
  if (verdict.status != Acad::eOk) {
    if (verdict.errnoValue != 0) {
      setErrno(verdict.errnoValue);
    }
    return RTREJ;
  }
  return RTNORM;
}

int acdbEntMake(const resbuf* ent) {
  if (shouldFail(FailableCall::acdbEntMake)) {
    return RTREJ;
  }
  return makeFromList(ent, nullptr);
}

int acdbEntMakeX(const resbuf* ent, ads_name result) {
  if (shouldFail(FailableCall::acdbEntMake)) {
    return RTREJ;
  }
  return makeFromList(ent, result);
}

int acdbEntDel(const ads_name ent) {
  if (shouldFail(FailableCall::acdbEntDel)) {
    return RTERROR;
  }
  AcDbEntity* entity = namedEntity(ent);
  if (entity == nullptr) {
    return RTERROR;
  }
  AcDbObject* opened = nullptr;
  if (entity->database()->openObject(opened, entity->objectId(), AcDb::kForWrite, true) !=
      Acad::eOk) {
    return RTERROR;
  }
  const Acad::ErrorStatus status = opened->erase(!opened->isErased());
  opened->close();
  return status == Acad::eOk ? RTNORM : RTERROR;
}

int acdbEntLast(ads_name result) {
  if (shouldFail(FailableCall::acdbEntLast)) {
    return RTERROR;
  }
  if (result == nullptr) {
    return RTERROR;
  }
  const AcDbObjectId last = lastEntity();
  if (last.isNull()) {
    result[0] = result[1] = 0;
    setErrno(ol::kEmptyDrawing);
    return RTERROR;
  }
  nameOfId(last, result);
  return RTNORM;
}

int acdbEntNext(const ads_name ent, ads_name result) {
  if (shouldFail(FailableCall::acdbEntNext)) {
    return RTERROR;
  }
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (result == nullptr || db == nullptr) {
    return RTERROR;
  }
  uint32_t after = 0;
  if (ent != nullptr) {
    const AcDbEntity* entity = namedEntity(ent);
    if (entity == nullptr || entity->database() != db) {
      setErrno(ol::kBadName);
      return RTERROR;
    }
    after = static_cast<uint32_t>(AcDbDatabase::handleOf(entity->objectId()));
  }
  for (uint32_t place = after + 1; place <= db->lastPlace(); ++place) {
    const AcDbEntity* entity = AcDbEntity::cast(db->objectAt(db->idAtPlace(place)));
    if (entity != nullptr && !entity->isErased() && isMainEntity(*entity)) {
      nameOfId(entity->objectId(), result);
      return RTNORM;
    }
  }
  result[0] = result[1] = 0;
  return RTERROR;
}

int acdbHandEnt(const char* handle, ads_name entres) {
  if (shouldFail(FailableCall::acdbHandEnt)) {
    return RTERROR;
  }
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (entres == nullptr || db == nullptr) {
    return RTERROR;
  }
  entres[0] = entres[1] = 0;
  // A handle is 1 to 16 hexadecimal digits.
  size_t digits = 0;
  while (handle != nullptr && handle[digits] != '\0' &&
         std::isxdigit(static_cast<unsigned char>(handle[digits]))) {
    ++digits;
  }
  if (handle == nullptr || digits == 0 || digits > 16 || handle[digits] != '\0') {
    setErrno(ol::kBadHandle);
    return RTERROR;
  }
  const unsigned long long value = std::strtoull(handle, nullptr, 16);
  const AcDbObjectId id = value <= UINT32_MAX ? db->idOfHandle(value) : AcDbObjectId::kNull;
  const AcDbEntity* entity = AcDbEntity::cast(db->objectAt(id));
  if (entity == nullptr || !isMainEntity(*entity)) {
    setErrno(ol::kNoHandle);
    return RTERROR;
  }
  nameOfId(id, entres);
  return RTNORM;
}

int acdbRegApp(const char* appname) {
  if (shouldFail(FailableCall::acdbRegApp)) {
    return RTERROR;
  }
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr || appname == nullptr || !isValidSymbolName(appname) ||
      !findSymbol(*db, db->regAppTableId(), appname).isNull()) {
    return RTERROR;
  }
  auto* table = AcDbRegAppTable::cast(db->objectAt(db->regAppTableId()));
  auto* record = new (std::nothrow) AcDbRegAppTableRecord();
  if (table == nullptr || record == nullptr) {
    delete record;
    return RTERROR;
  }
  record->setNameDirect(upperCase(appname));
  if (!table->addDirect(record)) {
    delete record;
    return RTERROR;
  }
  record->close();
  return RTNORM;
}

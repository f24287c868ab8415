// Entities by handle, changes with a regeneration retry, wild-card names, and the host's entity
// calls passed through.
#include <cstring>

#include "host/entities/entity_helpers.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbmain.h"

namespace qv {
namespace {

constexpr int kRegenNeeded = 23; // ERRNO: acdbEntMod refused until the drawing is regenerated

bool isErased(const ads_name name) {
  AcDbObjectId id;
  AcDbEntity* entity = nullptr;
  if (acdbGetObjectId(id, name) != Acad::eOk ||
      acdbOpenAcDbEntity(entity, id, AcDb::kForRead, true) != Acad::eOk) {
    return false;
  }
  const bool erased = entity->isErased();
  entity->close();
  return erased;
}

} // namespace

int entityFromHandle(const char* handle, ads_name entity) {
  const int status = acdbHandEnt(handle, entity);
  if (status != RTNORM) {
    return status;
  }
  resbuf* list = acdbEntGet(entity);
  if (list != nullptr) {
    acutRelRb(list);
  } else if (isErased(entity)) {
    acdbEntDel(entity); // brings the erased entity back
  }
  return status;
}

int modifyEntity(const resbuf* list) {
  int status = acdbEntMod(list);
  if (status != RTREJ) {
    return status;
  }
  resbuf error{};
  if (acedGetVar("ERRNO", &error) != RTNORM || error.restype != RTSHORT ||
      error.resval.rint != kRegenNeeded) {
    return status;
  }
  acedCommand(RTSTR, "_.REGEN", RTNONE);
  status = acdbEntMod(list);
  return status;
}

int wildcardMatch(const char* text, const char* pattern) {
  if (text == nullptr || pattern == nullptr) {
    return RTNONE;
  }
  if (std::strcmp(text, pattern) == 0) {
    return RTNORM;
  }
  return acutWcMatch(text, pattern);
}

resbuf* getEntityList(const ads_name entity) {
  return acdbEntGet(entity);
}

resbuf* getEntityListX(const ads_name entity, const resbuf* applications) {
  return acdbEntGetX(entity, applications);
}

int makeEntity(const resbuf* list) {
  return acdbEntMake(list);
}

} // namespace qv

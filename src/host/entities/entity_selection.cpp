// Picking one entity of given types, and copying, filtering and erasing selection sets.
#include <cstdio>
#include <cstring>

#include "host/entities/entity_helpers.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbmain.h"
#include "text/print_pieces.h"

namespace qv {
namespace {

constexpr int kPickMissed = 7; // ERRNO: the pick hit nothing

int errnoValue() {
  resbuf value{};
  return acedGetVar("ERRNO", &value) == RTNORM && value.restype == RTSHORT ? value.resval.rint : 0;
}

// True when the upper-cased type equals one of the words of types, each trimmed of spaces.
bool typeListed(const char* type, const char* types) {
  const size_t length = std::strlen(type);
  for (const char* word = types; *word != '\0';) {
    while (*word == ' ') {
      ++word;
    }
    const char* end = word;
    while (*end != '\0' && *end != ' ') {
      ++end;
    }
    if (end != word && static_cast<size_t>(end - word) == length &&
        std::strncmp(word, type, length) == 0) {
      return true;
    }
    word = end;
  }
  return false;
}

// The entity's type, upper-cased, by a bounded copy; false when the list has no group 0.
bool upperType(const resbuf* list, char (&type)[64]) {
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    if (item->restype == 0 && item->resval.rstring != nullptr) {
      std::snprintf(type, sizeof type, "%s", item->resval.rstring);
      for (char& c : type) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
      }
      return true;
    }
  }
  return false;
}

} // namespace

int selectEntityOfTypes(const char* types, const char* prompt, ads_name entity, ads_point point) {
  point[X] = point[Y] = point[Z] = 0.0;
  const char* listed = types != nullptr ? types : "";
  for (;;) {
    const int picked = acedEntSel(prompt, entity, point);
    if (picked == RTERROR) {
      if (errnoValue() == kPickMissed) {
        continue;
      }
      return RTNONE;
    }
    if (picked != RTNORM) {
      return picked;
    }
    resbuf* list = acdbEntGet(entity);
    char type[64] = "";
    const bool typed = upperType(list, type);
    acutRelRb(list);
    if (!typed) {
      return RTERROR;
    }
    if (typeListed(type, listed)) {
      return RTNORM;
    }
    PrintLong("\nSelection is not one of '%s'.", listed);
  }
}

void appendSetToSet(const ads_name source, const ads_name target) {
  int32_t length = 0;
  if (acedSSLength(source, &length) != RTNORM) {
    return;
  }
  for (int32_t i = 0; i < length; ++i) {
    ads_name entity;
    if (acedSSName(source, i, entity) == RTNORM) {
      ads_name same;
      acedSSAdd(entity, target, same);
    }
  }
}

int newSetFromSet(const ads_name source, ads_name target) {
  int32_t length = 0;
  if (acedSSLength(source, &length) != RTNORM) {
    return RTERROR;
  }
  if (acedSSAdd(nullptr, nullptr, target) != RTNORM) {
    return RTERROR;
  }
  appendSetToSet(source, target);
  return RTNORM;
}

void addEntitiesOnLayer(const ads_name target, const char* layer) {
  if (layer == nullptr) {
    return;
  }
  resbuf* filter = acutBuildList(8, layer, RTNONE);
  if (filter == nullptr) {
    return; // without its filter the selection would take every entity
  }
  ads_name found;
  const int status = acedSSGet("X", nullptr, nullptr, filter, found);
  acutRelRb(filter);
  if (status != RTNORM) {
    return;
  }
  appendSetToSet(found, target);
  acedSSFree(found);
}

int eraseSetEntities(const ads_name set) {
  int32_t length = 0;
  if (acedSSLength(set, &length) != RTNORM) {
    return 0;
  }
  int erased = 0;
  for (int32_t i = 0; i < length; ++i) {
    ads_name name;
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acedSSName(set, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk ||
        acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) {
      continue; // an entity that cannot be opened is skipped
    }
    if (entity->erase() == Acad::eOk) {
      ++erased;
    }
    entity->close();
  }
  return erased;
}

} // namespace qv

// Registered application names and the family's extended data on entities.
#include <cstdio>
#include <string>

#include "dialogs/message_dialogs.h"
#include "host/entities/entity_helpers.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbmain.h"
#include "platform/acad/dbsymtb.h"

namespace qv {
namespace {

// The longest handle text: 16 hexadecimal digits.
using HandleText = char[17];

// The entity's handle (group 5) by a bounded copy; false when it has no list or no handle.
bool handleOf(const ads_name entity, HandleText& handle) {
  resbuf* list = acdbEntGet(entity);
  bool found = false;
  for (const resbuf* item = list; item != nullptr && !found; item = item->rbnext) {
    if (item->restype == 5 && item->resval.rstring != nullptr) {
      std::snprintf(handle, sizeof handle, "%s", item->resval.rstring);
      found = true;
    }
  }
  acutRelRb(list);
  return found;
}

// "0" for a null entity, else its handle.
bool handleOrZero(const ads_name entity, HandleText& handle) {
  if (entity == nullptr || acdbNameNil(entity)) {
    std::snprintf(handle, sizeof handle, "0");
    return true;
  }
  return handleOf(entity, handle);
}

} // namespace

int registerApplication(const char* name) {
  if (name == nullptr) {
    return 0;
  }
  std::string upper(name);
  for (char& c : upper) {
    c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  AcDbRegAppTable* table = nullptr;
  const Acad::ErrorStatus opened =
      db == nullptr ? Acad::eNoDatabase : db->getRegAppTable(table, AcDb::kForWrite);
  if (opened != Acad::eOk) {
    if (opened != Acad::eLockViolation) {
      showAlert("register_app() failed");
    }
    return 0;
  }
  int registered = 1;
  if (!table->has(upper.c_str())) {
    auto* record = new AcDbRegAppTableRecord;
    if (record->setName(upper.c_str()) != Acad::eOk || table->add(record) != Acad::eOk) {
      delete record; // never added: it is ours to delete
      registered = 0;
    } else {
      record->close();
    }
  }
  table->close();
  return registered;
}

void linkLabelToEntities(const ads_name label, const ads_name first, const ads_name second,
                         const ads_name third) {
  HandleText handles[3];
  if (second == nullptr || acdbNameNil(second) || !handleOrZero(first, handles[0]) ||
      !handleOf(second, handles[1]) || !handleOrZero(third, handles[2])) {
    return;
  }
  resbuf* list = acdbEntGet(label);
  if (list == nullptr) {
    return;
  }
  resbuf* record = acutBuildList(-3, 1001, "CTRLABEL", 1000, handles[0], 1000, handles[1], 1000,
                                 handles[2], RTNONE);
  if (record != nullptr) {
    resbuf* last = list;
    while (last->rbnext != nullptr) {
      last = last->rbnext;
    }
    last->rbnext = record;
    modifyEntity(list);
    last->rbnext = nullptr; // detached again before the two lists are released
    acutRelRb(record);
  }
  acutRelRb(list);
}

void tagLastEntity() {
  ads_name last;
  if (acdbEntLast(last) != RTNORM || registerApplication("SPT") == 0) {
    return;
  }
  AcDbObjectId id;
  AcDbEntity* entity = nullptr;
  if (acdbGetObjectId(id, last) != Acad::eOk ||
      acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) {
    return;
  }
  resbuf* record = acutBuildList(1001, "SPT", 1070, 1, RTNONE);
  if (record != nullptr) {
    entity->setXData(record);
    acutRelRb(record);
  }
  entity->close();
}

} // namespace qv

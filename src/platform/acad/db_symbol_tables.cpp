// Symbol tables and their records: blocks, layers and registered applications.
#include "platform/acad/dbsymtb.h"

#include <new>

#include "platform/acad/acutads.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

namespace {

using sim::detail::FailableCall;
using sim::detail::shouldFail;

} // namespace

#define QV_DEFINE_DB_CLASS(CLASS_NAME, PARENT)                                                     \
  AcRxClass* CLASS_NAME::desc() {                                                                  \
    static AcRxClass description(#CLASS_NAME, PARENT::desc());                                     \
    return &description;                                                                           \
  }                                                                                                \
  AcRxClass* CLASS_NAME::isA() const {                                                             \
    return desc();                                                                                 \
  }

QV_DEFINE_DB_CLASS(AcDbSymbolTableRecord, AcDbObject)
QV_DEFINE_DB_CLASS(AcDbSymbolTable, AcDbObject)
QV_DEFINE_DB_CLASS(AcDbBlockTableRecord, AcDbSymbolTableRecord)
QV_DEFINE_DB_CLASS(AcDbLayerTableRecord, AcDbSymbolTableRecord)
QV_DEFINE_DB_CLASS(AcDbRegAppTableRecord, AcDbSymbolTableRecord)
QV_DEFINE_DB_CLASS(AcDbBlockTable, AcDbSymbolTable)
QV_DEFINE_DB_CLASS(AcDbLayerTable, AcDbSymbolTable)
QV_DEFINE_DB_CLASS(AcDbRegAppTable, AcDbSymbolTable)

#undef QV_DEFINE_DB_CLASS

// ---- Records

Acad::ErrorStatus AcDbSymbolTableRecord::getName(char*& name) const {
  name = acad_strdup(name_.c_str());
  return name != nullptr ? Acad::eOk : Acad::eOutOfMemory;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const char*& name) const {
  name = name_.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const char* name) {
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (name == nullptr || !sim::detail::isValidSymbolName(name)) {
    return Acad::eInvalidInput;
  }
  if (AcDbDatabase* db = database()) {
    for (AcDbObjectId table : {db->blockTableId(), db->layerTableId(), db->regAppTableId()}) {
      const AcDbSymbolTable* symbols = AcDbSymbolTable::cast(db->objectAt(table));
      if (symbols == nullptr || !symbols->has(objectId())) {
        continue;
      }
      const AcDbObjectId holder = symbols->find(name, true);
      if (!holder.isNull() && holder != objectId()) {
        return Acad::eDuplicateRecordName;
      }
    }
  }
  try {
    name_ = name;
  } catch (const std::bad_alloc&) {
    return Acad::eOutOfMemory;
  }
  return Acad::eOk;
}

// ---- Tables

AcDbObjectId AcDbSymbolTable::find(const std::string& name, bool withErased) const {
  AcDbDatabase* db = database();
  if (db == nullptr) {
    return AcDbObjectId::kNull;
  }
  const std::string key = sim::detail::upperCase(name);
  for (AcDbObjectId id : records_) {
    const AcDbSymbolTableRecord* record = AcDbSymbolTableRecord::cast(db->objectAt(id));
    if (record != nullptr && (withErased || !record->isErased()) &&
        sim::detail::upperCase(record->name()) == key) {
      return id;
    }
  }
  return AcDbObjectId::kNull;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* name, AcDbSymbolTableRecord*& record,
                                         AcDb::OpenMode mode, bool openErased) const {
  record = nullptr;
  if (shouldFail(FailableCall::AcDbSymbolTable_getAt)) {
    return Acad::eKeyNotFound;
  }
  if (!isReadEnabled() || database() == nullptr) {
    return Acad::eNotOpenForRead;
  }
  const AcDbObjectId id = name != nullptr ? find(name, openErased) : AcDbObjectId::kNull;
  if (id.isNull()) {
    return Acad::eKeyNotFound;
  }
  AcDbObject* opened = nullptr;
  const Acad::ErrorStatus status = database()->openObject(opened, id, mode, openErased);
  record = AcDbSymbolTableRecord::cast(opened);
  return status;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* name, AcDbObjectId& recordId,
                                         bool getErased) const {
  recordId = AcDbObjectId::kNull;
  if (shouldFail(FailableCall::AcDbSymbolTable_getAt)) {
    return Acad::eKeyNotFound;
  }
  if (!isReadEnabled() || database() == nullptr) {
    return Acad::eNotOpenForRead;
  }
  recordId = name != nullptr ? find(name, getErased) : AcDbObjectId::kNull;
  return recordId.isNull() ? Acad::eKeyNotFound : Acad::eOk;
}

bool AcDbSymbolTable::has(const char* name) const {
  return name != nullptr && !find(name).isNull();
}

bool AcDbSymbolTable::has(AcDbObjectId recordId) const {
  for (AcDbObjectId id : records_) {
    if (id == recordId) {
      return !id.isErased();
    }
  }
  return false;
}

bool AcDbSymbolTable::addDirect(AcDbSymbolTableRecord* record) {
  try {
    records_.reserve(records_.size() + 1);
    if (database()->addObject(record) != Acad::eOk) {
      return false;
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  records_.push_back(record->objectId());
  AcDbDatabase::setOwner(*record, objectId());
  return true;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record) {
  if (shouldFail(FailableCall::AcDbSymbolTable_add)) {
    return Acad::eOutOfMemory;
  }
  if (record == nullptr) {
    return Acad::eNullObjectPointer;
  }
  if (!isWriteEnabled() || database() == nullptr) {
    return Acad::eNotOpenForWrite;
  }
  if (!record->isNewObject()) {
    return Acad::eAlreadyInDb;
  }
  if (!holds(record) || !sim::detail::isValidSymbolName(record->name())) {
    return Acad::eInvalidInput;
  }
  if (!find(record->name()).isNull()) {
    return Acad::eDuplicateRecordName;
  }
  return addDirect(record) ? Acad::eOk : Acad::eOutOfMemory;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record) {
  const Acad::ErrorStatus status = add(record);
  recordId = status == Acad::eOk ? record->objectId() : AcDbObjectId::kNull;
  return status;
}

// ---- Blocks

Acad::ErrorStatus AcDbBlockTableRecord::appendDirect(AcDbEntity* entity) {
  if (entity == nullptr) {
    return Acad::eNullObjectPointer;
  }
  if (!entity->isNewObject()) {
    return Acad::eAlreadyInDb;
  }
  AcDbDatabase* db = database();
  if (db == nullptr) {
    return Acad::eNotInDatabase;
  }
  // An entity given no layer goes on the drawing's layer "0".
  if (entity->layerId().isNull()) {
    entity->setLayerIdDirect(sim::detail::findSymbol(*db, db->layerTableId(), "0"));
  } else if (entity->layerId().database() != db) {
    return Acad::eWrongDatabase;
  }
  try {
    if (db->addObject(entity) != Acad::eOk) {
      return Acad::eOutOfMemory;
    }
  } catch (const std::bad_alloc&) {
    return Acad::eOutOfMemory;
  }
  AcDbDatabase::setOwner(*entity, objectId());
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
  if (shouldFail(FailableCall::AcDbBlockTableRecord_appendAcDbEntity)) {
    return Acad::eOutOfMemory;
  }
  if (database() != nullptr && !isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  return appendDirect(entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& entityId,
                                                         AcDbEntity* entity) {
  const Acad::ErrorStatus status = appendAcDbEntity(entity);
  entityId = status == Acad::eOk ? entity->objectId() : AcDbObjectId::kNull;
  return status;
}

// ---- The tables of a new drawing

void AcDbDatabase::buildSymbolTables() {
  const auto makeTable = [this](AcDbSymbolTable* table, AcDbObjectId& id) {
    addObject(table);
    id = table->objectId();
    table->close();
    return table;
  };
  const auto addRecord = [](AcDbSymbolTable* table, AcDbSymbolTableRecord* record,
                            const char* name) {
    record->setNameDirect(name);
    table->addDirect(record);
    const AcDbObjectId id = record->objectId();
    record->close();
    return id;
  };
  AcDbSymbolTable* blocks = makeTable(new AcDbBlockTable(), blockTable_);
  modelSpace_ = addRecord(blocks, new AcDbBlockTableRecord(), ACDB_MODEL_SPACE);
  paperSpace_ = addRecord(blocks, new AcDbBlockTableRecord(), ACDB_PAPER_SPACE);
  addRecord(makeTable(new AcDbLayerTable(), layerTable_), new AcDbLayerTableRecord(), "0");
  addRecord(makeTable(new AcDbRegAppTable(), regAppTable_), new AcDbRegAppTableRecord(), "ACAD");
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
  table = nullptr;
  if (shouldFail(FailableCall::AcDbDatabase_getSymbolTable)) {
    return Acad::eWasOpenForWrite; // as when another caller holds it
  }
  AcDbObject* opened = nullptr;
  const Acad::ErrorStatus status = openObject(opened, blockTable_, mode, false);
  table = AcDbBlockTable::cast(opened);
  return status;
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
  table = nullptr;
  if (shouldFail(FailableCall::AcDbDatabase_getSymbolTable)) {
    return Acad::eWasOpenForWrite;
  }
  AcDbObject* opened = nullptr;
  const Acad::ErrorStatus status = openObject(opened, layerTable_, mode, false);
  table = AcDbLayerTable::cast(opened);
  return status;
}

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbRegAppTable*& table, AcDb::OpenMode mode) {
  table = nullptr;
  if (shouldFail(FailableCall::AcDbDatabase_getSymbolTable)) {
    return Acad::eWasOpenForWrite;
  }
  AcDbObject* opened = nullptr;
  const Acad::ErrorStatus status = openObject(opened, regAppTable_, mode, false);
  table = AcDbRegAppTable::cast(opened);
  return status;
}

// Symbol tables of the host's drawing database: blocks (model and paper space among them),
// layers and registered applications. A table holds records by name, matched without regard to
// case; a new drawing has the blocks "*Model_Space" and "*Paper_Space", the layer "0" and the
// application "ACAD". Tables and records are opened and closed like any database object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/acad/dbmain.h"

class AcDbSymbolTableRecord : public AcDbObject {
public:
  ACDB_DECLARE_MEMBERS(AcDbSymbolTableRecord);

  // The name as a new host string that the caller frees with acad_free (null when memory runs
  // out), or as the record's own text, valid while the record is open.
  Acad::ErrorStatus getName(char*& name) const;
  Acad::ErrorStatus getName(const char*& name) const;
  // Names the record. eInvalidInput for a null or empty name, one longer than 255 characters or
  // one holding < > / \ " : ; ? * | , = or `; eDuplicateRecordName when another record of its
  // table has the name; eNotOpenForWrite for a record in a database not open for write.
  Acad::ErrorStatus setName(const char* name);

  // ---- For the host's own calls.
  const std::string& name() const { return name_; }
  void setNameDirect(std::string name) { name_ = std::move(name); }

protected:
  AcDbSymbolTableRecord() = default;

private:
  std::string name_;
};

class AcDbSymbolTable : public AcDbObject {
public:
  ACDB_DECLARE_MEMBERS(AcDbSymbolTable);

  // Opens the record of name: eKeyNotFound (record null) when the table has none (an erased
  // record counts only with openErased), else the open's status.
  Acad::ErrorStatus getAt(const char* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                          bool openErased = false) const;
  Acad::ErrorStatus getAt(const char* name, AcDbObjectId& recordId, bool getErased = false) const;
  bool has(const char* name) const;
  bool has(AcDbObjectId recordId) const;
  // Adds a new named record to the table and the table's database; the record stays open for
  // write. Needs the table open for write (eNotOpenForWrite); eInvalidInput for a record of
  // another table's kind or without a valid name, eDuplicateRecordName when the name is taken,
  // eAlreadyInDb for a record already in a database.
  Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
  Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record);

  // ---- For the host's own calls.
  // The record of name, erased ones included when withErased; null when none.
  AcDbObjectId find(const std::string& name, bool withErased = false) const;
  // The ids of the records, in the order added.
  const std::vector<AcDbObjectId>& records() const { return records_; }
  // Adds a named record without the open checks or a planned failure (a new drawing's records,
  // layers made on demand). False when the database refuses it.
  bool addDirect(AcDbSymbolTableRecord* record);

protected:
  AcDbSymbolTable() = default;
  // True when record is of this table's kind.
  virtual bool holds(const AcDbSymbolTableRecord* record) const = 0;

private:
  std::vector<AcDbObjectId> records_;
};

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
  ACDB_DECLARE_MEMBERS(AcDbBlockTableRecord);
  AcDbBlockTableRecord() = default;

  // Adds a new entity to the block and to the block's database: the entity stays open for
  // write, for its adder to close. An entity on no layer yet goes on layer "0". Needs the block
  // open for write (eNotOpenForWrite); eNullObjectPointer for a null entity, eAlreadyInDb for an
  // entity already in a database, eNotInDatabase for a block not in one.
  Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
  Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& entityId, AcDbEntity* entity);

  // ---- For the host's own calls.
  // As appendAcDbEntity, without the open check or a planned failure.
  Acad::ErrorStatus appendDirect(AcDbEntity* entity);
};

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
  ACDB_DECLARE_MEMBERS(AcDbLayerTableRecord);
  AcDbLayerTableRecord() = default;
  // The layer's colour number (7 for a new layer, as the host makes them).
  uint16_t color() const { return color_; }

private:
  uint16_t color_ = 7;
};

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
public:
  ACDB_DECLARE_MEMBERS(AcDbRegAppTableRecord);
  AcDbRegAppTableRecord() = default;
};

// The typed tables give typed records.
#define QV_DECLARE_SYMBOL_TABLE(TABLE, RECORD)                                                     \
  class TABLE : public AcDbSymbolTable {                                                           \
  public:                                                                                          \
    ACDB_DECLARE_MEMBERS(TABLE);                                                                   \
    TABLE() = default;                                                                             \
    using AcDbSymbolTable::getAt;                                                                  \
    Acad::ErrorStatus getAt(const char* name, RECORD*& record, AcDb::OpenMode mode,                \
                            bool openErased = false) const {                                       \
      AcDbSymbolTableRecord* opened = nullptr;                                                     \
      const Acad::ErrorStatus status = AcDbSymbolTable::getAt(name, opened, mode, openErased);     \
      record = status == Acad::eOk ? RECORD::cast(opened) : nullptr;                               \
      return status;                                                                               \
    }                                                                                              \
                                                                                                   \
  protected:                                                                                       \
    bool holds(const AcDbSymbolTableRecord* record) const override {                               \
      return RECORD::cast(record) != nullptr;                                                      \
    }                                                                                              \
  }

QV_DECLARE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord);
QV_DECLARE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord);
QV_DECLARE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord);

#undef QV_DECLARE_SYMBOL_TABLE

// The host's drawing database: objects, their opening and closing, and the database that holds
// them (one per open drawing).
//
// Objects of the database are opened by id (acdbOpenAcDbObject, acdbOpenObject<T>) and closed with
// close(), never deleted by the caller: an object may be open for read by several callers at
// once, or for write by one alone. A new object belongs to its maker until it is added to a
// database (addAcDbObject, or AcDbDictionary::setAt): deleted with delete if it never is, and open
// for write once it is, to be closed like any other.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/acad/acadstrc.h"
#include "platform/acad/acdb.h"
#include "platform/acad/adsdef.h"
#include "platform/acad/dbid.h"
#include "platform/acad/rxclass.h"
#include "platform/acad/rxobject.h"

class AcDbDictionary;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbRegAppTable;
class AcDbSymbolTable;

namespace sim::detail {

// One DXF group as the stand-in keeps an object's data (an entity's own groups, extended data):
// the member used follows the kind of the group code.
struct EntityGroup {
  short code = 0;
  double values[3] = {0, 0, 0}; // a real in values[0], or a point
  int32_t integer = 0;          // 16- and 32-bit integers
  std::string text;             // strings and binary chunks
  AcDbObjectId id;              // entity names and object ids
};
using EntityGroups = std::vector<EntityGroup>;

} // namespace sim::detail

// Declares the class description members of a database class.
#define ACDB_DECLARE_MEMBERS(CLASS_NAME)                                                           \
  static AcRxClass* desc();                                                                        \
  static CLASS_NAME* cast(const AcDbObject* object) {                                              \
    return object != nullptr && object->isKindOf(desc())                                           \
               ? static_cast<CLASS_NAME*>(const_cast<AcDbObject*>(object))                         \
               : nullptr;                                                                          \
  }                                                                                                \
  AcRxClass* isA() const override

class AcDbObject : public AcRxObject {
public:
  AcDbObject() = default;
  ~AcDbObject() override;
  AcDbObject(const AcDbObject&) = delete;
  AcDbObject& operator=(const AcDbObject&) = delete;

  static AcRxClass* desc();
  static AcDbObject* cast(const AcDbObject* object) { return const_cast<AcDbObject*>(object); }
  virtual AcRxClass* isA() const;
  bool isKindOf(const AcRxClass* aClass) const { return isA()->isDerivedFrom(aClass); }

  // The object's id; null while it is not in a database.
  AcDbObjectId objectId() const { return id_; }
  // The id of the dictionary that holds the object; null when none does.
  AcDbObjectId ownerId() const { return owner_; }
  // The database that holds the object; null while it is in none.
  AcDbDatabase* database() const { return database_; }

  // Ends one opening of the object (the last one made); eNotOpenForRead when it is not open, and
  // eNotInDatabase for a new object, which its maker deletes instead.
  Acad::ErrorStatus close();
  // Erases the object (erasing false: unerases it). Needs the object open for write. Erasing an
  // entry of a dictionary takes it out of the dictionary; erasing a dictionary erases its entries.
  Acad::ErrorStatus erase(bool erasing = true);
  bool isErased() const { return erased_; }

  // Open in any mode (a new object, not in a database, counts as open for write).
  bool isReadEnabled() const;
  bool isWriteEnabled() const;
  bool isNewObject() const { return database_ == nullptr; }

  // The object's extended data as a new list (1001 application name, then its 1000... groups,
  // for each application), which the caller releases with acutRelRb: every application's data,
  // or only regappName's (matched without regard to case). Null when there is none or memory
  // runs out.
  virtual resbuf* xData(const char* regappName = nullptr) const;
  // Sets the extended data of each application the list names (a 1001 group, then its groups
  // 1000 to 1071): an application's data is replaced, and removed when no group follows its
  // name; other applications keep theirs. Needs the object open for write (eNotOpenForWrite).
  // eRegappIdNotFound for an application that the database's application table lacks,
  // eInvalidResBuf for a list that does not start with 1001 or holds another group code,
  // eXdataSizeExceeded when the object's extended data would pass 16383 bytes. Nothing changes
  // on a refusal.
  virtual Acad::ErrorStatus setXData(const resbuf* xdata);

  // ---- For the host's own calls.
  // The extended data as groups, application by application.
  const sim::detail::EntityGroups& xDataGroups() const { return xdata_; }
  void setXDataGroups(sim::detail::EntityGroups groups) { xdata_ = std::move(groups); }

protected:
  // Called as the object is erased or unerased, before its flag changes.
  virtual void subErase(bool erasing);

private:
  friend class AcDbDatabase;
  AcDbObjectId id_;
  AcDbObjectId owner_;
  AcDbDatabase* database_ = nullptr;
  bool erased_ = false;
  std::vector<AcDb::OpenMode> opens_; // the openings in force, latest last
  sim::detail::EntityGroups xdata_;
};

// Entities: the objects of the drawing that a block (model space, paper space) holds. An entity
// has a layer, a colour and its own data; the host knows it as its DXF group list (acdbEntGet).
// New entities go into a space with AcDbBlockTableRecord::appendAcDbEntity.
class AcDbEntity : public AcDbObject {
public:
  ACDB_DECLARE_MEMBERS(AcDbEntity);
  ~AcDbEntity() override;

  // The block table record that holds the entity; null while it is in none.
  AcDbObjectId blockId() const { return ownerId(); }

  // The layer's name as a new host string that the caller frees with acad_free ("0" for an
  // entity on no layer yet); null when memory runs out.
  char* layer() const;
  // The layer table record of the entity's layer; null before the entity is in a database and
  // has been given a layer.
  AcDbObjectId layerId() const { return layer_; }
  // Puts the entity on an existing layer of its database (a new entity: of the working
  // database). Needs the entity open for write (eNotOpenForWrite); eKeyNotFound for a layer
  // that the layer table lacks (the layer table is not extended), eNullObjectId or eWrongObjectType
  // for an id that is not a layer of that database. doSubents is accepted for the host's
  // signature; these entities have no sub-entities.
  Acad::ErrorStatus setLayer(const char* newVal, bool doSubents = true);
  Acad::ErrorStatus setLayer(AcDbObjectId newVal, bool doSubents = true);

  // The colour number: 0 by block, 1 to 255, 256 by layer (the default).
  uint16_t colorIndex() const { return color_; }
  // Sets the colour number 0 to 256 (eOutOfRange beyond); needs the entity open for write.
  Acad::ErrorStatus setColorIndex(uint16_t color, bool doSubents = true);

  // ---- For the host's own calls: the entity as DXF groups.
  // The entity's group 0 ("LINE").
  const char* dxfType() const { return dxfType_; }
  // The entity's own groups in the host's order (subclass markers, points, sizes, ...), without
  // the groups every entity has (-1, 0, 5, 8, 62, ...) and without extended data.
  virtual void ownGroups(sim::detail::EntityGroups& groups) const;
  // Replaces the own groups with groups already checked against the entity's type.
  virtual void setOwnGroups(sim::detail::EntityGroups groups);
  // Sets the layer and colour without the open checks (the host's own entity calls).
  void setLayerIdDirect(AcDbObjectId layer) { layer_ = layer; }
  void setColorDirect(uint16_t color) { color_ = color; }

protected:
  // An entity whose group 0 is dxfType (a literal that lives as long as the program).
  explicit AcDbEntity(const char* dxfType) : dxfType_(dxfType) {}

private:
  const char* dxfType_;
  AcDbObjectId layer_;
  uint16_t color_ = 256;
  sim::detail::EntityGroups own_;
};

class AcDbDatabase {
public:
  // A database with the objects every drawing has (its named-object dictionary).
  explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
  // Deletes every object of the database, open or not.
  ~AcDbDatabase();
  AcDbDatabase(const AcDbDatabase&) = delete;
  AcDbDatabase& operator=(const AcDbDatabase&) = delete;

  AcDbObjectId namedObjectsDictionaryId() const { return namedObjects_; }
  Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dictionary, AcDb::OpenMode mode);

  // The symbol tables, opened as acdbOpenAcDbObject opens (the table null on a refusal). A
  // database made without its default drawing has none: eNullObjectId.
  Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
    return getSymbolTable(table, mode);
  }
  Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
    return getSymbolTable(table, mode);
  }
  Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode) {
    return getSymbolTable(table, mode);
  }
  AcDbObjectId blockTableId() const { return blockTable_; }
  AcDbObjectId layerTableId() const { return layerTable_; }
  AcDbObjectId regAppTableId() const { return regAppTable_; }
  AcDbObjectId modelSpaceId() const { return modelSpace_; }
  AcDbObjectId paperSpaceId() const { return paperSpace_; }

  // Adds a new object to the database, which owns it from then on; the object stays open for
  // write. eAlreadyInDb when it is in a database already.
  Acad::ErrorStatus addAcDbObject(AcDbObject* object);
  Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* object);

  // ---- For the host's own calls (open rules, dictionaries); not part of the host's interface.
  // Opens the object of id as acdbOpenAcDbObject does, without a planned failure.
  Acad::ErrorStatus openObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                               bool openErased);
  // The object of id in this database, open or not; null when the id is not of this database.
  AcDbObject* objectAt(AcDbObjectId id) const;
  // Adds a new object without a planned failure; a lack of memory throws std::bad_alloc with the
  // object left out of the database.
  Acad::ErrorStatus addObject(AcDbObject* object);
  // Sets the dictionary that holds an object of this database.
  static void setOwner(AcDbObject& object, AcDbObjectId owner) { object.owner_ = owner; }
  // Erases an object on behalf of the dictionary that holds it (the dictionary forgets the entry
  // itself): refused with eWasOpenForWrite or eWasOpenForRead while the object is open, unless
  // evenIfOpen (the dictionary itself is being erased).
  static Acad::ErrorStatus eraseForOwner(AcDbObject& object, bool evenIfOpen);
  // What eraseForOwner (not evenIfOpen) would answer, without erasing anything.
  static Acad::ErrorStatus eraseRefusal(const AcDbObject& object);
  // Objects of this database open now.
  int64_t openObjectCount() const { return openCount_; }
  // The serial that the ids of this database carry.
  uint32_t serial() const { return serial_; }
  // The live database of a serial; null when it is gone.
  static AcDbDatabase* fromSerial(uint32_t serial);
  // Every live database.
  static std::vector<AcDbDatabase*> liveDatabases();
  // Places of objects run from 1 to this, in the order the objects were added.
  uint32_t lastPlace() const { return static_cast<uint32_t>(objects_.size()); }
  // The id of the object at a place (1 ... lastPlace()); null outside.
  AcDbObjectId idAtPlace(uint32_t place) const;
  // The object's handle, which stays the object's for the database's life: its place.
  static uint64_t handleOf(AcDbObjectId id);
  // The id of a handle of this database; null when no object has it.
  AcDbObjectId idOfHandle(uint64_t handle) const {
    return idAtPlace(static_cast<uint32_t>(handle));
  }

private:
  friend class AcDbObject;
  uint32_t serial_ = 0;
  std::vector<std::unique_ptr<AcDbObject>> objects_; // object of index i at i - 1
  AcDbObjectId namedObjects_;
  AcDbObjectId blockTable_, layerTable_, regAppTable_, modelSpace_, paperSpace_;
  // Makes the symbol tables and records of a new drawing.
  void buildSymbolTables();
  int64_t openCount_ = 0;
  bool destroying_ = false; // objects deleted now are deleted by the database itself
};

// Opens the object of id: eOk with object set, or the refusal with object null (eNullObjectId,
// eWasErased unless openErased, eWasOpenForWrite, eWasOpenForRead, eAtMaxReaders).
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
// As acdbOpenAcDbObject, and eNotThatKindOfClass (nothing left open) when the object is not of
// class aClass or derived from it.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased, const AcRxClass* aClass);

template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false) {
  AcDbObject* opened = nullptr;
  const Acad::ErrorStatus status = acdbOpenAcDbObject(opened, id, mode, openErased, T::desc());
  object = status == Acad::eOk ? T::cast(opened) : nullptr;
  return status;
}

// Opens an entity by id as acdbOpenAcDbObject does; eNotThatKindOfClass (nothing left open) for
// an object that is not an entity.
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

// Entity names (ads_name) and object ids name the same objects. eInvalidAdsName for a name that
// names no object of a live database; eNullObjectId for a null id, eWrongDatabase for an id whose
// database is gone.
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);
Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);

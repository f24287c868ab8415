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
#include <vector>

#include "platform/acad/acadstrc.h"
#include "platform/acad/acdb.h"
#include "platform/acad/dbid.h"
#include "platform/acad/rxclass.h"
#include "platform/acad/rxobject.h"

class AcDbDictionary;

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

private:
  friend class AcDbObject;
  uint32_t serial_ = 0;
  std::vector<std::unique_ptr<AcDbObject>> objects_; // object of index i at i - 1
  AcDbObjectId namedObjects_;
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

// Dictionaries of the host's drawing database: objects held under keys, which are matched without
// regard to case. The dictionary owns its entries: replacing or removing an entry erases the
// object it held.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/acad/dbmain.h"
#include "platform/acad/rxdefs.h"

class AcDbDictionaryIterator;

class AcDbDictionary : public AcDbObject {
public:
  ACDB_DECLARE_MEMBERS(AcDbDictionary);

  AcDbDictionary() = default;

  // Opens the entry of key: eKeyNotFound (entry null) when there is none, else the open's status.
  Acad::ErrorStatus getAt(const char* key, AcDbObject*& entry, AcDb::OpenMode mode) const;
  Acad::ErrorStatus getAt(const char* key, AcDbObjectId& entryId) const;
  bool has(const char* key) const;
  bool has(AcDbObjectId entryId) const;
  uint32_t numEntries() const;

  // Stores object under key, replacing (and erasing) the object of an entry of that key. A new
  // object is added to the dictionary's database and stays open for write. eInvalidKey for a key
  // with one of | * \ : ; < > ? " , = ` (a leading * asks for a new anonymous key such as *A1).
  // eOutOfMemory when memory runs out, with nothing changed: the object stays its maker's.
  Acad::ErrorStatus setAt(const char* key, AcDbObject* object, AcDbObjectId& entryId);
  // Takes the entry out of the dictionary and erases its object.
  Acad::ErrorStatus remove(const char* key);
  Acad::ErrorStatus remove(const char* key, AcDbObjectId& entryId);
  Acad::ErrorStatus remove(AcDbObjectId entryId);

  // A new iterator over the entries, which the caller deletes; null when the dictionary is not
  // open or memory runs out.
  AcDbDictionaryIterator* newIterator(AcRx::DictIterType type = AcRx::kDictSorted) const;

  // ---- For the host's own calls.
  // Forgets the entry that holds entryId, without erasing it (its object is being erased).
  void dropEntry(AcDbObjectId entryId);

protected:
  void subErase(bool erasing) override;

private:
  // Case-blind order of keys, as the host sorts them.
  struct KeyLess {
    bool operator()(const std::string& left, const std::string& right) const;
  };
  struct Entry {
    std::string key; // as first stored
    AcDbObjectId id;
    uint64_t added = 0; // order of addition
  };
  Acad::ErrorStatus removeEntry(std::map<std::string, Entry, KeyLess>::iterator found,
                                AcDbObjectId* entryId);
  std::map<std::string, Entry, KeyLess> entries_;
  uint64_t nextAdded_ = 1;
  uint32_t nextAnonymous_ = 1;
};

// Visits a dictionary's entries as they were when the iterator was made.
class AcDbDictionaryIterator {
public:
  virtual ~AcDbDictionaryIterator() = default;
  virtual const char* name() const = 0;
  virtual Acad::ErrorStatus getObject(AcDbObject*& object, AcDb::OpenMode mode) = 0;
  virtual AcDbObjectId objectId() const = 0;
  virtual bool done() const = 0;
  virtual bool next() = 0;
  // Moves to the entry of objId; false when the iteration does not hold it.
  virtual bool setPosition(AcDbObjectId objId) = 0;
};

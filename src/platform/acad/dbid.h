// Object ids of the host's drawing database. An id names one object of one database for as long
// as that database lives; the object it names may be erased, and an id kept after its database is
// gone is no longer valid.
#pragma once

#include <cstdint>

class AcDbDatabase;

class AcDbObjectId {
public:
  AcDbObjectId() = default;

  static const AcDbObjectId kNull;

  bool isNull() const { return database_ == 0; }
  void setNull() { database_ = 0, index_ = 0; }
  // True when the id names an object of a database that is still alive.
  bool isValid() const;
  // True when the object named is erased (false for an invalid id).
  bool isErased() const;
  // The database of the object; null for a null or invalid id.
  AcDbDatabase* database() const;

  bool operator==(const AcDbObjectId& other) const = default;
  bool operator<(const AcDbObjectId& other) const {
    return database_ != other.database_ ? database_ < other.database_ : index_ < other.index_;
  }

private:
  friend class AcDbDatabase;
  friend class AcDbObject;
  AcDbObjectId(uint32_t database, uint32_t index) : database_(database), index_(index) {}
  uint32_t database_ = 0; // serial of the database, 0 for the null id
  uint32_t index_ = 0;    // place of the object in its database, from 1
};

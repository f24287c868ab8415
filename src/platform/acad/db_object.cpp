// Database objects: class descriptions, closing and erasing.
#include "platform/acad/dbmain.h"

#include "platform/acad/dbdict.h"
#include "platform/internal/session.h"

AcDbObject::~AcDbObject() {
  // Only the database deletes what it holds. A caller that deletes an object of the database
  // instead of closing it is told, and the database lets go of it so as not to delete it twice.
  if (database_ != nullptr && !database_->destroying_) {
    sim::detail::reportMisuse("an object of the drawing database was deleted; close it instead");
    if (!opens_.empty()) {
      --database_->openCount_;
    }
    static_cast<void>(database_->objects_[id_.index_ - 1].release());
  }
}

AcRxClass* AcDbObject::desc() {
  static AcRxClass description("AcDbObject", nullptr);
  return &description;
}

AcRxClass* AcDbObject::isA() const {
  return desc();
}

bool AcDbObject::isReadEnabled() const {
  return database_ == nullptr || !opens_.empty();
}

bool AcDbObject::isWriteEnabled() const {
  if (database_ == nullptr) {
    return true;
  }
  for (AcDb::OpenMode open : opens_) {
    if (open == AcDb::kForWrite) {
      return true;
    }
  }
  return false;
}

Acad::ErrorStatus AcDbObject::close() {
  if (database_ == nullptr) {
    return Acad::eNotInDatabase;
  }
  if (opens_.empty()) {
    return Acad::eNotOpenForRead;
  }
  opens_.pop_back();
  if (opens_.empty()) {
    --database_->openCount_;
  }
  return Acad::eOk;
}

void AcDbObject::subErase(bool /*erasing*/) {}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::AcDbObject_erase)) {
    return Acad::eOutOfMemory;
  }
  if (database_ == nullptr) {
    return Acad::eNotInDatabase;
  }
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (erased_ == erasing) {
    return erasing ? Acad::eWasErased : Acad::eOk;
  }
  subErase(erasing);
  erased_ = erasing;
  // An erased entry leaves its dictionary (an unerased object does not come back into it).
  // Entities keep their block, so that a deleted entity can come back.
  if (erasing && !owner_.isNull()) {
    if (auto* owner = AcDbDictionary::cast(database_->objectAt(owner_))) {
      owner->dropEntry(id_);
      owner_ = AcDbObjectId::kNull;
    }
  }
  return Acad::eOk;
}

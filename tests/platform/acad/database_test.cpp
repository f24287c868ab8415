// The stand-in's drawing database: open rules, class descriptions, documents' databases.
#include <gtest/gtest-spi.h>

#include "platform/acad/dbapserv.h"
#include "platform/acad/dbdict.h"
#include "platform/acad/dbmain.h"
#include "platform/acad/dbxrecrd.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class DatabaseTest : public qvtest::HostTest {
protected:
  AcDbDatabase* db() { return acdbHostApplicationServices()->workingDatabase(); }

  // A new Xrecord stored under key in the named-object dictionary, closed; its id.
  AcDbObjectId addXrecord(const char* key) {
    AcDbDictionary* named = nullptr;
    EXPECT_EQ(db()->getNamedObjectsDictionary(named, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    auto* record = new AcDbXrecord();
    EXPECT_EQ(named->setAt(key, record, id), Acad::eOk);
    record->close();
    named->close();
    return id;
  }
};

struct OpenRule {
  AcDb::OpenMode held;
  AcDb::OpenMode asked;
  Acad::ErrorStatus expected;
};

TEST_F(DatabaseTest, OpensAsTheHostAllowsReadersAndOneWriter) {
  const OpenRule rules[] = {
      {AcDb::kForRead, AcDb::kForRead, Acad::eOk},
      {AcDb::kForRead, AcDb::kForWrite, Acad::eWasOpenForRead},
      {AcDb::kForWrite, AcDb::kForRead, Acad::eWasOpenForWrite},
      {AcDb::kForWrite, AcDb::kForWrite, Acad::eWasOpenForWrite},
      {AcDb::kForWrite, AcDb::kForNotify, Acad::eOk},
      {AcDb::kForNotify, AcDb::kForWrite, Acad::eOk},
  };
  const AcDbObjectId id = addXrecord("RULES");
  for (const OpenRule& rule : rules) {
    SCOPED_TRACE(testing::Message() << rule.held << " then " << rule.asked);
    AcDbObject* first = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(first, id, rule.held), Acad::eOk);
    AcDbObject* second = reinterpret_cast<AcDbObject*>(1);
    EXPECT_EQ(acdbOpenAcDbObject(second, id, rule.asked), rule.expected);
    EXPECT_EQ(second == nullptr, rule.expected != Acad::eOk);
    EXPECT_EQ(sim::openObjects(), 1);
    if (second != nullptr) {
      EXPECT_EQ(second->close(), Acad::eOk);
    }
    EXPECT_EQ(first->close(), Acad::eOk);
    EXPECT_EQ(first->close(), Acad::eNotOpenForRead);
    EXPECT_EQ(sim::openObjects(), 0);
  }
}

TEST_F(DatabaseTest, RefusesTheReaderAfterTheMostTheHostAllows) {
  const AcDbObjectId id = addXrecord("MANY");
  std::vector<AcDbObject*> readers(256);
  for (AcDbObject*& reader : readers) {
    ASSERT_EQ(acdbOpenAcDbObject(reader, id, AcDb::kForRead), Acad::eOk);
  }
  AcDbObject* extra = nullptr;
  EXPECT_EQ(acdbOpenAcDbObject(extra, id, AcDb::kForRead), Acad::eAtMaxReaders);
  for (AcDbObject* reader : readers) {
    reader->close();
  }
}

TEST_F(DatabaseTest, ErasesWhenOpenForWriteAndOpensAnErasedObjectOnlyWhenAskedTo) {
  const AcDbObjectId id = addXrecord("GONE");
  AcDbObject* object = nullptr;
  ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(object->erase(), Acad::eNotOpenForWrite);
  object->close();
  EXPECT_FALSE(id.isErased());
  ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(object->erase(), Acad::eOk);
  EXPECT_EQ(object->erase(), Acad::eWasErased);
  object->close();
  EXPECT_TRUE(id.isErased());
  EXPECT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForRead), Acad::eWasErased);
  EXPECT_EQ(object, nullptr);
  ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite, true), Acad::eOk);
  EXPECT_TRUE(object->isErased());
  EXPECT_EQ(object->erase(false), Acad::eOk);
  object->close();
  EXPECT_FALSE(id.isErased());
  // The erased entry left its dictionary and does not come back with the unerase.
  AcDbDictionary* named = nullptr;
  ASSERT_EQ(db()->getNamedObjectsDictionary(named, AcDb::kForRead), Acad::eOk);
  EXPECT_FALSE(named->has("GONE"));
  named->close();
}

TEST_F(DatabaseTest, DescribesClassesAndRefusesTheWrongOne) {
  const AcDbObjectId recordId = addXrecord("X");
  AcDbDictionary* dictionary = nullptr;
  EXPECT_EQ(acdbOpenObject(dictionary, recordId, AcDb::kForRead), Acad::eNotThatKindOfClass);
  EXPECT_EQ(dictionary, nullptr);
  EXPECT_EQ(sim::openObjects(), 0);
  AcDbXrecord* record = nullptr;
  ASSERT_EQ(acdbOpenObject(record, recordId, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(record->isA(), AcDbXrecord::desc());
  EXPECT_TRUE(record->isKindOf(AcDbObject::desc()));
  EXPECT_FALSE(record->isKindOf(AcDbDictionary::desc()));
  EXPECT_EQ(AcDbDictionary::cast(record), nullptr);
  EXPECT_EQ(AcDbXrecord::cast(record), record);
  EXPECT_STREQ(record->isA()->name(), "AcDbXrecord");
  EXPECT_EQ(record->isA()->myParent(), AcDbObject::desc());
  EXPECT_EQ(record->database(), db());
  EXPECT_EQ(record->objectId(), recordId);
  EXPECT_EQ(record->ownerId(), db()->namedObjectsDictionaryId());
  record->close();
}

TEST_F(DatabaseTest, AddsANewObjectOnceAndLeavesItOpenForWrite) {
  auto* record = new AcDbXrecord();
  EXPECT_TRUE(record->isNewObject());
  EXPECT_EQ(record->close(), Acad::eNotInDatabase);
  AcDbObjectId id;
  ASSERT_EQ(db()->addAcDbObject(id, record), Acad::eOk);
  EXPECT_EQ(id, record->objectId());
  EXPECT_TRUE(record->isWriteEnabled());
  EXPECT_EQ(sim::openObjects(), 1);
  EXPECT_EQ(db()->addAcDbObject(record), Acad::eAlreadyInDb);
  record->close();

  auto* refused = new AcDbXrecord();
  sim::failCall("AcDbDatabase::addAcDbObject");
  EXPECT_EQ(db()->addAcDbObject(refused), Acad::eOutOfMemory);
  EXPECT_TRUE(refused->isNewObject());
  delete refused;
}

TEST_F(DatabaseTest, GivesEachDocumentADatabaseOfItsOwn) {
  AcDbDatabase* first = db();
  ASSERT_NE(first, nullptr);
  const AcDbObjectId kept = addXrecord("FIRST");
  const int firstDocument = sim::currentDocument();

  const int second = sim::openDocument("C:\\work\\site.dwg");
  ASSERT_NE(db(), first);
  EXPECT_NE(db()->namedObjectsDictionaryId(), first->namedObjectsDictionaryId());
  AcDbDictionary* named = nullptr;
  ASSERT_EQ(db()->getNamedObjectsDictionary(named, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(named->numEntries(), 0u);
  named->close();

  ASSERT_TRUE(sim::activateDocument(firstDocument));
  EXPECT_EQ(db(), first);
  EXPECT_TRUE(kept.isValid());
  ASSERT_TRUE(sim::closeDocument(firstDocument));
  EXPECT_EQ(sim::currentDocument(), second);
  EXPECT_FALSE(kept.isValid()); // the database went with its document
  AcDbObject* object = nullptr;
  EXPECT_EQ(acdbOpenAcDbObject(object, kept, AcDb::kForRead), Acad::eWrongDatabase);
  ASSERT_TRUE(sim::closeDocument(second));
  EXPECT_EQ(db(), nullptr);
}

TEST_F(DatabaseTest, TheFixtureReportsAnObjectLeftOpen) {
  const AcDbObjectId id = addXrecord("OPEN");
  AcDbObject* object = nullptr;
  ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForRead), Acad::eOk);
  EXPECT_NONFATAL_FAILURE(qvtest::expectCleanHost(), "database objects left open");
  object->close();
}

TEST_F(DatabaseTest, ReportsAnObjectOfTheDatabaseDeletedInsteadOfClosed) {
  const AcDbObjectId id = addXrecord("DELETED");
  AcDbObject* object = nullptr;
  ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite), Acad::eOk);
  EXPECT_NONFATAL_FAILURE(delete object, "close it instead");
  EXPECT_EQ(sim::openObjects(), 0);
}

TEST_F(DatabaseTest, PlannedFailuresRefuseTheOpen) {
  const AcDbObjectId id = addXrecord("F");
  AcDbObject* object = nullptr;
  sim::failCall("acdbOpenAcDbObject");
  EXPECT_NE(acdbOpenAcDbObject(object, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(object, nullptr);
  AcDbDictionary* named = nullptr;
  sim::failCall("AcDbDatabase::getNamedObjectsDictionary");
  EXPECT_NE(db()->getNamedObjectsDictionary(named, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(named, nullptr);
  EXPECT_EQ(acdbOpenAcDbObject(object, AcDbObjectId::kNull, AcDb::kForRead), Acad::eNullObjectId);
}

} // namespace

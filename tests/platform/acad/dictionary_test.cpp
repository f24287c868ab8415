// The stand-in's dictionaries and Xrecords: keys, replacement, removal, iteration, value lists.
#include <cstring>
#include <string>
#include <vector>

#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbdict.h"
#include "platform/acad/dbxrecrd.h"
#include "platform/sim.h"
#include "testing/failing_new.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class DictionaryTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(acdbHostApplicationServices()->workingDatabase()->getNamedObjectsDictionary(
                  named_, AcDb::kForWrite),
              Acad::eOk);
  }
  void TearDown() override {
    if (named_ != nullptr) {
      named_->close();
    }
    HostTest::TearDown();
  }
  // Stores a new, closed Xrecord under key; its id.
  AcDbObjectId store(const char* key) {
    AcDbObjectId id;
    auto* record = new AcDbXrecord();
    EXPECT_EQ(named_->setAt(key, record, id), Acad::eOk);
    record->close();
    return id;
  }
  std::vector<std::string> visit(AcRx::DictIterType type) {
    std::vector<std::string> names;
    AcDbDictionaryIterator* it = named_->newIterator(type);
    for (; it != nullptr && !it->done(); it->next()) {
      names.push_back(it->name());
    }
    delete it;
    return names;
  }
  AcDbDictionary* named_ = nullptr;
};

TEST_F(DictionaryTest, MatchesKeysWithoutRegardToCase) {
  const AcDbObjectId id = store("Survey");
  for (const char* key : {"Survey", "SURVEY", "survey", "sUrVeY"}) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(named_->has(key));
    AcDbObjectId found;
    EXPECT_EQ(named_->getAt(key, found), Acad::eOk);
    EXPECT_EQ(found, id);
  }
  EXPECT_TRUE(named_->has(id));
  EXPECT_FALSE(named_->has("Surveys"));
  AcDbObject* object = reinterpret_cast<AcDbObject*>(1);
  EXPECT_EQ(named_->getAt("MISSING", object, AcDb::kForRead), Acad::eKeyNotFound);
  EXPECT_EQ(object, nullptr);
}

TEST_F(DictionaryTest, ReplacesAnEntryOfTheSameNameThatIsNotOpenAndErasesTheOldObject) {
  const AcDbObjectId first = store("ENTRY");
  const AcDbObjectId second = store("entry");
  EXPECT_NE(first, second);
  EXPECT_TRUE(first.isErased());
  EXPECT_FALSE(second.isErased());
  EXPECT_EQ(named_->numEntries(), 1u);
  EXPECT_EQ(visit(AcRx::kDictSorted), std::vector<std::string>{"ENTRY"});
  // An entry that is open is not replaced.
  AcDbObject* reader = nullptr;
  ASSERT_EQ(named_->getAt("ENTRY", reader, AcDb::kForRead), Acad::eOk);
  auto* record = new AcDbXrecord();
  AcDbObjectId id;
  EXPECT_EQ(named_->setAt("ENTRY", record, id), Acad::eWasOpenForRead);
  EXPECT_TRUE(record->isNewObject());
  delete record;
  reader->close();
  EXPECT_FALSE(second.isErased());
}

TEST_F(DictionaryTest, RefusesKeysTheHostRefusesAndNumbersAnonymousOnes) {
  for (const char* key :
       {"A|B", "A*", "A\\B", "A:B", "A;B", "A<B", "A>B", "A?B", "A\"B", "A,B", "A=B", "A`B", ""}) {
    SCOPED_TRACE(key);
    auto* record = new AcDbXrecord();
    AcDbObjectId id;
    EXPECT_EQ(named_->setAt(key, record, id), *key ? Acad::eInvalidKey : Acad::eInvalidInput);
    delete record;
  }
  EXPECT_EQ(named_->numEntries(), 0u);
  store("*A");
  store("*A");
  EXPECT_EQ(visit(AcRx::kDictSorted), (std::vector<std::string>{"*A1", "*A2"}));
}

TEST_F(DictionaryTest, RemovesByEveryFormAndErasesTheObject) {
  const AcDbObjectId byKey = store("ONE");
  const AcDbObjectId byKeyWithId = store("TWO");
  const AcDbObjectId byId = store("THREE");
  EXPECT_EQ(named_->remove("one"), Acad::eOk);
  AcDbObjectId removed;
  EXPECT_EQ(named_->remove("TWO", removed), Acad::eOk);
  EXPECT_EQ(removed, byKeyWithId);
  EXPECT_EQ(named_->remove(byId), Acad::eOk);
  for (const AcDbObjectId& id : {byKey, byKeyWithId, byId}) {
    EXPECT_TRUE(id.isErased());
  }
  EXPECT_EQ(named_->numEntries(), 0u);
  EXPECT_EQ(named_->remove("ONE"), Acad::eKeyNotFound);
  EXPECT_EQ(named_->remove(byId), Acad::eKeyNotFound);
}

TEST_F(DictionaryTest, ChangesOnlyWhenOpenForWrite) {
  store("A");
  named_->close();
  ASSERT_EQ(acdbHostApplicationServices()->workingDatabase()->getNamedObjectsDictionary(
                named_, AcDb::kForRead),
            Acad::eOk);
  auto* record = new AcDbXrecord();
  AcDbObjectId id;
  EXPECT_EQ(named_->setAt("B", record, id), Acad::eNotOpenForWrite);
  delete record;
  EXPECT_EQ(named_->remove("A"), Acad::eNotOpenForWrite);
  EXPECT_EQ(named_->numEntries(), 1u);
}

TEST_F(DictionaryTest, IteratesSortedByKeyOrInTheOrderOfAddition) {
  for (const char* key : {"delta", "Alpha", "charlie", "BRAVO"}) {
    store(key);
  }
  EXPECT_EQ(visit(AcRx::kDictSorted),
            (std::vector<std::string>{"Alpha", "BRAVO", "charlie", "delta"}));
  EXPECT_EQ(visit(AcRx::kDictCollated),
            (std::vector<std::string>{"delta", "Alpha", "charlie", "BRAVO"}));
  AcDbDictionaryIterator* it = named_->newIterator();
  ASSERT_NE(it, nullptr);
  AcDbObject* object = nullptr;
  ASSERT_EQ(it->getObject(object, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(object->objectId(), it->objectId());
  object->close();
  while (it->next()) {
  }
  EXPECT_EQ(it->getObject(object, AcDb::kForRead), Acad::eIteratorDone);
  delete it;
}

TEST_F(DictionaryTest, ErasingADictionaryErasesWhatItHolds) {
  auto* folder = new AcDbDictionary();
  AcDbObjectId folderId;
  ASSERT_EQ(named_->setAt("FOLDER", folder, folderId), Acad::eOk);
  auto* record = new AcDbXrecord();
  AcDbObjectId recordId;
  ASSERT_EQ(folder->setAt("ENTRY", record, recordId), Acad::eOk);
  record->close();
  ASSERT_EQ(folder->erase(), Acad::eOk);
  folder->close();
  EXPECT_TRUE(recordId.isErased());
  EXPECT_FALSE(named_->has("FOLDER"));
}

struct ListCase {
  const char* what;
  resbuf* (*build)();
};

TEST_F(DictionaryTest, XrecordsGiveBackACopyOfTheirList) {
  const ListCase cases[] = {
      {"text", [] { return acutBuildList(1, "some text", 0); }},
      {"empty text", [] { return acutBuildList(1, "", 0); }},
      {"mixed",
       [] {
         ads_point point = {1.5, -2.0, 3.25};
         return acutBuildList(1, "a", 10, point, 40, 2.5, 70, 7, 90, int32_t{123456}, 300, "b", 0);
       }},
  };
  for (const ListCase& list : cases) {
    SCOPED_TRACE(list.what);
    resbuf* input = list.build();
    ASSERT_NE(input, nullptr);
    AcDbObjectId id;
    auto* record = new AcDbXrecord();
    ASSERT_EQ(named_->setAt("DATA", record, id), Acad::eOk);
    ASSERT_EQ(record->setFromRbChain(*input), Acad::eOk);
    record->close();
    AcDbXrecord* reopened = nullptr;
    ASSERT_EQ(acdbOpenObject(reopened, id, AcDb::kForRead), Acad::eOk);
    resbuf* output = nullptr;
    ASSERT_EQ(reopened->rbChain(&output), Acad::eOk);
    reopened->close();
    const resbuf* a = input;
    const resbuf* b = output;
    for (; a != nullptr && b != nullptr; a = a->rbnext, b = b->rbnext) {
      ASSERT_EQ(a->restype, b->restype);
      if (a->restype == 1 || a->restype == 300) {
        EXPECT_STREQ(a->resval.rstring, b->resval.rstring);
        EXPECT_NE(a->resval.rstring, b->resval.rstring);
      } else {
        EXPECT_EQ(std::memcmp(&a->resval, &b->resval, sizeof a->resval), 0);
      }
    }
    EXPECT_TRUE(a == nullptr && b == nullptr) << "lists of different lengths";
    acutRelRb(input);
    acutRelRb(output);
  }
}

TEST_F(DictionaryTest, XrecordsRefuseCodesOutsideTheirRangeAndKeepTheirList) {
  auto* record = new AcDbXrecord();
  AcDbObjectId id;
  ASSERT_EQ(named_->setAt("DATA", record, id), Acad::eOk);
  resbuf* good = acutBuildList(1, "kept", 0);
  ASSERT_EQ(record->setFromRbChain(*good), Acad::eOk);
  for (int code : {0, 370, 1000, RTSTR, -1}) {
    SCOPED_TRACE(code);
    resbuf bad{};
    bad.restype = static_cast<short>(code);
    EXPECT_EQ(record->setFromRbChain(bad), Acad::eInvalidResBuf);
  }
  sim::failCall("AcDbXrecord::setFromRbChain");
  EXPECT_EQ(record->setFromRbChain(*good), Acad::eOutOfMemory);
  resbuf* output = nullptr;
  ASSERT_EQ(record->rbChain(&output), Acad::eOk);
  ASSERT_NE(output, nullptr);
  EXPECT_STREQ(output->resval.rstring, "kept");
  acutRelRb(output);
  acutRelRb(good);
  record->close();
}

TEST_F(DictionaryTest, XrecordCopiesOutReleaseWhatTheyMadeWhenMemoryRunsOut) {
  auto* record = new AcDbXrecord();
  AcDbObjectId id;
  ASSERT_EQ(named_->setAt("DATA", record, id), Acad::eOk);
  resbuf* list = acutBuildList(1, "a", 1, "b", 1, "c", 0);
  ASSERT_EQ(record->setFromRbChain(*list), Acad::eOk);
  acutRelRb(list);
  record->close();
  named_->close();
  named_ = nullptr;
  for (const char* call : {"acutNewRb", "acad_malloc", "AcDbXrecord::rbChain"}) {
    const int points = qvtest::forEachFailure(call, [&](int) {
      AcDbXrecord* reader = nullptr;
      ASSERT_EQ(acdbOpenObject(reader, id, AcDb::kForRead), Acad::eOk);
      resbuf* output = reinterpret_cast<resbuf*>(1);
      const Acad::ErrorStatus status = reader->rbChain(&output);
      EXPECT_EQ(status == Acad::eOk, output != nullptr);
      acutRelRb(output);
      reader->close();
    });
    EXPECT_GE(points, 1) << call;
  }
}

// The host answers a lack of memory with eOutOfMemory and changes nothing: no entry is made, a
// replaced one stays, and the object stays its maker's.
TEST_F(DictionaryTest, RunningOutOfMemoryChangesNothing) {
  named_->close();
  named_ = nullptr;
  const auto body = [](int) {
    int document = 0;
    AcDbDictionary* named = nullptr;
    AcDbObjectId kept;
    AcDbXrecord* records[2] = {};
    {
      const qvtest::UnfailingAllocations setup;
      document = sim::openDocument("C:\\work\\sweep.dwg");
      ASSERT_EQ(acdbHostApplicationServices()->workingDatabase()->getNamedObjectsDictionary(
                    named, AcDb::kForWrite),
                Acad::eOk);
      auto* old = new AcDbXrecord();
      ASSERT_EQ(named->setAt("KEPT", old, kept), Acad::eOk);
      old->close();
      records[0] = new AcDbXrecord();
      records[1] = new AcDbXrecord();
    }
    const char* keys[] = {"kept", "a key too long to be kept inside its string"};
    bool added[2] = {};
    for (int i = 0; i < 2; ++i) {
      AcDbObjectId id;
      const Acad::ErrorStatus status = named->setAt(keys[i], records[i], id);
      const qvtest::UnfailingAllocations checking;
      added[i] = status == Acad::eOk;
      if (!added[i]) {
        EXPECT_EQ(status, Acad::eOutOfMemory);
        EXPECT_TRUE(records[i]->objectId().isNull() && id.isNull());
        delete records[i];
      } else {
        records[i]->close();
      }
    }
    const qvtest::UnfailingAllocations checking;
    EXPECT_EQ(kept.isErased(), added[0]);
    EXPECT_EQ(named->numEntries(), added[1] ? 2u : 1u);
    EXPECT_EQ(named->has(keys[1]), added[1]);
    named->close();
    EXPECT_TRUE(sim::closeDocument(document));
  };
  body(0); // the host's first uses stay for the session
  EXPECT_GE(qvtest::forEachAllocationFailure(body), 3);
}

} // namespace

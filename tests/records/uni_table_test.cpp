// QvUniTable: table chains, record ownership, lookups by id and type, and copies.
#include "records/uni_table.h"

#include <string>

#include "record_test_util.h"
#include "records/records.h"

namespace {

class UniTableTest : public qvtest::HostTest {
protected:
  void TearDown() override {
    if (tables_ != nullptr) {
      tables_->releaseChain();
    }
    HostTest::TearDown();
  }
  qv::IQvUniTable* addTable(const char* id, const char* type) {
    auto* table = new qv::QvUniTable;
    if (id != nullptr) {
      table->setId(id);
    }
    if (type != nullptr) {
      table->setType(type);
    }
    if (tables_ == nullptr) {
      tables_ = table;
    } else {
      tables_->appendTable(table);
    }
    return table;
  }
  static qv::IQvUniRecord* record(const char* id, const char* value) {
    qv::QvUniRecord* made = qvtest::newRecord(id);
    made->setField("v", value, 0, "integer");
    return made;
  }
  qv::IQvUniTable* tables_ = nullptr;
};

TEST_F(UniTableTest, FindTableMatchesIdAndTypeWithoutCase) {
  qv::IQvUniTable* first = addTable("dwg", "folders");
  qv::IQvUniTable* second = addTable("DWG", "files");
  qv::IQvUniTable* third = addTable("txt", nullptr);
  EXPECT_EQ(tables_->findTable(nullptr, nullptr), nullptr);
  EXPECT_EQ(tables_->findTable("Dwg", nullptr), first); // type ignored
  EXPECT_EQ(tables_->findTable("dwg", "FILES"), second);
  EXPECT_EQ(tables_->findTable(nullptr, "files"), second);
  EXPECT_EQ(tables_->findTable("txt", nullptr), third);
  EXPECT_EQ(tables_->findTable("txt", "folders"), nullptr); // an absent type never matches
  EXPECT_EQ(tables_->findTable("none", nullptr), nullptr);
  EXPECT_EQ(second->findTable("dwg", "folders"), nullptr); // only from this table on
}

TEST_F(UniTableTest, AppendAndRemoveTables) {
  qv::IQvUniTable* a = addTable("a", nullptr);
  qv::IQvUniTable* b = addTable("b", nullptr);
  tables_->appendTable(a);
  tables_->appendTable(b); // already the last: would link it to itself
  tables_->appendTable(nullptr);
  EXPECT_EQ(b->next(), nullptr);
  qv::QvUniTable linked;
  qv::QvUniTable after;
  linked.setNext(&after);
  tables_->appendTable(&linked); // has a next: nothing
  EXPECT_EQ(b->next(), nullptr);
  linked.setNext(nullptr);
  qv::IQvUniTable* c = addTable("c", nullptr);
  tables_->removeTable(tables_); // itself: nothing
  c->removeTable(b);             // not after c: nothing
  EXPECT_EQ(b->next(), c);
  tables_->removeTable(b);
  EXPECT_EQ(a->next(), c);
  tables_->removeTable(c);
  EXPECT_EQ(a->next(), nullptr);
}

TEST_F(UniTableTest, RecordsGoToTheEndAndCloneCopiesPresentTextsAndRecordsWithoutTypes) {
  qv::QvUniTable fresh; // nothing at all; a null id is set as empty
  EXPECT_EQ(fresh.getDesc(), nullptr);
  EXPECT_EQ(fresh.firstRecord(), nullptr);
  EXPECT_EQ(fresh.next(), nullptr);
  fresh.setId(nullptr);
  EXPECT_STREQ(fresh.getId(), "");
  qv::IQvUniTable* table = addTable("t", nullptr);
  table->setDesc("");
  table->addRecord(nullptr);
  EXPECT_EQ(table->firstRecord(), nullptr);
  table->addRecord(record("1", "10"));
  table->addRecord(record("2", "20")); // to the end; the table owns and frees them
  addTable("other", nullptr);
  qv::IQvUniTable* copy = table->clone();
  EXPECT_STREQ(copy->getId(), "t");
  EXPECT_EQ(copy->getType(), nullptr); // absent stays absent
  EXPECT_STREQ(copy->getDesc(), "");
  EXPECT_EQ(copy->next(), nullptr);
  ASSERT_EQ(copy->firstRecord()->countRecords(), 2);
  qv::IQvUniRecord* copied = copy->firstRecord()->next();
  EXPECT_STREQ(copied->getId(), "2");
  EXPECT_STREQ(copied->firstField()->getValue(), "20");
  EXPECT_EQ(copied->firstField()->getType(), nullptr);
  EXPECT_NE(copied, table->firstRecord()->next());
  copy->release();
}

} // namespace

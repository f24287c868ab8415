// QvUniField and QvFieldList: owned texts, equality, lookups by name and the list's links.
#include "records/uni_field.h"

#include <cstring>
#include <string>

#include "records/field_list.h"
#include "records/uni_record.h"
#include "testing/failing_new.h"
#include "testing/host_test.h"

namespace {

class UniFieldTest : public qvtest::HostTest {};

TEST_F(UniFieldTest, TextsAreOwnedCopiesOfEveryLengthAndNullMeansEmptyOrAbsent) {
  qv::QvUniField field;
  EXPECT_EQ(field.getName(), nullptr);
  EXPECT_EQ(field.getValue(), nullptr);
  EXPECT_EQ(field.getType(), nullptr);
  char name[] = "north";
  field.setName(name);
  name[0] = 'X';
  EXPECT_STREQ(field.getName(), "north");
  field.setValue(nullptr);
  ASSERT_NE(field.getValue(), nullptr);
  EXPECT_STREQ(field.getValue(), "");
  for (size_t length : {0u, 1u, 21u, 22u, 23u, 24u, 100u, 100000u}) {
    const std::string text(length, 'v');
    field.setValue(text.c_str());
    EXPECT_EQ(std::string(field.getValue()), text);
    field.setValue(field.getValue()); // itself, kept or moved between inside and outside
    EXPECT_EQ(std::string(field.getValue()), text);
  }
  field.setValue("123456");
  field.setValue(field.getValue() + 2); // a part of its own short text
  EXPECT_STREQ(field.getValue(), "3456");
  const std::string longer = std::string(40, 'a') + "tail";
  field.setName(longer.c_str());
  field.setName(field.getName() + 40); // a part of its own long text
  EXPECT_STREQ(field.getName(), "tail");
  field.setType(longer.c_str());
  field.setType(nullptr);
  EXPECT_EQ(field.getType(), nullptr);
}

TEST_F(UniFieldTest, IsEqualComparesNameValueAndTypeExactly) {
  qv::QvUniField a;
  qv::QvUniField b;
  EXPECT_EQ(a.isEqual(nullptr), 0);
  EXPECT_EQ(a.isEqual(&b), 1); // all absent on both sides
  a.setName("n");
  b.setName("n");
  a.setValue("v");
  EXPECT_EQ(a.isEqual(&b), 0); // one value absent
  b.setValue("V");
  EXPECT_EQ(a.isEqual(&b), 0); // case counts
  b.setValue("v");
  EXPECT_EQ(a.isEqual(&b), 1);
  a.setType("");
  EXPECT_EQ(a.isEqual(&b), 0); // an empty type is not an absent one
  b.setType("");
  EXPECT_EQ(a.isEqual(&b), 1);
  b.setName("N");
  EXPECT_EQ(a.isEqual(&b), 0);
}

class FieldListTest : public qvtest::HostTest {
protected:
  static std::string names(const qv::QvFieldList& list) {
    std::string out;
    for (qv::IQvUniField* f = list.first(); f != nullptr; f = f->next()) {
      out += f->getName();
      out += '=';
      out += f->getValue();
      out += ';';
    }
    return out;
  }
  qv::QvFieldList list_;
};

TEST_F(FieldListTest, AddAppendsAddFirstPrependsAndReplaceChangesOnlyTheFirstValue) {
  EXPECT_EQ(list_.find("x"), nullptr);
  EXPECT_EQ(list_.fieldAt(0), nullptr);
  list_.add("a", "1", 0, nullptr);
  list_.add("b", "2", 0, "integer");
  list_.add("A", "3", 0, nullptr); // a second field of the same name
  EXPECT_EQ(names(list_), "a=1;b=2;A=3;");
  EXPECT_STREQ(list_.find("A")->getValue(), "1");
  list_.add("B", "9", 1, "real"); // replaces: value only, type kept
  EXPECT_EQ(names(list_), "a=1;b=9;A=3;");
  EXPECT_STREQ(list_.find("b")->getType(), "integer");
  list_.add("c", nullptr, 1, nullptr); // nothing to replace: appended, null value as empty
  EXPECT_EQ(names(list_), "a=1;b=9;A=3;c=;");
  EXPECT_EQ(list_.last(), list_.find("C"));
  EXPECT_EQ(list_.last()->next(), nullptr);
  EXPECT_EQ(list_.find(nullptr), nullptr);
  EXPECT_EQ(list_.fieldAt(3), list_.last());
  EXPECT_EQ(list_.fieldAt(4), nullptr);
  EXPECT_EQ(list_.fieldAt(-1), nullptr);
  qv::QvFieldList front;
  front.addFirst("b", "2", 0, nullptr);
  EXPECT_EQ(front.first(), front.last());
  front.addFirst("a", "1", 0, nullptr);
  front.addFirst("B", "7", 1, nullptr); // replaces, not put in front
  EXPECT_EQ(names(front), "a=1;b=7;");
  EXPECT_STREQ(front.last()->getName(), "b");
}

TEST_F(FieldListTest, RemoveKeepsFirstAndLastRight) {
  list_.add("a", "1", 0, nullptr);
  list_.add("b", "2", 0, nullptr);
  list_.add("c", "3", 0, nullptr);
  qv::QvUniField stranger;
  list_.remove(&stranger);
  list_.remove(nullptr);
  EXPECT_EQ(names(list_), "a=1;b=2;c=3;");
  list_.remove(list_.last());
  EXPECT_STREQ(list_.last()->getName(), "b");
  EXPECT_EQ(list_.last()->next(), nullptr);
  list_.removeByName("A");
  EXPECT_EQ(names(list_), "b=2;");
  EXPECT_EQ(list_.first(), list_.last());
  list_.removeByName("nothing");
  list_.removeByName("b");
  EXPECT_EQ(list_.first(), nullptr);
  EXPECT_EQ(list_.last(), nullptr);
  list_.add("d", "4", 0, nullptr); // an emptied list takes fields again
  EXPECT_EQ(names(list_), "d=4;");
}

// A record made with room takes that many fields in its own allocation; fields past the room,
// and fields added after a removal, come from the heap until the list is cleared.
TEST_F(FieldListTest, RecordsMadeWithRoomHoldTheirFieldsInOneAllocation) {
  const std::string longText(40, 'x');
  const int64_t before = qvtest::liveAllocations();
  qv::QvUniRecord* record = qv::QvUniRecord::create(2);
  ASSERT_NE(record, nullptr);
  record->setField("a", "1", 0, nullptr);
  record->setField("b", longText.c_str(), 0, nullptr); // a long text still has its own
  EXPECT_EQ(qvtest::liveAllocations() - before, 2);
  record->setField("c", "3", 0, nullptr); // past the room
  EXPECT_EQ(qvtest::liveAllocations() - before, 3);
  record->removeField(record->fields().find("a")); // its slot stays unused until a clear
  record->insertFieldFirst("d", "4", 0, nullptr);
  EXPECT_EQ(qvtest::liveAllocations() - before, 4);
  EXPECT_EQ(names(record->fields()), "d=4;b=" + longText + ";c=3;");
  record->clearFields();
  EXPECT_EQ(qvtest::liveAllocations() - before, 1);
  record->setField("e", "5", 0, nullptr);
  record->setField("f", "6", 0, nullptr);
  EXPECT_EQ(qvtest::liveAllocations() - before, 1);
  qv::IQvUniRecord* copy = record->clone(); // a copy comes with room for the fields it copies
  EXPECT_EQ(qvtest::liveAllocations() - before, 2);
  EXPECT_EQ(names(static_cast<qv::QvUniRecord*>(copy)->fields()), "e=5;f=6;");
  copy->release();
  delete record;
  EXPECT_EQ(qvtest::liveAllocations(), before);

  EXPECT_EQ(qvtest::forEachAllocationFailure([&longText](int) {
              qv::QvUniRecord* made = qv::QvUniRecord::create(3);
              if (made != nullptr) {
                made->setField("a", longText.c_str(), 0, nullptr);
                made->release();
              }
            }),
            2);
}

} // namespace

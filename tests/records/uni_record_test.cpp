// QvUniRecord: typed field access and its marker values, ordering by field, deep equality,
// chains, copies and ownership.
#include "records/uni_record.h"

#include <cfloat>
#include <cstring>
#include <string>
#include <vector>

#include "records/records.h"
#include "testing/host_test.h"
#include "text/text.h"

namespace {

class UniRecordTest : public qvtest::HostTest {
protected:
  void TearDown() override {
    if (chain_ != nullptr) {
      chain_->releaseChain();
    }
    HostTest::TearDown();
  }
  // A chain of records with the given ids, owned by the fixture.
  qv::IQvUniRecord* makeChain(const std::vector<const char*>& ids) {
    for (const char* id : ids) {
      auto* record = new qv::QvUniRecord;
      record->setId(id);
      if (chain_ == nullptr) {
        chain_ = record;
      } else {
        chain_->appendRecord(record);
      }
    }
    return chain_;
  }
  static std::string idsOf(const qv::IQvUniRecord* record) {
    std::string out;
    for (; record != nullptr; record = record->next()) {
      out += record->getId() != nullptr ? record->getId() : "-";
      out += ' ';
    }
    return out;
  }
  qv::QvUniRecord record_;
  qv::IQvUniRecord* chain_ = nullptr;
};

TEST_F(UniRecordTest, EveryGetterReturnsTheFirstFieldOfAName) {
  record_.setField("Name", "first", 0, nullptr);
  record_.setField("name", "second", 0, nullptr);
  qv::msString text;
  EXPECT_EQ(record_.getFieldText("NAME", text), 1);
  EXPECT_STREQ(text, "first");
  char chars[32];
  EXPECT_EQ(record_.getFieldChars("name", chars), 1);
  EXPECT_STREQ(chars, "first");
  int count = 0;
  for (qv::IQvUniField* f = record_.firstField(); f != nullptr; f = f->next()) {
    ++count;
  }
  EXPECT_EQ(count, 2);
}

TEST_F(UniRecordTest, MissingFieldsGiveTheEmptyTextAndZero) {
  qv::msString text = "old";
  EXPECT_EQ(record_.getFieldText("none", text), 0);
  EXPECT_STREQ(text, "");
  char chars[8] = "garbage";
  EXPECT_EQ(record_.getFieldChars("none", chars), 0);
  EXPECT_STREQ(chars, "");
  EXPECT_EQ(record_.getFieldChars("none", nullptr), 0);
  record_.setField("empty", "", 0, nullptr);
  EXPECT_EQ(record_.getFieldText("empty", text), 1); // present, though empty
}

TEST_F(UniRecordTest, ReplaceChangesOnlyTheValueAndKeepsTheType) {
  record_.setField("x", "1", 0, "integer");
  record_.setField("X", "2.5", 1, "real");
  EXPECT_STREQ(record_.firstField()->getValue(), "2.5");
  EXPECT_STREQ(record_.firstField()->getType(), "integer");
  EXPECT_EQ(record_.firstField()->next(), nullptr);
  double real = 0;
  EXPECT_EQ(record_.getFieldReal("x", real), 0); // the kept "integer" tag refuses a real read
}

TEST_F(UniRecordTest, RealReadsLeaveTheMarkerWhenTheyFail) {
  double out = 1;
  EXPECT_EQ(record_.getFieldReal("none", out), 0);
  EXPECT_EQ(out, qv::kFailedRealRead);
  EXPECT_EQ(out, -98765432.1);
  record_.setField("s", "2.5", 0, "string");
  out = 1;
  EXPECT_EQ(record_.getFieldReal("s", out), 0);
  EXPECT_EQ(out, -98765432.1);
  record_.setField("word", "abc", 0, nullptr);
  EXPECT_EQ(record_.getFieldReal("word", out), 1); // untyped: atof gives 0.0
  EXPECT_EQ(out, 0.0);
  record_.setField("d", "  2.5e1xyz", 0, "DOUBLE");
  EXPECT_EQ(record_.getFieldReal("d", out), 1);
  EXPECT_EQ(out, 25.0);
  record_.setField("r", "-0.125", 0, "Real");
  EXPECT_EQ(record_.getFieldReal("r", out), 1);
  EXPECT_EQ(out, -0.125);
  record_.setField("e", "7", 0, "");
  EXPECT_EQ(record_.getFieldReal("e", out), 1); // an empty tag lets every read through
  EXPECT_EQ(out, 7.0);
  record_.setField("i", "7", 0, "integer");
  EXPECT_EQ(record_.getFieldReal("i", out), 0);
  EXPECT_EQ(out, -98765432.1);
}

TEST_F(UniRecordTest, LongReadsAre32BitAndLeaveZeroWhenTheyFail) {
  int32_t out = 5;
  EXPECT_EQ(record_.getFieldLong("none", out), 0);
  EXPECT_EQ(out, 0);
  record_.setField("r", "12", 0, "real");
  out = 5;
  EXPECT_EQ(record_.getFieldLong("r", out), 0);
  EXPECT_EQ(out, 0);
  record_.setField("n", "  -42abc", 0, "integer");
  EXPECT_EQ(record_.getFieldLong("n", out), 1);
  EXPECT_EQ(out, -42);
  record_.setField("big", "99999999999", 0, "LONG");
  EXPECT_EQ(record_.getFieldLong("big", out), 1);
  EXPECT_EQ(out, INT32_MAX);
  record_.setField("small", "-99999999999999999999999", 0, nullptr);
  EXPECT_EQ(record_.getFieldLong("small", out), 1);
  EXPECT_EQ(out, INT32_MIN);
  record_.setField("word", "x1", 0, nullptr);
  out = 5;
  EXPECT_EQ(record_.getFieldLong("word", out), 1);
  EXPECT_EQ(out, 0);
}

TEST_F(UniRecordTest, NumericSettersFormatAsTheProductStoresThem) {
  record_.setFieldReal("a", 3.0, 0, nullptr);
  record_.setFieldReal("b", 0.1, 0, nullptr);
  record_.setFieldReal("c", -0.125, 0, nullptr);
  record_.setFieldReal("d", 1e-11, 0, nullptr);
  record_.setFieldReal("e", 2.5, 0, "real");
  record_.setFieldShort("f", static_cast<int16_t>(40000), 0, nullptr);
  record_.setFieldLong("g", INT32_MIN, 0, "long");
  const char* expected[] = {"3.", "0.1", "-0.125", "0.", "2.5", "-25536", "-2147483648"};
  qv::IQvUniField* field = record_.firstField();
  for (const char* value : expected) {
    ASSERT_NE(field, nullptr);
    EXPECT_STREQ(field->getValue(), value);
    field = field->next();
  }
  EXPECT_STREQ(record_.fields().find("e")->getType(), "real");
  EXPECT_STREQ(record_.fields().find("g")->getType(), "long");
}

TEST_F(UniRecordTest, TheLargestRealsAreStoredWhole) {
  record_.setFieldReal("max", DBL_MAX, 0, nullptr);
  record_.setFieldReal("min", -DBL_MAX, 0, nullptr);
  const std::string max = record_.fields().find("max")->getValue();
  EXPECT_EQ(max.size(), 310u); // 309 digits and the point
  EXPECT_EQ(max.substr(0, 16), "1797693134862315");
  EXPECT_EQ(max.back(), '.');
  EXPECT_EQ(std::string(record_.fields().find("min")->getValue()), "-" + max);
  double back = 0;
  EXPECT_EQ(record_.getFieldReal("max", back), 1);
  EXPECT_EQ(back, DBL_MAX);
}

TEST_F(UniRecordTest, CompareByFieldOrdersNaturallyOrByIdAndReversesWhenDescending) {
  qv::QvUniRecord other;
  EXPECT_EQ(record_.compareByField(nullptr, "x", 0), 0);
  record_.setField("x", "item9", 0, nullptr);
  other.setField("X", "ITEM10", 0, nullptr);
  EXPECT_EQ(record_.compareByField(&other, "x", 0), -1);
  EXPECT_EQ(record_.compareByField(&other, "x", 1), 1);
  EXPECT_EQ(other.compareByField(&record_, "x", 0), 1);
  // A missing field counts as empty, and two missing fields are equal in both directions.
  EXPECT_EQ(record_.compareByField(&other, "missing", 0), 0);
  EXPECT_EQ(record_.compareByField(&other, "missing", 1), 0);
  other.setField("y", "a", 0, nullptr);
  EXPECT_EQ(record_.compareByField(&other, "y", 0), -1);
  // By id: an absent id counts as empty.
  EXPECT_EQ(record_.compareByField(&other, nullptr, 0), 0);
  other.setId("b");
  EXPECT_EQ(record_.compareByField(&other, nullptr, 0), -1);
  record_.setId("B");
  EXPECT_EQ(record_.compareByField(&other, nullptr, 1), 0);
}

TEST_F(UniRecordTest, CompareByFieldTakesAtMost255CharactersOfAnyLength) {
  qv::QvUniRecord other;
  const std::string common(255, 'k');
  record_.setField("v", (common + "a").c_str(), 0, nullptr);
  other.setField("v", (common + "b").c_str(), 0, nullptr);
  EXPECT_EQ(record_.compareByField(&other, "v", 0), 0);
  const std::string huge(4 * 1024 * 1024, '7');
  record_.setField("w", huge.c_str(), 0, nullptr);
  other.setField("w", (huge + "x").c_str(), 0, nullptr);
  EXPECT_EQ(record_.compareByField(&other, "w", 0), 0);
  other.setField("w", "8", 1, nullptr);
  EXPECT_EQ(record_.compareByField(&other, "w", 0), 1); // 255 sevens held at 2^31-1 > 8
}

TEST_F(UniRecordTest, IsEqualWalksIdsFieldsInOrderAndChildren) {
  qv::QvUniRecord other;
  EXPECT_EQ(record_.isEqual(nullptr, nullptr), 0);
  EXPECT_EQ(record_.isEqual(&other, nullptr), 1);
  record_.setId("r");
  EXPECT_EQ(record_.isEqual(&other, nullptr), 0); // one id absent
  other.setId("R");
  EXPECT_EQ(record_.isEqual(&other, nullptr), 0); // ids compare exactly
  other.setId("r");
  record_.setField("a", "1", 0, nullptr);
  record_.setField("b", "2", 0, nullptr);
  other.setField("b", "2", 0, nullptr);
  other.setField("a", "1", 0, nullptr);
  EXPECT_EQ(record_.isEqual(&other, nullptr), 0); // field order matters
  other.clearFields();
  EXPECT_EQ(other.firstField(), nullptr);
  other.setField("a", "1", 0, nullptr);
  other.setField("b", "2", 0, nullptr);
  EXPECT_EQ(record_.isEqual(&other, nullptr), 1);
  auto* child = new qv::QvUniRecord;
  child->setId("kid"); // a copy of an absent id would be empty, and not equal
  child->setField("c", "3", 0, nullptr);
  record_.setFirstChild(child);
  EXPECT_EQ(record_.isEqual(&other, nullptr), 0); // one child chain longer
  other.setFirstChild(child->clone());
  EXPECT_EQ(record_.isEqual(&other, nullptr), 1);
  other.firstChild()->setField("c", "4", 1, nullptr);
  EXPECT_EQ(record_.isEqual(&other, nullptr), 0);
}

TEST_F(UniRecordTest, IsEqualSkipsMaskedFieldsAndReportsLeftovers) {
  qv::QvUniRecord other;
  qv::QvUniRecord mask;
  record_.setField("stamp", "monday", 0, nullptr);
  record_.setField("a", "1", 0, nullptr);
  record_.setField("note", "x", 0, nullptr);
  other.setField("a", "1", 0, nullptr);
  other.setField("STAMP", "tuesday", 0, nullptr);
  mask.setField("Stamp", "yes", 0, nullptr);
  mask.setField("note", "", 0, nullptr); // an empty value does not mask
  testing::internal::CaptureStdout();
  EXPECT_EQ(record_.isEqual(&other, &mask), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Val1 note\n");
  mask.setField("note", "1", 1, nullptr);
  testing::internal::CaptureStdout();
  EXPECT_EQ(record_.isEqual(&other, &mask), 1);
  EXPECT_EQ(other.isEqual(&record_, &mask), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  other.setField("extra", "e", 0, nullptr);
  testing::internal::CaptureStdout();
  EXPECT_EQ(record_.isEqual(&other, &mask), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Val2 extra\n");
}

TEST_F(UniRecordTest, CloneCopiesIdFieldsAndChildrenButNoTypes) {
  record_.setField("a", "1", 0, nullptr);
  auto* child = new qv::QvUniRecord;
  child->setId("kid");
  child->setField("c", "3", 0, nullptr);
  record_.setFirstChild(child);
  record_.setNext(child); // a next is never copied (and record_ does not own it)
  qv::IQvUniRecord* copy = record_.clone();
  record_.setNext(nullptr);
  EXPECT_STREQ(copy->getId(), ""); // an absent id becomes empty
  EXPECT_EQ(copy->next(), nullptr);
  EXPECT_NE(copy->firstChild(), child);
  EXPECT_STREQ(copy->firstChild()->getId(), "kid");
  record_.setId("");
  EXPECT_EQ(record_.isEqual(copy, nullptr), 1);
  record_.setField("t", "2", 0, "integer");
  copy->release();
  copy = record_.clone();
  EXPECT_EQ(record_.isEqual(copy, nullptr), 0); // the copy's "t" has no type
  EXPECT_EQ(copy->firstField()->next()->getType(), nullptr);
  copy->release();
}

TEST_F(UniRecordTest, CloneChainCopiesEveryRecordInOrder) {
  EXPECT_EQ(qv::cloneChain(nullptr), nullptr);
  makeChain({"a", "b", "c"});
  qv::IQvUniRecord* copy = qv::cloneChain(chain_);
  EXPECT_EQ(idsOf(copy), "a b c ");
  EXPECT_NE(copy, chain_);
  copy->releaseChain();
}

TEST_F(UniRecordTest, ChainNavigation) {
  EXPECT_EQ(record_.countRecords(), 1);
  EXPECT_EQ(record_.itemAt(0), &record_);
  EXPECT_EQ(record_.itemAt(1), nullptr);
  EXPECT_EQ(record_.itemAt(-1), nullptr);
  makeChain({"a", "b", "B", "c"});
  EXPECT_EQ(chain_->countRecords(), 4);
  EXPECT_STREQ(chain_->itemAt(3)->getId(), "c");
  EXPECT_EQ(chain_->findById("b"), chain_->itemAt(1));
  EXPECT_EQ(chain_->itemAt(2)->findById("b"), chain_->itemAt(2)); // from itself on
  EXPECT_EQ(chain_->itemAt(3)->findById("a"), nullptr);           // never before
  EXPECT_EQ(chain_->findById(nullptr), nullptr);
  EXPECT_EQ(chain_->itemAt(1)->countRecords(), 3);
}

TEST_F(UniRecordTest, AppendRecordRefusesWhatWouldBreakTheChain) {
  makeChain({"a", "b"});
  chain_->appendRecord(nullptr);
  chain_->appendRecord(chain_);
  chain_->appendRecord(chain_->next()); // already the last one
  EXPECT_EQ(idsOf(chain_), "a b ");
  qv::QvUniRecord linked;
  qv::QvUniRecord after;
  linked.setNext(&after);
  chain_->appendRecord(&linked); // has a next
  EXPECT_EQ(idsOf(chain_), "a b ");
  linked.setNext(nullptr);
  // Appending through a record in the middle still reaches the end.
  auto* c = new qv::QvUniRecord;
  c->setId("c");
  chain_->next()->appendRecord(c);
  auto* d = new qv::QvUniRecord;
  d->setId("d");
  chain_->appendRecord(d);
  EXPECT_EQ(idsOf(chain_), "a b c d ");
}

TEST_F(UniRecordTest, RemoveRecordUnlinksAndDeletes) {
  makeChain({"a", "b", "c"});
  chain_->removeRecord(chain_); // the head itself: nothing
  qv::QvUniRecord stranger;
  chain_->removeRecord(&stranger);
  chain_->removeRecord(nullptr);
  EXPECT_EQ(idsOf(chain_), "a b c ");
  chain_->next()->removeRecord(chain_); // not found walking from b
  EXPECT_EQ(idsOf(chain_), "a b c ");
  chain_->removeRecord(chain_->itemAt(2)); // the last one, which the append hint pointed at
  EXPECT_EQ(idsOf(chain_), "a b ");
  auto* d = new qv::QvUniRecord;
  d->setId("d");
  chain_->appendRecord(d);
  EXPECT_EQ(idsOf(chain_), "a b d ");
  chain_->removeRecord(chain_->next());
  EXPECT_EQ(idsOf(chain_), "a d ");
}

TEST_F(UniRecordTest, SetNextForgetsTheAppendPosition) {
  makeChain({"a", "b", "c"});
  qv::IQvUniRecord* b = chain_->next();
  qv::IQvUniRecord* c = b->next();
  b->setNext(nullptr);
  chain_->setNext(c); // a c; b is now loose
  c->setNext(b);      // a c b
  auto* d = new qv::QvUniRecord;
  d->setId("d");
  chain_->appendRecord(d);
  EXPECT_EQ(idsOf(chain_), "a c b d ");
}

TEST_F(UniRecordTest, DestroyingADeepTreeNeedsNoDeepStack) {
  auto* root = new qv::QvUniRecord;
  qv::IQvUniRecord* current = root;
  for (int depth = 0; depth < 200000; ++depth) {
    auto* child = new qv::QvUniRecord;
    child->setField("d", "x", 0, nullptr);
    auto* sibling = new qv::QvUniRecord;
    child->setNext(sibling);
    current->setFirstChild(child);
    current = child;
  }
  root->release(); // the sanitizer build reports anything left or freed twice
}

TEST_F(UniRecordTest, ReleaseChainDeletesTheRecordsAfterOnly) {
  makeChain({"a", "b", "c"});
  qv::IQvUniRecord* b = chain_->next();
  chain_->setNext(nullptr);
  b->releaseChain(); // b and c
  EXPECT_EQ(idsOf(chain_), "a ");
}

TEST_F(UniRecordTest, ChildRecordScopeBuildsTrees) {
  qv::IQvUniRecord* current = &record_;
  {
    qv::QvChildRecordScope first(current);
    EXPECT_EQ(current, first.record());
    current->setId("1");
    {
      qv::QvChildRecordScope nested(current);
      current->setId("1.1");
    }
    EXPECT_STREQ(current->getId(), "1");
  }
  EXPECT_EQ(current, &record_);
  {
    qv::QvChildRecordScope second(current);
    current->setId("2");
  }
  {
    qv::QvChildRecordScope third(current);
    current->setId("3");
  }
  EXPECT_EQ(idsOf(record_.firstChild()), "1 2 3 ");
  EXPECT_EQ(idsOf(record_.firstChild()->firstChild()), "1.1 ");
  qv::IQvUniRecord* loose = nullptr;
  qv::IQvUniRecord* made = nullptr;
  {
    qv::QvChildRecordScope root(loose);
    made = loose;
  }
  EXPECT_EQ(loose, nullptr);
  ASSERT_NE(made, nullptr);
  made->release();
}

} // namespace

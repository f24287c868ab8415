// QvUniRecord: typed field access and its marker values, ordering by field, deep equality,
// chains, copies and ownership.
#include "records/uni_record.h"

#include <cfloat>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "record_test_util.h"
#include "records/records.h"
#include "testing/failing_new.h"
#include "text/text.h"

namespace {

using qvtest::idsOf;
using qvtest::newRecord;

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
      auto* record = newRecord(id);
      if (chain_ == nullptr) {
        chain_ = record;
      } else {
        chain_->appendRecord(record);
      }
    }
    return chain_;
  }
  qv::QvUniRecord record_;
  qv::IQvUniRecord* chain_ = nullptr;
};

TEST_F(UniRecordTest, TextGettersFindTheFirstFieldOfANameOrGiveEmptyAndZero) {
  record_.setField("Name", "first", 0, nullptr);
  record_.setField("name", "second", 0, nullptr);
  record_.setField("empty", "", 0, nullptr);
  qv::msString text = "old";
  char chars[32] = "garbage";
  EXPECT_EQ(record_.getFieldText("NAME", text), 1);
  EXPECT_STREQ(text, "first");
  EXPECT_EQ(record_.getFieldChars("name", chars), 1);
  EXPECT_STREQ(chars, "first");
  EXPECT_EQ(record_.fields().fieldAt(1)->getValue(), std::string("second")); // both are kept
  EXPECT_EQ(record_.getFieldText("none", text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(record_.getFieldChars("none", chars), 0);
  EXPECT_STREQ(chars, "");
  EXPECT_EQ(record_.getFieldChars("none", nullptr), 0);
  EXPECT_EQ(record_.getFieldText("empty", text), 1); // present, though empty
}

// Each row: a field's value and type tag, and what the real and the 32-bit reads give.
TEST_F(UniRecordTest, NumericReadsFollowTheTypeTagAndLeaveMarkersWhenTheyFail) {
  struct Case {
    const char* value;
    const char* type;
    int realOk;
    double real;
    int longOk;
    int32_t whole;
  };
  const Case cases[] = {
      {"2.5", "string", 0, qv::kFailedRealRead, 0, 0},
      {"abc", nullptr, 1, 0.0, 1, 0},          // untyped: atof and atol give 0
      {"  2.5e1xyz", "DOUBLE", 1, 25.0, 0, 0}, // any real tag refuses the whole read
      {"-0.125", "Real", 1, -0.125, 0, 0},
      {"7", "", 1, 7.0, 1, 7},                        // an empty tag lets every read through
      {"7", "integer", 0, qv::kFailedRealRead, 1, 7}, // a whole-number tag refuses a real read
      {"  -42abc", "integer", 0, qv::kFailedRealRead, 1, -42},
      {"99999999999", "LONG", 0, qv::kFailedRealRead, 1, INT32_MAX}, // held at 32 bits
      {"-99999999999999999999999", nullptr, 1, -1e23, 1, INT32_MIN},
      {"Info desk", "real", 1, 0.0, 0, 0}, // decimal only: no infinity, NaN or hexadecimal
      {"nancy", nullptr, 1, 0.0, 1, 0},
      {"0x1A", nullptr, 1, 0.0, 1, 0},
  };
  for (const Case& c : cases) {
    record_.setField("f", c.value, 0, c.type);
    double real = 1;
    int32_t whole = 5;
    EXPECT_EQ(record_.getFieldReal("f", real), c.realOk) << c.value;
    EXPECT_EQ(real, c.real) << c.value;
    EXPECT_EQ(record_.getFieldLong("f", whole), c.longOk) << c.value;
    EXPECT_EQ(whole, c.whole) << c.value;
    record_.clearFields();
  }
  double real = 1;
  int32_t whole = 5;
  EXPECT_EQ(record_.getFieldReal("none", real), 0);
  EXPECT_EQ(real, qv::kFailedRealRead);
  EXPECT_EQ(record_.getFieldLong("none", whole), 0);
  EXPECT_EQ(whole, 0);
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
  // The largest reals are stored whole: 309 digits and the point.
  record_.setFieldReal("max", DBL_MAX, 0, nullptr);
  record_.setFieldReal("min", -DBL_MAX, 0, nullptr);
  const std::string max = record_.fields().find("max")->getValue();
  EXPECT_EQ(max.size(), 310u);
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
  auto* child = newRecord("kid"); // a copy of an absent id would be empty, and not equal
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

TEST_F(UniRecordTest, ClonesCopyIdFieldsChildrenAndChainsButNoTypes) {
  record_.setField("a", "1", 0, nullptr);
  auto* child = newRecord("kid");
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
  EXPECT_EQ(qv::cloneChain(nullptr), nullptr);
  makeChain({"a", "b", "c"});
  copy = qv::cloneChain(chain_);
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

TEST_F(UniRecordTest, AppendAndRemoveRefuseWhatWouldBreakTheChain) {
  makeChain({"a", "b"});
  chain_->appendRecord(nullptr);
  chain_->appendRecord(chain_);
  chain_->appendRecord(chain_->next()); // already the last one
  qv::QvUniRecord linked;
  qv::QvUniRecord after;
  linked.setNext(&after);
  chain_->appendRecord(&linked); // has a next
  linked.setNext(nullptr);
  chain_->removeRecord(chain_); // the head itself
  chain_->removeRecord(&linked);
  chain_->removeRecord(nullptr);
  EXPECT_EQ(idsOf(chain_), "a b ");
  chain_->next()->appendRecord(newRecord("c")); // through a record in the middle
  chain_->next()->removeRecord(chain_);         // not found walking from b
  EXPECT_EQ(idsOf(chain_), "a b c ");
  chain_->removeRecord(chain_->itemAt(2)); // the last one, which the append hint pointed at
  chain_->appendRecord(newRecord("d"));
  EXPECT_EQ(idsOf(chain_), "a b d ");
  chain_->removeRecord(chain_->next());
  EXPECT_EQ(idsOf(chain_), "a d ");
}

using Records = std::vector<qv::IQvUniRecord*>;

// Changes the chain h a b c (records in order) in one way of those a record can leave a chain
// behind its head's back; answers a loose chain to release.
qv::IQvUniRecord* changeBehindTheHead(int way, Records& r) {
  switch (way) {
  case 0: // removeRecord through a later record
    r[1]->removeRecord(r[3]);
    return nullptr;
  case 1: // cut with setNext, the rest kept
    r[1]->setNext(nullptr);
    return r[2];
  case 2: { // takeRecords of a middle record
    qv::IQvUniRecord* rest = r[1];
    qv::takeRecords(&rest, 1);
    return rest;
  }
  case 3: // cut with setNext, the tail released
    r[1]->setNext(nullptr);
    r[2]->releaseChain();
    return nullptr;
  case 4: // inserted after the head
    r[0]->setNext(newRecord("x"));
    r[0]->next()->setNext(r[1]);
    return nullptr;
  case 5: // the tail extended directly
    r[3]->setNext(newRecord("x"));
    return nullptr;
  case 6: // the last record moved into the middle
    r[2]->setNext(nullptr);
    r[0]->setNext(r[3]);
    r[3]->setNext(r[1]);
    return nullptr;
  default: { // sorted: the old head, now the last, goes second in r
    qv::IQvUniRecord* oldHead = r[0];
    qv::sortRecords(&r[0], nullptr, 0);
    r[1] = oldHead;
    return nullptr;
  }
  }
}

// The next append through the chain's head, or through the record after it, must still land at
// the chain's end (the sanitizer build catches a write to a deleted record).
TEST_F(UniRecordTest, AppendsReachTheEndWhateverLeftTheChain) {
  const char* const expected[] = {"h a b z ",     "h a z ",       "h a z ",     "h a z ",
                                  "h x a b c z ", "h a b c x z ", "h c a b z ", "a b c h z "};
  for (int way = 0; way < 8; ++way) {
    for (const int appendThrough : {0, 1}) {
      Records records;
      for (const char* id : {"h", "a", "b", "c"}) {
        records.push_back(newRecord(id));
        if (records.size() > 1) {
          records[0]->appendRecord(records.back());
        }
      }
      qv::IQvUniRecord* loose = changeBehindTheHead(way, records);
      records[appendThrough]->appendRecord(newRecord("z"));
      EXPECT_EQ(idsOf(records[0]), expected[way]) << way << ", through " << appendThrough;
      records[0]->releaseChain();
      if (loose != nullptr) {
        loose->releaseChain();
      }
    }
  }
}

// Trees built by callers may be of any depth: copying, comparing, writing and destroying them
// needs no deeper stack.
TEST_F(UniRecordTest, DeepTreesAreCopiedComparedWrittenAndDestroyedWithoutDeepStack) {
  constexpr int kDepth = 200000;
  const int64_t before = qvtest::liveAllocations();
  auto* root = newRecord("r");
  qv::IQvUniRecord* current = root;
  for (int depth = 0; depth < kDepth; ++depth) {
    auto* child = newRecord("c");
    child->setField("d", "x", 0, nullptr);
    auto* sibling = newRecord("s");
    child->setNext(sibling);
    current->setFirstChild(child);
    current = child;
  }
  const int64_t tree = qvtest::liveAllocations() - before;

  const int64_t beforeCopy = qvtest::liveAllocations();
  qv::IQvUniRecord* copy = root->clone();
  ASSERT_NE(copy, nullptr);
  // A copied record comes in one allocation with its fields.
  EXPECT_EQ(qvtest::liveAllocations() - beforeCopy, 2 * kDepth + 1);
  EXPECT_EQ(root->isEqual(copy, nullptr), 1);
  current->setField("last", "1", 0, nullptr); // the deepest record differs now
  EXPECT_EQ(root->isEqual(copy, nullptr), 0);

  std::string element;
  qv::appendRecordElement(element, root);
  const std::string opening = "<record id=\"r\" >\n<record id=\"c\" >\n";
  EXPECT_EQ(element.compare(0, opening.size(), opening), 0);
  EXPECT_EQ(element.compare(element.size() - 20, 20, "</record>\n</record>\n"), 0);
  for (const int chunkForm : {0, 1}) {
    qv::QvByteBuffer buffer;
    EXPECT_EQ(buffer.writeRecord(root, chunkForm), 1) << chunkForm;
    EXPECT_GT(buffer.length(), static_cast<uint32_t>(kDepth) * 20) << chunkForm;
  }
  ASSERT_EQ(qv::writeRecordFile(tempPath("deep.xml").c_str(), root), 1);
  EXPECT_GT(std::filesystem::file_size(tempPath("deep.xml")), element.size());

  // Every record, field and text of both trees goes, and the deepest's new field.
  const int64_t beforeRelease = qvtest::liveAllocations();
  copy->release();
  root->release();
  EXPECT_EQ(beforeRelease - qvtest::liveAllocations(), (2 * kDepth + 1) + tree + 1);
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

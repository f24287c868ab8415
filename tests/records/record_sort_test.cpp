// sortRecords, takeRecords and mergeRecords: stable natural ordering by relinking the records,
// with no record copied.
#include "records/record_sort.h"

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "record_test_util.h"
#include "records/records.h"
#include "testing/failing_new.h"

namespace {

using qvtest::idsOf;

class RecordSortTest : public qvtest::HostTest {
protected:
  void TearDown() override {
    if (head_ != nullptr) {
      head_->releaseChain();
    }
    HostTest::TearDown();
  }
  // Appends a record with the given id and, unless value is null, a field "key".
  qv::IQvUniRecord* add(const char* id, const char* value) {
    qv::QvUniRecord* record = qvtest::newRecord(id);
    if (value != nullptr) {
      record->setField("key", value, 0, "integer");
    }
    if (head_ == nullptr) {
      head_ = record;
    } else {
      head_->appendRecord(record);
    }
    return record;
  }
  qv::IQvUniRecord* head_ = nullptr;
};

// Each row: the field, the records as "id:value" ("id" alone lacks the field), and the order
// sorted ascending, then descending.
TEST_F(RecordSortTest, SortsNaturallyAndStablyWithMissingFieldsFirstAscendingAndLastDescending) {
  const char* cases[][4] = {
      {"KEY", "a:10 b:9 c:100", "b a c ", "c a b "},
      {"key", "1:b 2:A 3:B 4:a 5:c 6:b", "2 4 1 3 6 5 ", "5 1 3 6 2 4 "},
      {"key", "x1:5 n1 x2:1 n2 x3:3", "n1 n2 x2 x3 x1 ", "x1 x3 x2 n1 n2 "},
      {nullptr, "item10 Item9 item1", "item1 Item9 item10 ", "item10 Item9 item1 "}, // by id
      {"key", "only:1", "only ", "only "},
      {"key", "", "", ""},
  };
  qv::sortRecords(nullptr, "key", 0);
  for (const auto& c : cases) {
    std::istringstream records(c[1]);
    for (std::string word; records >> word;) {
      const size_t colon = word.find(':');
      add(word.substr(0, colon).c_str(),
          colon == std::string::npos ? nullptr : word.c_str() + colon + 1);
    }
    qv::sortRecords(&head_, c[0], 0);
    EXPECT_EQ(idsOf(head_), c[2]);
    qv::sortRecords(&head_, c[0], 1);
    EXPECT_EQ(idsOf(head_), c[3]);
    if (head_ != nullptr) {
      head_->releaseChain();
      head_ = nullptr;
    }
  }
}

TEST_F(RecordSortTest, MatchesAStableSortOfPointersForEveryLength) {
  std::mt19937 random(7);
  for (int count : {2, 3, 5, 8, 17, 64, 100, 1000, 4099}) {
    for (int descending = 0; descending < 2; ++descending) {
      std::vector<qv::IQvUniRecord*> expected;
      for (int i = 0; i < count; ++i) {
        // Not "p" + std::to_string(...): GCC 12 at -O3 takes that for an overlapping copy.
        // Some values too long to be copied into the sorting array: compared where they lie.
        std::string value = random() % 3 == 0 ? std::string(30, 'p') : "p";
        value += std::to_string(random() % 50);
        qv::IQvUniRecord* record =
            add(std::to_string(i).c_str(), random() % 10 == 0 ? nullptr : value.c_str());
        expected.push_back(record);
      }
      std::stable_sort(expected.begin(), expected.end(),
                       [descending](qv::IQvUniRecord* a, qv::IQvUniRecord* b) {
                         return a->compareByField(b, "key", descending) < 0;
                       });
      qv::sortRecords(&head_, "key", descending);
      std::vector<qv::IQvUniRecord*> sorted;
      for (qv::IQvUniRecord* r = head_; r != nullptr; r = r->next()) {
        sorted.push_back(r);
      }
      EXPECT_EQ(sorted, expected) << count << " records, descending " << descending;
      head_->releaseChain();
      head_ = nullptr;
    }
  }
}

// Whichever allocation fails (the sorting array, or the buffer of the sort inside it), the same
// records come back in the same order.
TEST_F(RecordSortTest, EveryFailedAllocationStillGivesTheSameOrder) {
  for (int i = 0; i < 300; ++i) {
    add(std::to_string(i).c_str(), std::to_string(i * 7919 % 301 / 3).c_str());
  }
  qv::sortRecords(&head_, "key", 1);
  const std::string expected = idsOf(head_);
  qv::sortRecords(&head_, nullptr, 0);
  const int points = qvtest::forEachAllocationFailure([&](int) {
    qv::sortRecords(&head_, "key", 1);
    qvtest::UnfailingAllocations checking;
    EXPECT_EQ(idsOf(head_), expected);
    qv::sortRecords(&head_, nullptr, 0);
  });
  EXPECT_GE(points, 2);
}

TEST_F(RecordSortTest, TakeRecordsCutsTheChain) {
  for (const char* id : {"a", "b", "c", "d", "e"}) {
    add(id, nullptr);
  }
  EXPECT_EQ(qv::takeRecords(nullptr, 2), nullptr);
  EXPECT_EQ(qv::takeRecords(&head_, 0), nullptr);
  EXPECT_EQ(idsOf(head_), "a b c d e ");
  qv::IQvUniRecord* taken = qv::takeRecords(&head_, 2);
  EXPECT_EQ(idsOf(taken), "a b ");
  EXPECT_EQ(idsOf(head_), "c d e ");
  // Appends through the taken head stay in its own chain.
  taken->appendRecord(qvtest::newRecord("f"));
  EXPECT_EQ(idsOf(taken), "a b f ");
  EXPECT_EQ(idsOf(head_), "c d e ");
  taken->releaseChain();
  qv::IQvUniRecord* rest = qv::takeRecords(&head_, 10);
  EXPECT_EQ(head_, nullptr);
  EXPECT_EQ(idsOf(rest), "c d e ");
  EXPECT_EQ(qv::takeRecords(&head_, 1), nullptr);
  rest->releaseChain();
}

TEST_F(RecordSortTest, MergeKeepsRecordsOfTheFirstChainBeforeEqualOnes) {
  add("a1", "1");
  add("a3", "3");
  add("a5", "5");
  qv::IQvUniRecord* a = head_;
  head_ = nullptr;
  add("b0", "0");
  add("b3", "3");
  add("b6", "6");
  add("b7", "7");
  qv::IQvUniRecord* b = head_;
  head_ = qv::mergeRecords(a, b, "key", 0);
  EXPECT_EQ(idsOf(head_), "b0 a1 a3 b3 a5 b6 b7 ");
  EXPECT_EQ(qv::mergeRecords(head_, nullptr, "key", 0), head_);
  qv::IQvUniRecord* c = qvtest::newRecord("c");
  EXPECT_EQ(qv::mergeRecords(nullptr, c, "key", 0), c);
  c->release();
}

} // namespace

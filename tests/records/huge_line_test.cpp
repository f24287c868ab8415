// A line of 100 MB in the text-table reader: it reads in bounded pieces, keeps going, and still
// finds the good content after the line. (The other readers' long lines are in their own tests.)
#include <string>

#include "platform/sim.h"
#include "records/record_test_util.h"
#include "records/records.h"

namespace {

class HugeLineTest : public qvtest::FileTest {
protected:
  void SetUp() override {
    FileTest::SetUp();
    sim::mapDrive('D', tempDir().string());
  }
  static std::string hugeLine() { return std::string(100u << 20, 'x'); }
};

int chainLength(const qv::IQvUniRecord* record) {
  int count = 0;
  for (; record != nullptr; record = record->next()) {
    ++count;
  }
  return count;
}

const qv::IQvUniRecord* lastOf(const qv::IQvUniRecord* record) {
  while (record != nullptr && record->next() != nullptr) {
    record = record->next();
  }
  return record;
}

TEST_F(HugeLineTest, TextTableReadsTheLineInPiecesAndTheNextLineWhole) {
  writeHost("huge.csv", hugeLine() + "\r\nok,1\r\n");
  qv::IQvUniRecord* table = qv::readTextTable("D:\\huge.csv", ',', nullptr, 0, 0, 0, 0);
  ASSERT_NE(table, nullptr);
  // 10239 characters a read: the line gives ceil(104857600 / 10239) records, then "ok,1".
  EXPECT_EQ(chainLength(table), (104857600 + 10238) / 10239 + 1);
  char value[16] = {};
  EXPECT_EQ(lastOf(table)->getFieldChars("1", value), 1);
  EXPECT_STREQ(value, "ok");
  table->releaseChain();
}

} // namespace

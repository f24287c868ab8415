// Running out of memory in the record model: every operation answers its failure result or its
// whole result, lets no exception out and leaves nothing allocated behind.
#include <filesystem>
#include <functional>
#include <iterator>
#include <new>
#include <string>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "record_test_util.h"
#include "records/records.h"
#include "testing/failing_new.h"

namespace {

using qvtest::describe;

// What a read or a copy made, described and released; "" when it made nothing.
std::string takeRecords(qv::IQvUniRecord* made) {
  const qvtest::UnfailingAllocations checking;
  std::string text = describe(made);
  if (made != nullptr) {
    made->releaseChain();
  }
  return text;
}

std::string takeTables(qv::IQvUniTable* made) {
  const qvtest::UnfailingAllocations checking;
  std::string text = made != nullptr ? describe(made->firstRecord()) : "";
  if (made != nullptr) {
    made->releaseChain();
  }
  return text;
}

class AllocationFailureTest : public qvtest::HostTest {
protected:
  AllocationFailureTest() : HostTest('M') {}
  // A tree with long texts (kept outside the objects), typed fields and nested children.
  static qv::IQvUniRecord* sampleChain() {
    const std::string longText(40, 'v');
    auto* first = new qv::QvUniRecord;
    first->setId("first record with a long id");
    first->setField("name", longText.c_str(), 0, "string");
    first->setField("n", "7", 0, "integer");
    auto* child = new qv::QvUniRecord;
    child->setId("child");
    child->setField("deep", longText.c_str(), 0, nullptr);
    auto* grandchild = new qv::QvUniRecord;
    grandchild->setField("g", "1", 0, nullptr);
    child->setFirstChild(grandchild);
    first->setFirstChild(child);
    auto* second = new qv::QvUniRecord;
    second->setId("2");
    second->setField("name", "b", 0, nullptr);
    second->setField("value", longText.c_str(), 0, nullptr);
    first->setNext(second);
    return first;
  }
};

// Readers and copies answer null or everything.
TEST_F(AllocationFailureTest, ReadersAndCopiesAnswerNullOrTheWholeResult) {
  qv::IQvUniRecord* sample = sampleChain();
  auto* table = new qv::QvUniTable;
  table->setId("t");
  table->setFirstRecord(sample);
  ASSERT_EQ(qv::writeTableFile(onDrive("t.xml").c_str(), table), 1);
  ASSERT_EQ(qv::writeNameValueFile(onDrive("nv.txt").c_str(), sample, -1), 1);
  writeHost("legacy.txt", "<QvUniRecord\r\nid=" + std::string(30, 'i') + "\r\nf=\"" +
                              std::string(30, 'f') + "\"\r\n/>\r\n");
  writeHost("cols.txt", "alpha    beta   " + std::string(30, 'c') + "\r\n1        2      3\r\n");
  const std::string wholeTables = takeTables(qv::readTableFile(onDrive("t.xml").c_str()));
  // Paths made before the sweeps: the folder's own path on Windows needs the heap.
  const std::string tables = onDrive("t.xml"), legacy = onDrive("legacy.txt"),
                    nameValues = onDrive("nv.txt"), columns = onDrive("cols.txt");
  const struct {
    const char* name;
    std::function<std::string()> run; // "" for the failure result, else the whole result
  } cases[] = {
      {"readTableFile", [&] { return takeTables(qv::readTableFile(tables.c_str())); }},
      {"readTableFile of the legacy format",
       [&] { return takeTables(qv::readTableFile(legacy.c_str())); }},
      {"readNameValueFile",
       [&] { return takeRecords(qv::readNameValueFile(nameValues.c_str(), -1)); }},
      {"readTextTable with detected columns and a header",
       [&] { return takeRecords(qv::readTextTable(columns.c_str(), ',', nullptr, 1, 0, 1, 0)); }},
      {"QvByteBuffer writeRecord and readRecord of both forms",
       [sample] {
         std::string text;
         for (const int chunkForm : {0, 1}) {
           qv::QvByteBuffer buffer;
           auto* record = new (std::nothrow) qv::QvUniRecord;
           const int status = buffer.writeRecord(sample, chunkForm) == 1 && record != nullptr
                                  ? buffer.readRecord(record, 0, 1)
                                  : qv::kReadIncomplete;
           const qvtest::UnfailingAllocations checking;
           text += status == qv::kReadIncomplete ? "failed" : describe(record);
           delete record;
         }
         // A form that failed counts as the failure result.
         const qvtest::UnfailingAllocations checking;
         return text.find("failed") != std::string::npos ? std::string() : text;
       }},
      {"clone", [sample] { return takeRecords(sample->clone()); }},
      {"cloneChain", [sample] { return takeRecords(qv::cloneChain(sample)); }},
      {"table clone", [table] { return takeTables(table->clone()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string whole = c.run();
    ASSERT_FALSE(whole.empty());
    if (std::string(c.name) == "readTableFile") {
      EXPECT_EQ(whole, wholeTables);
    }
    const int points = qvtest::forEachAllocationFailure([&](int) {
      const std::string result = c.run();
      const qvtest::UnfailingAllocations checking;
      EXPECT_TRUE(result.empty() || result == whole) << result;
    });
    EXPECT_GT(points, 3);
  }
  table->release();
}

// Adding a field either adds the whole field or leaves the record as it was.
TEST_F(AllocationFailureTest, FieldsAreAddedWholeOrNotAtAll) {
  const std::string longValue(60, 'x');
  qvtest::forEachAllocationFailure([&](int) {
    qv::QvUniRecord record;
    record.setField("kept", "1", 0, nullptr);
    record.setField("a name longer than a field keeps inside", longValue.c_str(), 0,
                    "a long type tag "
                    "of a field");
    record.insertFieldFirst("first", longValue.c_str(), 0, nullptr);
    const qvtest::UnfailingAllocations checking;
    const std::string text = describe(&record);
    auto has = [&](const char* part) { return text.find(part) != std::string::npos; };
    EXPECT_EQ(text, std::string("[noid") + (has(" first=") ? " first=" + longValue : "") +
                        (has(" kept=") ? " kept=1" : "") +
                        (has(" a name longer") ? " a name longer than a field keeps inside=" +
                                                     longValue + ":a long type tag of a field"
                                               : "") +
                        "]");
  });
}

// Writers answer 0 with the old file kept, or 1 with the whole new file, and leave no temporary
// file behind.
TEST_F(AllocationFailureTest, WritersKeepTheOldFileOrWriteTheWholeNewOne) {
  qv::IQvUniRecord* sample = sampleChain();
  auto* table = new qv::QvUniTable;
  table->setId("t");
  table->setFirstRecord(sample);
  const std::string out = onDrive("out.txt"); // made before the sweeps: it may need the heap
  const struct {
    const char* name;
    std::function<int()> write;
  } cases[] = {
      {"writeTableFile", [&out, table] { return qv::writeTableFile(out.c_str(), table); }},
      {"writeRecordFile", [&out, sample] { return qv::writeRecordFile(out.c_str(), sample); }},
      {"writeNameValueFile",
       [&out, sample] { return qv::writeNameValueFile(out.c_str(), sample, _SH_DENYNO); }},
      {"writeDelimitedFile",
       [&out, sample] { return qv::writeDelimitedFile(out.c_str(), ',', 1, sample, -1); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.write(), 1);
    const std::string whole = readHost("out.txt");
    qvtest::forEachAllocationFailure([&](int) {
      {
        const qvtest::UnfailingAllocations checking;
        writeHost("out.txt", "old");
      }
      const int written = c.write();
      const qvtest::UnfailingAllocations checking;
      EXPECT_EQ(readHost("out.txt"), written == 1 ? whole : "old");
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tempDir()), {}), 1);
    });
  }
  table->release();
}

} // namespace

// Files of name=value lines: reading with quotes, "=" runs and odd lines; writing back; failures.
#include <filesystem>
#include <iterator>
#include <string>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "record_test_util.h"
#include "records/records.h"
#include "testing/failure_sweep.h"

namespace {

class NameValueFileTest : public qvtest::HostTest {
protected:
  NameValueFileTest() : HostTest('N') {}
};

TEST_F(NameValueFileTest, ReadsNamesAndValuesAndSkipsOddLines) {
  writeHost("s.ini", "  Units = \"Feet\"  \r\n"
                     "no equals sign\r\n"
                     "==lead=1\r\n"
                     "empty=\r\n"
                     "  = nameless\r\n"
                     "formula = a=b==c\r\n"
                     "quoted=\"half\r\n"
                     "bare=\"\"\r\n"
                     "last=x");
  qv::IQvUniRecord* first = qv::readNameValueFile(onDrive("S.INI").c_str(), -1);
  ASSERT_NE(first, nullptr);
  // The value keeps its own "=".
  const std::string expected =
      "[id=Units name=Units value=Feet][id=lead name=lead value=1][id=formula name=formula "
      "value=a=b==c][id=quoted name=quoted value=half][id=bare name=bare value=][id=last "
      "name=last value=x]";
  EXPECT_EQ(qvtest::describe(first), expected);
  ASSERT_EQ(qv::writeNameValueFile(onDrive("copy.ini").c_str(), first, -1), 1);
  EXPECT_EQ(readHost("copy.ini"),
            "Units=Feet\r\nlead=1\r\nformula=a=b==c\r\nquoted=half\r\nbare=\r\nlast=x\r\n");
  // "bare=" has no value left to read, so that line is skipped on the way back.
  qv::IQvUniRecord* again = qv::readNameValueFile(onDrive("copy.ini").c_str(), _SH_DENYWR);
  EXPECT_EQ(qvtest::describe(again), std::string(expected).erase(expected.find("[id=bare"), 26));
  again->releaseChain();
  first->releaseChain();
  EXPECT_EQ(qv::readNameValueFile(onDrive("missing.ini").c_str(), -1), nullptr);
  writeHost("none.ini", "just text\r\n=\r\n");
  EXPECT_EQ(qv::readNameValueFile(onDrive("none.ini").c_str(), -1), nullptr);
}

TEST_F(NameValueFileTest, WritingTakesTheIdWhenTheNameIsMissing) {
  auto* first = new qv::QvUniRecord;
  first->setId("fromId");
  first->setField("value", "1", 0, nullptr);
  auto* second = new qv::QvUniRecord;
  second->setId("ignored");
  second->setField("name", "", 0, nullptr);
  second->setField("value", "2", 0, nullptr);
  auto* third = new qv::QvUniRecord;
  third->setField("name", "named", 0, nullptr);
  first->appendRecord(second);
  first->appendRecord(third);
  ASSERT_EQ(qv::writeNameValueFile(onDrive("w.ini").c_str(), first, -1), 1);
  EXPECT_EQ(readHost("w.ini"), "fromId=1\r\nignored=2\r\nnamed=\r\n");
  first->releaseChain();
}

TEST_F(NameValueFileTest, HostileLinesAndFailuresAreContained) {
  // A line beyond the read limit arrives in pieces of 1023 characters; a NUL ends a read's text.
  std::string text = "big=" + std::string(3000, 'v') + "\r\n";
  text += std::string("nul=a\0b\r\n", 9);
  writeHost("h.ini", text);
  qv::IQvUniRecord* first = qv::readNameValueFile(onDrive("h.ini").c_str(), -1);
  ASSERT_NE(first, nullptr);
  const qvtest::OwnedChain owner(first);
  ASSERT_EQ(first->countRecords(), 2);
  const qv::IQvUniField* value = first->firstField()->next();
  EXPECT_EQ(std::string(value->getValue()).size(), 1023u - 4);
  EXPECT_STREQ(first->next()->getId(), "nul");
  EXPECT_STREQ(first->next()->firstField()->next()->getValue(), "a");

  // Whichever step of the rewrite fails, the old file stays and the writer answers 0.
  QV_SKIP_UNLESS_FAILABLE("fopen");
  ASSERT_EQ(qv::writeNameValueFile(onDrive("whole.ini").c_str(), first, -1), 1);
  const std::string whole = readHost("whole.ini");
  for (const char* call : {"fopen", "fwrite", "fclose", "MoveFileExA"}) {
    writeHost("keep.ini", "old=1\r\n");
    const int points = qvtest::forEachFailure(call, [&](int) {
      if (qv::writeNameValueFile(onDrive("keep.ini").c_str(), first, -1) == 0) {
        EXPECT_EQ(readHost("keep.ini"), "old=1\r\n");
      } else {
        EXPECT_EQ(readHost("keep.ini"), whole);
        writeHost("keep.ini", "old=1\r\n");
      }
    });
    EXPECT_GE(points, 1) << call;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tempDir()), {}), 3);
  // A failed read gives no records or fewer, never a leak.
  for (const char* call : {"fopen", "fread"}) {
    const int points = qvtest::forEachFailure(call, [&](int) {
      qv::IQvUniRecord* read = qv::readNameValueFile(onDrive("h.ini").c_str(), -1);
      if (read != nullptr) {
        EXPECT_LE(read->countRecords(), 2);
        read->releaseChain();
      }
    });
    EXPECT_GE(points, 1) << call;
  }
}

// The share argument lets the writers write a file that another program holds open, when that
// program lets others write; the delimited writer takes it the same way.
TEST_F(NameValueFileTest, WritersWriteAFileHeldOpenWhenTheSharingAllows) {
  auto* record = new qv::QvUniRecord;
  record->setId("k");
  record->setField("name", "k", 0, nullptr);
  record->setField("value", "2", 0, nullptr);
  const struct {
    const char* name;
    int (*write)(const char* path, const qv::IQvUniRecord*, int share);
    const char* written;
  } writers[] = {
      {"writeNameValueFile",
       [](const char* path, const qv::IQvUniRecord* r, int share) {
         return qv::writeNameValueFile(path, r, share);
       },
       "k=2\r\n"},
      {"writeDelimitedFile",
       [](const char* path, const qv::IQvUniRecord* r, int share) {
         return qv::writeDelimitedFile(path, ';', 0, r, share);
       },
       "k;2\r\n"},
  };
  const struct {
    int holderShare;
    int share;
    bool written;
  } sharing[] = {{_SH_DENYNO, _SH_DENYNO, true},
                 {_SH_DENYNO, _SH_DENYRW, false}, // the caller's mode refuses the reader
                 {_SH_DENYWR, _SH_DENYNO, false}};
  for (const auto& w : writers) {
    for (const auto& c : sharing) {
      SCOPED_TRACE(::testing::Message() << w.name << " " << c.holderShare << " " << c.share);
      writeHost("held.txt", "old=1\r\n");
      FILE* holder = _fsopen(onDrive("held.txt").c_str(), "r", c.holderShare);
      ASSERT_NE(holder, nullptr);
      EXPECT_EQ(w.write(onDrive("held.txt").c_str(), record, c.share), c.written ? 1 : 0);
      char line[32] = {};
      EXPECT_NE(fgets(line, sizeof line, holder), nullptr); // the holder reads on
      EXPECT_EQ(fclose(holder), 0);
      EXPECT_EQ(readHost("held.txt"), c.written ? w.written : "old=1\r\n");
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tempDir()), {}), 1);
    }
  }
  record->release();
}

} // namespace

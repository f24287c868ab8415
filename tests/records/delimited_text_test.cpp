// Delimited and fixed-width text files: column detection, import with header, skip and preview,
// export, and hostile input (NUL bytes, over-long lines, CR LF files, bad column positions).
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "record_test_util.h"
#include "records/records.h"
#include "testing/failure_sweep.h"

namespace {

class DelimitedTextTest : public qvtest::HostTest {
protected:
  DelimitedTextTest() : HostTest('D') {}
  // The chain described ("[noid 1=a 2=b]..."), and released.
  static std::string rows(qv::IQvUniRecord* first) {
    std::string text = qvtest::describe(first);
    if (first != nullptr) {
      first->releaseChain();
    }
    return text;
  }
  std::string read(const char* name, char delimiter, const char* positions, int header, int skip,
                   int detect, int preview) {
    std::string path = onDrive(name);
    std::vector<char> buffer;
    char* text = nullptr;
    if (positions != nullptr) {
      buffer.assign(positions, positions + std::strlen(positions) + 1);
      text = buffer.data();
    }
    return rows(qv::readTextTable(path.c_str(), delimiter, text, header, skip, detect, preview));
  }
  // The number of records in a description.
  static size_t count(const std::string& rows) {
    size_t records = 0;
    for (size_t at = rows.find("[noid"); at != std::string::npos; at = rows.find("[noid", at + 1)) {
      ++records;
    }
    return records;
  }
};

TEST_F(DelimitedTextTest, DelimitedLinesKeepEmptyPiecesAndTrim) {
  // A delimiter before the line end gives an empty last column; one at the very end of the file
  // gives none.
  writeHost("a.csv", "a,,b\r\n  x , y  ,z\r\nlast,\r\nend,");
  EXPECT_EQ(read("A.CSV", ',', nullptr, 0, 0, 0, 0),
            "[noid 1=a 2= 3=b][noid 1=x 2=y 3=z][noid 1=last 2=][noid 1=end]");
  // No quoting: quotes stay and a delimiter inside them still cuts.
  writeHost("q.csv", "\"a,b\",c\n");
  EXPECT_EQ(read("q.csv", ',', nullptr, 0, 0, 0, 0), "[noid 1=\"a 2=b\" 3=c]");
  // Tabs are not trimmed; a tab delimiter cuts.
  writeHost("t.txt", "\t1\t 2\n");
  EXPECT_EQ(read("t.txt", '\t', nullptr, 0, 0, 0, 0), "[noid 1= 2=1 3=2]");
  EXPECT_EQ(qv::readTextTable(onDrive("missing.csv").c_str(), ',', nullptr, 0, 0, 0, 0), nullptr);
}

TEST_F(DelimitedTextTest, HeaderNamesColumnsAfterSkippedLinesAndPreviewStopsAfter21Lines) {
  // Past the header's columns a value has no name.
  writeHost("h.csv", "junk\nmore junk\nid,north\n1,100,extra\n2,200\n");
  EXPECT_EQ(read("h.csv", ',', nullptr, 1, 2, 0, 0),
            "[noid id=1 north=100 =extra][noid id=2 north=200]");
  EXPECT_EQ(read("h.csv", ',', nullptr, 1, 5, 0, 0), ""); // everything skipped
  EXPECT_EQ(read("h.csv", ',', nullptr, 1, 10, 0, 0), "");
  std::string text;
  for (int i = 0; i < 100; ++i) {
    text += std::to_string(i) + ";x\n";
  }
  writeHost("p.txt", text);
  EXPECT_EQ(count(read("p.txt", ';', nullptr, 0, 0, 0, 1)), 21u);
  EXPECT_EQ(count(read("p.txt", ';', nullptr, 1, 0, 0, 1)), 20u);
  EXPECT_EQ(count(read("p.txt", ';', nullptr, 0, 0, 0, 0)), 100u);
  const std::string skipped = read("p.txt", ';', nullptr, 0, 50, 0, 1);
  EXPECT_EQ(count(skipped), 21u);
  EXPECT_EQ(skipped.rfind("[noid 1=50 2=x]", 0), 0u);
}

TEST_F(DelimitedTextTest, FixedWidthPositionsCutColumns) {
  writeHost("f.txt", "AB  CD   EFG  rest of it\r\nshort\r\n");
  char positions[] = "  5, 10 15  ";
  qv::IQvUniRecord* first = qv::readTextTable(onDrive("f.txt").c_str(), ',', positions, 0, 0, 0, 0);
  EXPECT_STREQ(positions, "5, 10 15"); // trimmed in place
  // Positions past the end give nothing.
  EXPECT_EQ(rows(first), "[noid 1=AB 2=CD 3=EFG 4=rest of it][noid 1=shor 2=t 3=]");
  // A position that does not increase gives an empty column, never a negative copy.
  EXPECT_EQ(read("f.txt", ',', "5 3 3 0 -7 10", 0, 0, 0, 0).substr(0, 53),
            "[noid 1=AB 2= 3= 4= 5= 6=AB  CD 7=EFG  rest of it][no");
  // Blank positions text: delimited mode.
  EXPECT_EQ(read("f.txt", ' ', "   ", 0, 0, 0, 0),
            "[noid 1=AB 2= 3=CD 4= 5= 6=EFG 7= 8=rest 9=of 10=it][noid 1=short]");
}

TEST_F(DelimitedTextTest, DetectionFindsColumnsSeparatedByBlanks) {
  writeHost("d.txt", "  10 north   east\r\n 200 n        e2  \r\n   3 nn\r\n");
  EXPECT_EQ(rows(qv::detectTextColumns(onDrive("d.txt").c_str())),
            "[id=1 first=1 last=3][id=2 first=5 last=9][id=3 first=13 last=16]");
  EXPECT_EQ(read("d.txt", ',', nullptr, 0, 0, 1, 0),
            "[noid 1=10 2=north 3=east][noid 1=200 2=n 3=e2][noid 1=3 2=nn 3=]");
  writeHost("blank.txt", "   \r\n\r\n");
  EXPECT_EQ(qv::detectTextColumns(onDrive("blank.txt").c_str()), nullptr);
  EXPECT_EQ(qv::detectTextColumns(onDrive("none.txt").c_str()), nullptr);
}

TEST_F(DelimitedTextTest, HostileInputStaysInsideItsBuffers) {
  // A line longer than every read limit arrives as several lines of 10239 characters.
  std::string longLine(25000, 'x');
  longLine[3] = ',';
  writeHost("long.csv", longLine + "\r\nok,1\r\n");
  EXPECT_EQ(read("long.csv", ',', nullptr, 0, 0, 0, 0),
            "[noid 1=xxx 2=" + std::string(10239 - 4, 'x') + "][noid 1=" + std::string(10239, 'x') +
                "][noid 1=" + std::string(25000 - 2 * 10239, 'x') + "][noid 1=ok 2=1]");
  // Detection folds long lines onto the mask's first positions and still ends every column.
  qv::IQvUniRecord* columns = qv::detectTextColumns(onDrive("long.csv").c_str());
  ASSERT_NE(columns, nullptr);
  int32_t lastPos = 0;
  for (qv::IQvUniRecord* column = columns; column != nullptr; column = column->next()) {
    EXPECT_EQ(column->getFieldLong("last", lastPos), 1);
  }
  EXPECT_EQ(lastPos, 1021);
  columns->releaseChain();
  EXPECT_EQ(count(read("long.csv", ',', nullptr, 0, 0, 1, 0)), 4u);
  EXPECT_EQ(count(read("long.csv", ',', "2 20000", 0, 0, 0, 0)), 4u);
  // A NUL byte ends the text of the read it is in.
  writeHost("zero.csv", std::string("a,b\0c,d\r\ne,f\r\n", 14));
  EXPECT_EQ(read("zero.csv", ',', nullptr, 0, 0, 0, 0), "[noid 1=a 2=b][noid 1=e 2=f]");
}

TEST_F(DelimitedTextTest, ExportWritesColumnsOfEveryRecordAndReadsBack) {
  auto* first = new qv::QvUniRecord;
  first->setField("id", "1", 0, nullptr);
  first->setField("desc", "fence, post", 0, "String");
  auto* second = new qv::QvUniRecord;
  second->setField("ID", "2", 0, "integer");
  second->setField("elev", "10.5", 0, nullptr);
  first->appendRecord(second);
  ASSERT_EQ(qv::writeDelimitedFile(onDrive("out.csv").c_str(), ',', 1, first, -1), 1);
  EXPECT_EQ(readHost("out.csv"), "id,desc,elev\r\n1,\"fence, post\",\r\n2,\"\",10.5\r\n");
  ASSERT_EQ(qv::writeDelimitedFile(onDrive("out.csv").c_str(), ';', 2, first, _SH_DENYWR),
            1); // only 1 heads
  EXPECT_EQ(readHost("out.csv"), "1;\"fence, post\";\r\n2;\"\";10.5\r\n");
  EXPECT_EQ(read("out.csv", ';', nullptr, 0, 0, 0, 0),
            "[noid 1=1 2=\"fence, post\" 3=][noid 1=2 2=\"\" 3=10.5]");
  first->releaseChain();
  ASSERT_EQ(qv::writeDelimitedFile(onDrive("empty.csv").c_str(), ',', 1, nullptr, -1), 1);
  EXPECT_EQ(readHost("empty.csv"), "\r\n");
}

// A line of 100 MB reads in bounded pieces, and the good content after it is still found.
TEST_F(DelimitedTextTest, AHundredMegabyteLineReadsInPiecesAndTheNextLineWhole) {
  writeHost("huge.csv", std::string(100u << 20, 'x') + "\r\nok,1\r\n");
  qv::IQvUniRecord* table =
      qv::readTextTable(onDrive("huge.csv").c_str(), ',', nullptr, 0, 0, 0, 0);
  ASSERT_NE(table, nullptr);
  // 10239 characters a read: the line gives ceil(104857600 / 10239) records, then "ok,1".
  const int count = table->countRecords();
  EXPECT_EQ(count, (104857600 + 10238) / 10239 + 1);
  char value[16] = {};
  EXPECT_EQ(table->itemAt(count - 1)->getFieldChars("1", value), 1);
  EXPECT_STREQ(value, "ok");
  table->releaseChain();
}

// Lines are cut out of blocks of 64 KiB: they read the same wherever a block ends in them.
TEST_F(DelimitedTextTest, LinesReadTheSameWhereverABlockEndsInThem) {
  const std::string lines = "a, b ,c\r\n" + std::string(10300, 'x') + ",y\r\n" +
                            std::string("p,q\0r,s\r\n", 10) + "last,line";
  writeHost("lines.csv", lines);
  const std::string whole = read("lines.csv", ',', nullptr, 0, 0, 0, 0);
  ASSERT_EQ(count(whole), 5u); // the long line arrives as two
  constexpr size_t kBlock = 64 * 1024;
  for (size_t padding = kBlock - lines.size() - 2; padding <= kBlock + 2; padding += 97) {
    std::string skipped;
    int count = 0;
    for (; skipped.size() + 100 < padding; ++count) {
      skipped += std::string(99, ' ') + "\n";
    }
    skipped += std::string(padding - skipped.size() - 1, ' ') + "\n";
    writeHost("lines.csv", skipped + lines);
    EXPECT_EQ(read("lines.csv", ',', nullptr, 0, count + 1, 0, 0), whole) << padding;
  }
}

// A read failing in any block, of the column detection or of the lines, fails the whole read:
// only the run without a failure gives records.
TEST_F(DelimitedTextTest, AReadFailingInAnyBlockGivesNothing) {
  QV_SKIP_UNLESS_FAILABLE("fread");
  std::string bytes;
  for (int i = 0; i < 3000; ++i) {
    bytes += std::to_string(i) + ",5000.125,2000.5,100.25,MH " + std::to_string(i) + "\r\n";
  }
  writeHost("big.csv", bytes);
  for (const int detect : {0, 1}) {
    int read = 0;
    const int points = qvtest::forEachFailure("fread", [&](int) {
      const size_t rows = count(this->read("big.csv", ',', nullptr, 0, 0, detect, 0));
      EXPECT_TRUE(rows == 0 || rows == 3000u) << rows;
      read += rows == 3000u ? 1 : 0;
    });
    EXPECT_GE(points, detect != 0 ? 6 : 3);
    EXPECT_EQ(read, 1) << detect;
  }
}

TEST_F(DelimitedTextTest, FailedWritesKeepTheOldFileAndAnswerZero) {
  writeHost("keep.csv", "old\r\n");
  auto* record = new qv::QvUniRecord;
  const qvtest::OwnedChain owner(record);
  record->setField("a", "new", 0, nullptr);
  // A file held open without write sharing cannot be replaced.
  FILE* holder = _fsopen(onDrive("keep.csv").c_str(), "r", _SH_DENYWR);
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(qv::writeDelimitedFile(onDrive("keep.csv").c_str(), ',', 1, record, -1), 0);
  fclose(holder);
  EXPECT_EQ(readHost("keep.csv"), "old\r\n");
  QV_SKIP_UNLESS_FAILABLE("fopen");
  for (const char* call : {"fopen", "fwrite", "fclose", "MoveFileExA"}) {
    const int points = qvtest::forEachFailure(call, [&](int) {
      if (qv::writeDelimitedFile(onDrive("keep.csv").c_str(), ',', 1, record, -1) == 0) {
        EXPECT_EQ(readHost("keep.csv"), "old\r\n");
      } else {
        EXPECT_EQ(readHost("keep.csv"), "a\r\nnew\r\n");
        writeHost("keep.csv", "old\r\n");
      }
    });
    EXPECT_GE(points, 1) << call;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tempDir()), {}), 1);
  EXPECT_EQ(qv::writeDelimitedFile(onDrive("keep.csv").c_str(), ',', 1, record, -1), 1);
  EXPECT_EQ(readHost("keep.csv"), "a\r\nnew\r\n");
}

} // namespace

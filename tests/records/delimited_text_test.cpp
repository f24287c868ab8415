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

using Row = std::vector<std::pair<std::string, std::string>>;

class DelimitedTextTest : public qvtest::FileTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    sim::mapDrive('D', tempDir().string());
  }
  // The chain as rows of (name, value), and releases it.
  static std::vector<Row> rows(qv::IQvUniRecord* first) {
    std::vector<Row> result;
    for (qv::IQvUniRecord* record = first; record != nullptr; record = record->next()) {
      EXPECT_EQ(record->getId(), nullptr);
      Row row;
      for (qv::IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
        EXPECT_EQ(field->getType(), nullptr);
        row.emplace_back(field->getName(), field->getValue());
      }
      result.push_back(row);
    }
    if (first != nullptr) {
      first->releaseChain();
    }
    return result;
  }
  std::vector<Row> read(const char* name, char delimiter, const char* positions, int header,
                        int skip, int detect, int preview) {
    std::string path = std::string("D:\\") + name;
    std::vector<char> buffer;
    char* text = nullptr;
    if (positions != nullptr) {
      buffer.assign(positions, positions + std::strlen(positions) + 1);
      text = buffer.data();
    }
    return rows(qv::readTextTable(path.c_str(), delimiter, text, header, skip, detect, preview));
  }
};

TEST_F(DelimitedTextTest, DelimitedLinesKeepEmptyPiecesAndTrim) {
  writeHost("a.csv", "a,,b\r\n  x , y  ,z\r\nlast,\r\nend,");
  const std::vector<Row> expected = {
      {{"1", "a"}, {"2", ""}, {"3", "b"}},
      {{"1", "x"}, {"2", "y"}, {"3", "z"}},
      {{"1", "last"}, {"2", ""}}, // a delimiter before the line end gives an empty last column
      {{"1", "end"}},             // one at the very end of the file gives none
  };
  EXPECT_EQ(read("A.CSV", ',', nullptr, 0, 0, 0, 0), expected);
  // No quoting: quotes stay and a delimiter inside them still cuts.
  writeHost("q.csv", "\"a,b\",c\n");
  EXPECT_EQ(read("q.csv", ',', nullptr, 0, 0, 0, 0),
            (std::vector<Row>{{{"1", "\"a"}, {"2", "b\""}, {"3", "c"}}}));
  // Tabs are not trimmed; a tab delimiter cuts.
  writeHost("t.txt", "\t1\t 2\n");
  EXPECT_EQ(read("t.txt", '\t', nullptr, 0, 0, 0, 0),
            (std::vector<Row>{{{"1", ""}, {"2", "1"}, {"3", "2"}}}));
  EXPECT_EQ(qv::readTextTable("D:\\missing.csv", ',', nullptr, 0, 0, 0, 0), nullptr);
}

TEST_F(DelimitedTextTest, HeaderNamesColumnsAfterSkippedLines) {
  writeHost("h.csv", "junk\nmore junk\nid,north\n1,100,extra\n2,200\n");
  const std::vector<Row> expected = {
      {{"id", "1"}, {"north", "100"}, {"", "extra"}}, // past the header's columns: no name
      {{"id", "2"}, {"north", "200"}},
  };
  EXPECT_EQ(read("h.csv", ',', nullptr, 1, 2, 0, 0), expected);
  EXPECT_EQ(read("h.csv", ',', nullptr, 1, 5, 0, 0).size(), 0u); // everything skipped
  EXPECT_EQ(read("h.csv", ',', nullptr, 1, 10, 0, 0).size(), 0u);
}

TEST_F(DelimitedTextTest, PreviewStopsAfterTwentyOneLines) {
  std::string text;
  for (int i = 0; i < 100; ++i) {
    text += std::to_string(i) + ";x\n";
  }
  writeHost("p.txt", text);
  EXPECT_EQ(read("p.txt", ';', nullptr, 0, 0, 0, 1).size(), 21u);
  EXPECT_EQ(read("p.txt", ';', nullptr, 1, 0, 0, 1).size(), 20u);
  EXPECT_EQ(read("p.txt", ';', nullptr, 0, 0, 0, 0).size(), 100u);
  const std::vector<Row> skipped = read("p.txt", ';', nullptr, 0, 50, 0, 1);
  ASSERT_EQ(skipped.size(), 21u);
  EXPECT_EQ(skipped.front()[0].second, "50");
}

TEST_F(DelimitedTextTest, FixedWidthPositionsCutColumns) {
  writeHost("f.txt", "AB  CD   EFG  rest of it\r\nshort\r\n");
  char positions[] = "  5, 10 15  ";
  qv::IQvUniRecord* first = qv::readTextTable("D:\\f.txt", ',', positions, 0, 0, 0, 0);
  EXPECT_STREQ(positions, "5, 10 15"); // trimmed in place
  const std::vector<Row> expected = {
      {{"1", "AB"}, {"2", "CD"}, {"3", "EFG"}, {"4", "rest of it"}},
      {{"1", "shor"}, {"2", "t"}, {"3", ""}}, // positions past the end give nothing
  };
  EXPECT_EQ(rows(first), expected);
  // A position that does not increase gives an empty column, never a negative copy.
  const std::vector<Row> backwards = read("f.txt", ',', "5 3 3 0 -7 10", 0, 0, 0, 0);
  ASSERT_EQ(backwards.size(), 2u);
  EXPECT_EQ(backwards[0], (Row{{"1", "AB"},
                               {"2", ""},
                               {"3", ""},
                               {"4", ""},
                               {"5", ""},
                               {"6", "AB  CD"},
                               {"7", "EFG  rest of it"}}));
  // Blank positions text: delimited mode.
  EXPECT_EQ(read("f.txt", ' ', "   ", 0, 0, 0, 0)[1], (Row{{"1", "short"}}));
  EXPECT_EQ(read("f.txt", ' ', "   ", 0, 0, 0, 0)[0].size(), 10u);
}

TEST_F(DelimitedTextTest, DetectionFindsColumnsSeparatedByBlanks) {
  writeHost("d.txt", "  10 north   east\r\n 200 n        e2  \r\n   3 nn\r\n");
  qv::IQvUniRecord* columns = qv::detectTextColumns("D:\\d.txt");
  ASSERT_NE(columns, nullptr);
  ASSERT_EQ(columns->countRecords(), 3);
  const int32_t expected[3][2] = {{1, 3}, {5, 9}, {13, 16}};
  int index = 0;
  for (qv::IQvUniRecord* column = columns; column != nullptr; column = column->next(), ++index) {
    EXPECT_EQ(column->getId(), std::to_string(index + 1));
    int32_t firstPos = -1;
    int32_t lastPos = -1;
    EXPECT_EQ(column->getFieldLong("first", firstPos), 1);
    EXPECT_EQ(column->getFieldLong("last", lastPos), 1);
    EXPECT_EQ(firstPos, expected[index][0]);
    EXPECT_EQ(lastPos, expected[index][1]);
  }
  columns->releaseChain();

  const std::vector<Row> table = read("d.txt", ',', nullptr, 0, 0, 1, 0);
  const std::vector<Row> want = {
      {{"1", "10"}, {"2", "north"}, {"3", "east"}},
      {{"1", "200"}, {"2", "n"}, {"3", "e2"}},
      {{"1", "3"}, {"2", "nn"}, {"3", ""}},
  };
  EXPECT_EQ(table, want);

  writeHost("blank.txt", "   \r\n\r\n");
  EXPECT_EQ(qv::detectTextColumns("D:\\blank.txt"), nullptr);
  EXPECT_EQ(qv::detectTextColumns("D:\\none.txt"), nullptr);
}

TEST_F(DelimitedTextTest, HostileInputStaysInsideItsBuffers) {
  // A line longer than every read limit arrives as several lines of 10239 characters.
  std::string longLine(25000, 'x');
  longLine[3] = ',';
  writeHost("long.csv", longLine + "\r\nok,1\r\n");
  const std::vector<Row> table = read("long.csv", ',', nullptr, 0, 0, 0, 0);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0][1].second.size(), 10239u - 4);
  EXPECT_EQ(table[1][0].second.size(), 10239u);
  EXPECT_EQ(table[3], (Row{{"1", "ok"}, {"2", "1"}}));
  // Detection folds long lines onto the mask's first positions and still ends every column.
  qv::IQvUniRecord* columns = qv::detectTextColumns("D:\\long.csv");
  ASSERT_NE(columns, nullptr);
  int32_t lastPos = 0;
  for (qv::IQvUniRecord* column = columns; column != nullptr; column = column->next()) {
    EXPECT_EQ(column->getFieldLong("last", lastPos), 1);
  }
  EXPECT_EQ(lastPos, 1021);
  columns->releaseChain();
  EXPECT_EQ(read("long.csv", ',', nullptr, 0, 0, 1, 0).size(), 4u);
  EXPECT_EQ(read("long.csv", ',', "2 20000", 0, 0, 0, 0).size(), 4u);
  // A NUL byte ends the text of the read it is in.
  writeHost("nul.csv", std::string("a,b\0c,d\r\ne,f\r\n", 14));
  EXPECT_EQ(read("nul.csv", ',', nullptr, 0, 0, 0, 0),
            (std::vector<Row>{{{"1", "a"}, {"2", "b"}}, {{"1", "e"}, {"2", "f"}}}));
}

TEST_F(DelimitedTextTest, ExportWritesColumnsOfEveryRecordAndReadsBack) {
  auto* first = new qv::QvUniRecord;
  first->setField("id", "1", 0, nullptr);
  first->setField("desc", "fence, post", 0, "String");
  auto* second = new qv::QvUniRecord;
  second->setField("ID", "2", 0, "integer");
  second->setField("elev", "10.5", 0, nullptr);
  first->appendRecord(second);
  ASSERT_EQ(qv::writeDelimitedFile("D:\\out.csv", ',', 1, first, -1), 1);
  EXPECT_EQ(readHost("out.csv"), "id,desc,elev\r\n1,\"fence, post\",\r\n2,\"\",10.5\r\n");
  ASSERT_EQ(qv::writeDelimitedFile("D:\\out.csv", ';', 2, first, _SH_DENYWR), 1); // only 1 heads
  EXPECT_EQ(readHost("out.csv"), "1;\"fence, post\";\r\n2;\"\";10.5\r\n");
  EXPECT_EQ(read("out.csv", ';', nullptr, 0, 0, 0, 0),
            (std::vector<Row>{{{"1", "1"}, {"2", "\"fence, post\""}, {"3", ""}},
                              {{"1", "2"}, {"2", "\"\""}, {"3", "10.5"}}}));
  first->releaseChain();
  ASSERT_EQ(qv::writeDelimitedFile("D:\\empty.csv", ',', 1, nullptr, -1), 1);
  EXPECT_EQ(readHost("empty.csv"), "\r\n");
}

// A line of 100 MB reads in bounded pieces, and the good content after it is still found.
TEST_F(DelimitedTextTest, AHundredMegabyteLineReadsInPiecesAndTheNextLineWhole) {
  writeHost("huge.csv", std::string(100u << 20, 'x') + "\r\nok,1\r\n");
  qv::IQvUniRecord* table = qv::readTextTable("D:\\huge.csv", ',', nullptr, 0, 0, 0, 0);
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
  const std::vector<Row> whole = read("lines.csv", ',', nullptr, 0, 0, 0, 0);
  ASSERT_EQ(whole.size(), 5u); // the long line arrives as two
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
  std::string bytes;
  for (int i = 0; i < 3000; ++i) {
    bytes += std::to_string(i) + ",5000.125,2000.5,100.25,MH " + std::to_string(i) + "\r\n";
  }
  writeHost("big.csv", bytes);
  for (const int detect : {0, 1}) {
    int read = 0;
    const int points = qvtest::forEachFailure("fread", [&](int) {
      const size_t rows = this->read("big.csv", ',', nullptr, 0, 0, detect, 0).size();
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
  record->setField("a", "new", 0, nullptr);
  for (const char* call : {"fopen", "fwrite", "fclose", "MoveFileExA"}) {
    const int points = qvtest::forEachFailure(call, [&](int) {
      if (qv::writeDelimitedFile("D:\\keep.csv", ',', 1, record, -1) == 0) {
        EXPECT_EQ(readHost("keep.csv"), "old\r\n");
      } else {
        EXPECT_EQ(readHost("keep.csv"), "a\r\nnew\r\n");
        writeHost("keep.csv", "old\r\n");
      }
    });
    EXPECT_GE(points, 1) << call;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tempDir()), {}), 1);
  // A file held open without write sharing cannot be replaced either.
  FILE* holder = _fsopen("D:\\keep.csv", "r", _SH_DENYWR);
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(qv::writeDelimitedFile("D:\\keep.csv", ',', 1, record, -1), 0);
  fclose(holder);
  EXPECT_EQ(qv::writeDelimitedFile("D:\\keep.csv", ',', 1, record, -1), 1);
  EXPECT_EQ(readHost("keep.csv"), "a\r\nnew\r\n");
  record->release();
}

} // namespace

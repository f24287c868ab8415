// Record-table XML files: round trips, the exact bytes written, files from elsewhere, the legacy
// line format, hostile input and failed writes.
#include "records/table_file.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sim.h"
#include "record_test_util.h"
#include "records/records.h"
#include "testing/failure_sweep.h"

namespace {

using qvtest::describe;

// Every kind of character an attribute value must carry.
const char kAwkward[] = "a&b<c>d\"e'f\r\ng\\h \xE9\xFF end";

class TableFileTest : public qvtest::FileTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    sim::mapDrive('Q', tempDir().string());
  }
  void TearDown() override {
    if (tables_ != nullptr) {
      tables_->releaseChain();
    }
    HostTest::TearDown();
  }
  // Reads a file made from bytes; the chain is kept for TearDown.
  qv::IQvUniTable* readBytes(const std::string& bytes) {
    writeHost("in.xml", bytes);
    tables_ = qv::readTableFile("Q:\\IN.XML");
    return tables_;
  }
  qv::IQvUniTable* tables_ = nullptr;
};

TEST_F(TableFileTest, ATableChainComesBackFieldByField) {
  auto* first = new qv::QvUniTable;
  first->setId("folders");
  first->setType(kAwkward);
  first->setDesc("");
  auto* parent = new qv::QvUniRecord;
  parent->setId(kAwkward);
  parent->setField("path", "C:\\data\\n", 0, "string");
  parent->setField("count", "12", 0, "integer");
  parent->setField("blank", "", 0, "");
  parent->setField("odd", kAwkward, 0, nullptr);
  qv::IQvUniRecord* current = parent;
  {
    qv::QvChildRecordScope child(current);
    current->setId("child");
    current->setField("c", "1", 0, nullptr);
    {
      qv::QvChildRecordScope grandchild(current);
      current->setField("g", "2", 0, "real");
    }
  }
  first->addRecord(parent);
  auto* noId = new qv::QvUniRecord;
  noId->setField("x", "y", 0, nullptr);
  first->addRecord(noId);
  auto* emptyId = new qv::QvUniRecord;
  emptyId->setId("");
  first->addRecord(emptyId);
  auto* second = new qv::QvUniTable; // no attributes at all
  second->addRecord(new qv::QvUniRecord);
  first->appendTable(second);

  ASSERT_EQ(qv::writeTableFile("Q:\\out.xml", first), 1);
  tables_ = qv::readTableFile("q:\\OUT.XML");
  ASSERT_NE(tables_, nullptr);
  EXPECT_STREQ(tables_->getId(), "folders");
  EXPECT_STREQ(tables_->getType(), kAwkward);
  EXPECT_STREQ(tables_->getDesc(), "");
  // A backslash before an "n" is not taken for the escape of a line break.
  const std::string expected = std::string("[id=") + kAwkward +
                               " path=C:\\data\\n:string count=12:integer blank= odd=" + kAwkward +
                               " {[id=child c=1 {[noid g=2:real]}]}][noid x=y][noid]";
  EXPECT_EQ(describe(tables_->firstRecord()), expected);
  ASSERT_NE(tables_->next(), nullptr);
  EXPECT_STREQ(tables_->next()->getId(), ""); // absent attributes come back empty
  EXPECT_STREQ(tables_->next()->getType(), "");
  EXPECT_EQ(describe(tables_->next()->firstRecord()), "[noid]");
  EXPECT_EQ(tables_->next()->next(), nullptr);
  first->releaseChain();
}

TEST_F(TableFileTest, WritesTheExactBytesWithWindowsLineEnds) {
  qv::QvUniTable table;
  table.setId("t");
  auto* record = new qv::QvUniRecord;
  record->setField("n", "a<b", 0, nullptr);
  record->setField("m", nullptr, 0, "long");
  table.addRecord(record);
  table.addRecord(new qv::QvUniRecord);
  ASSERT_EQ(qv::writeTableFile("Q:\\t.xml", &table), 1);
  EXPECT_EQ(readHost("t.xml"), "<?xml version=\"1.0\" encoding=\"us-ascii\" ?>\r\n"
                               "<maradel_xml version=\"1.0\">\r\n"
                               "<table id=\"t\" >\r\n"
                               "<record >\r\n"
                               "<value name=\"n\" value=\"a&lt;b\"></value>\r\n"
                               "<value name=\"m\" type=\"long\" value=\"\"></value>\r\n"
                               "</record>\r\n"
                               "<record >\r\n"
                               "</record>\r\n"
                               "</table>\r\n"
                               "</maradel_xml>\r\n");
}

TEST_F(TableFileTest, FoldersWithABackslashBeforeAnNComeBack) {
  const char* folders[] = {"C:\\new\\notes\\", "\\\\server\\n", "a\\\r\nb", "\\n\\\\n\\"};
  qv::QvUniTable table;
  auto* record = new qv::QvUniRecord;
  for (const char* folder : folders) {
    record->setField("dir", folder, 0, nullptr);
  }
  record->setId(folders[0]);
  table.addRecord(record);
  ASSERT_EQ(qv::writeTableFile("Q:\\f.xml", &table), 1);
  // Written as a reference that XML tools also read as a backslash; line breaks as before.
  EXPECT_NE(readHost("f.xml").find("value=\"a\\\\nb\""), std::string::npos);
  EXPECT_NE(readHost("f.xml").find("id=\"C:&#92;new&#92;notes\\\" "), std::string::npos);
  tables_ = qv::readTableFile("Q:\\f.xml");
  ASSERT_NE(tables_, nullptr);
  qv::IQvUniRecord* back = tables_->firstRecord();
  ASSERT_NE(back, nullptr);
  EXPECT_STREQ(back->getId(), folders[0]);
  const qv::IQvUniField* field = back->firstField();
  for (const char* folder : folders) {
    ASSERT_NE(field, nullptr);
    EXPECT_STREQ(field->getValue(), folder);
    field = field->next();
  }
}

TEST_F(TableFileTest, ARecordFileReadsBackAsOneTableWithoutAttributes) {
  auto* a = new qv::QvUniRecord;
  a->setId("1");
  auto* b = new qv::QvUniRecord;
  b->setId("2");
  a->appendRecord(b);
  ASSERT_EQ(qv::writeRecordFile("Q:\\r.xml", a), 1);
  EXPECT_NE(readHost("r.xml").find("\r\n<table>\r\n<record id=\"1\" >"), std::string::npos);
  a->releaseChain();
  tables_ = qv::readTableFile("Q:\\r.xml");
  ASSERT_NE(tables_, nullptr);
  EXPECT_EQ(tables_->getId(), nullptr); // made by the reader for the first record
  EXPECT_EQ(describe(tables_->firstRecord()), "[id=1][id=2]");
  EXPECT_EQ(tables_->next(), nullptr);
}

TEST_F(TableFileTest, ReadsFilesNoWriterOfOursMade) {
  // Another root, no prolog, one line, a record split over lines, LF line ends.
  readBytes("<other><table id=\"a\" type=\"T\"><record id=\"1\" ><value name=\"v\" value=\"1\""
            "/></record></table><record id=\"2\"\n><value name=\"w\"\nvalue=\"x y\"\n>"
            "</value></record></other>");
  ASSERT_NE(tables_, nullptr);
  EXPECT_STREQ(tables_->getType(), "T");
  EXPECT_EQ(describe(tables_->firstRecord()), "[id=1 v=1]");
  ASSERT_NE(tables_->next(), nullptr); // the record after </table> starts a new table
  EXPECT_EQ(tables_->next()->getId(), nullptr);
  EXPECT_EQ(describe(tables_->next()->firstRecord()), "[id=2 w=x y]");
}

TEST_F(TableFileTest, AOneLineFileLongerThanTheFirstReadKeepsItsTags) {
  // The first read takes 1023 characters and ends just after the space of "<record ".
  const std::string head = "<table id=\"t\" >";
  const std::string filler(1023 - head.size() - 8, 'x');
  readBytes(head + filler +
            "<record id=\"1\" ><value name=\"a\" value=\"1\">"
            "</value></record>");
  ASSERT_NE(tables_, nullptr);
  EXPECT_EQ(describe(tables_->firstRecord()), "[id=1 a=1]");
}

TEST_F(TableFileTest, OddTagsAndAttributes) {
  readBytes("<table id=\"t\">\r\n<record id=\"outer\" >\r\n<record>\r\n"
            "<value name=\"inner\" value=\"1\"></value>\r\n</record>\r\n"
            "<value name=\"after\" value=\"2\"></value>\r\n</record>\r\n"
            "<record xid=\"first\" id=\"second\" >\r\n<value name=bare value=\"q\"></value>\r\n"
            "<value name=\"\" value=\"skipped\"></value>\r\n<value name=\"open value=\"></value>"
            "\r\n</record>\r\n");
  ASSERT_NE(tables_, nullptr);
  // "<record>" without attributes is a record all the same. "xid=" is not "id=". An unquoted
  // value runs to the next quote: "name=bare" gives "bare value=".
  EXPECT_EQ(describe(tables_->firstRecord()),
            "[id=outer after=2 {[noid inner=1]}][id=second bare value==q open value==]");
}

// Values that hold what looks like an attribute, and names that end in "=".
TEST_F(TableFileTest, AttributesAreMatchedByWholeNameOutsideValues) {
  qv::QvUniTable table;
  table.setId("roads");
  table.setType("list");
  table.setDesc("see id=7 and type=x");
  auto* record = new qv::QvUniRecord;
  record->setId("name=\"x\" value=y");
  record->setField("kind", "type=road", 0, "real");
  record->setField("myvalue=", "v", 0, nullptr);
  record->setField("n", "name=\"q\" id=5", 0, nullptr);
  record->setField("type", "value=3", 0, "integer");
  table.addRecord(record);
  ASSERT_EQ(qv::writeTableFile("Q:\\a.xml", &table), 1);
  tables_ = qv::readTableFile("Q:\\a.xml");
  ASSERT_NE(tables_, nullptr);
  EXPECT_STREQ(tables_->getId(), "roads");
  EXPECT_STREQ(tables_->getType(), "list");
  EXPECT_STREQ(tables_->getDesc(), "see id=7 and type=x");
  EXPECT_EQ(describe(tables_->firstRecord()), "[id=name=\"x\" value=y kind=type=road:real "
                                              "myvalue==v n=name=\"q\" id=5 type=value=3:integer]");
}

// A table as XML tools write it: comments, indentation, single quotes, spaces around "=",
// attributes on lines of their own, ">" inside a value, character references, records that close
// themselves and records without attributes.
TEST_F(TableFileTest, ReadsTablesOtherXmlToolsWrite) {
  struct Case {
    const char* name;
    std::string body;
    const char* expected;
  };
  const Case cases[] = {
      {"self-closing records",
       "<record id=\"1\"/><record id=\"2\" /><record/>\n<record id='3'>"
       "<value name='a' value='x'/></record>",
       "[id=1][id=2][noid][id=3 a=x]"},
      {"self-closing child",
       "<record id=\"p\"><record id=\"c\"/><value name=\"a\" value=\"1\"/>"
       "</record>",
       "[id=p a=1 {[id=c]}]"},
      {"quotes and spaces",
       "<record id = '7' >\n  <value name = \"it's\"\tvalue= 'say \"hi\"' "
       "type =\"t\" />\n</record>",
       "[id=7 it's=say \"hi\":t]"},
      {"attributes on lines",
       "<record\n    id=\"L\"\n>\n<value\n  name=\"a\"\n  value=\"b\"\n/>\n"
       "</record\n>",
       "[id=L a=b]"},
      {"> inside values",
       "<record id=\"a>b\"><value name=\"x\" value=\"1 > 0\"/>"
       "<value name='y' value='<&gt;'/></record>",
       "[id=a>b x=1 > 0 y=<>]"},
      {"character references",
       "<record id=\"&#65;&#x42;&#X63;\"><value name=\"v\" "
       "value=\"&#92;n&#13;&#10;&#233;&#0;&#256;&#x;&amp;#65;\"/></record>",
       "[id=ABc v=\\n\r\n\xE9&#0;&#256;&#x;&#65;]"},
      {"comments",
       "<!-- <record id=\"no\"> \"quoted\" -- > --><record id=\"yes\"><!--x-->"
       "</record>",
       "[id=yes]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    readBytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<maradel_xml>\n  <table id=\"t\">\n" +
              c.body + "\n  </table>\n</maradel_xml>\n");
    ASSERT_NE(tables_, nullptr);
    EXPECT_EQ(describe(tables_->firstRecord()), c.expected);
    EXPECT_EQ(tables_->next(), nullptr);
    tables_->releaseChain();
    tables_ = nullptr;
  }
  // A table that closes itself holds nothing; a record after it starts a table of its own.
  readBytes("<table id=\"empty\"/><record id=\"r\"/>");
  ASSERT_NE(tables_, nullptr);
  EXPECT_EQ(tables_->firstRecord(), nullptr);
  ASSERT_NE(tables_->next(), nullptr);
  EXPECT_EQ(describe(tables_->next()->firstRecord()), "[id=r]");
}

TEST_F(TableFileTest, StopsAtAClosingBracketBeforeTheNextTagAndKeepsWhatWasRead) {
  readBytes("<table id=\"t\" >\n<record id=\"1\" >\n<value name=\"a\" value=\"1\"></value>\n"
            "</record>\n> stray\n<record id=\"2\" >\n</record>\n");
  ASSERT_NE(tables_, nullptr);
  EXPECT_EQ(describe(tables_->firstRecord()), "[id=1 a=1]");
  tables_->releaseChain();
  tables_ = nullptr;
  // Cut off inside a record: the fields read so far stay.
  readBytes("<table id=\"t\" >\n<record id=\"1\" >\n<value name=\"a\" value=\"1\"></value>\n"
            "<value name=\"b\" value=\"2");
  ASSERT_NE(tables_, nullptr);
  EXPECT_EQ(describe(tables_->firstRecord()), "[id=1 a=1]");
}

TEST_F(TableFileTest, NothingReadGivesNull) {
  EXPECT_EQ(qv::readTableFile("Q:\\missing.xml"), nullptr);
  EXPECT_EQ(qv::readTableFile(nullptr), nullptr);
  EXPECT_EQ(readBytes(""), nullptr);
  EXPECT_EQ(readBytes("<?xml version=\"1.0\" ?>\n<root>\n</root>\n"), nullptr);
  EXPECT_EQ(readBytes("just text, no tags at all"), nullptr);
}

TEST_F(TableFileTest, ReadsTheLegacyLineFormat) {
  readBytes("  <qvunirecord  \r\nID = 7\r\nname = \"Smith=Jones\"\r\n=lead==x=y\r\n"
            "quoted = \"full\"\r\nescaped=a&amp;b\r\nnothing\r\n/>\r\nignored=1\r\n"
            "<QvUniRecord\r\nother=2\r\n/>\r\n");
  ASSERT_NE(tables_, nullptr);
  EXPECT_EQ(tables_->getId(), nullptr);
  EXPECT_EQ(describe(tables_->firstRecord()),
            "[id=7 name=Smith lead=x quoted=full escaped=a&b][noid other=2]");
  EXPECT_EQ(tables_->next(), nullptr);
  tables_->releaseChain();
  tables_ = nullptr;
  // Not on the first line: read as XML, which finds nothing.
  EXPECT_EQ(readBytes("\r\n<QvUniRecord\r\na=1\r\n/>\r\n"), nullptr);
}

TEST_F(TableFileTest, LongLinesAndNulBytesAreReadSafely) {
  const std::string huge(3 * 1024 * 1024, 'v');
  std::string bytes = "<table id=\"t\" ><record id=\"1\" ><value name=\"big\" value=\"" + huge +
                      "\"></value></record>";
  bytes +=
      std::string("<record id=\"2\" ><value name=\"n\" value=\"a") + '\0' + "b\"></value></record>";
  readBytes(bytes);
  ASSERT_NE(tables_, nullptr);
  qv::IQvUniRecord* first = tables_->firstRecord();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(std::string(first->firstField()->getValue()), huge);
  const std::string legacyLine(5000, 'z');
  tables_->releaseChain();
  tables_ = nullptr;
  readBytes("<QvUniRecord\nname=" + legacyLine + "\n/>\n");
  ASSERT_NE(tables_, nullptr);
  // The line is read in pieces of 1023 characters: the first piece holds the field.
  EXPECT_EQ(std::string(tables_->firstRecord()->firstField()->getValue()).size(), 1018u);
}

// The file is read in blocks of 64 KiB: whatever a line holds reads the same wherever a block
// ends in it, as when the line lies inside one block.
TEST_F(TableFileTest, ALineReadsTheSameWhereverABlockEndsInIt) {
  const std::string first = "<?xml version=\"1.0\" ?>\n<table id=\"t\" >\n";
  const std::string lines[] = {
      "<record id=\"q\" ><value name=\"a\" type=\"t\" value=\"p>q\"></value></record>\n",
      "<!-- a > b --><record id=\"c\" /><record id=\"d\" ><value name=\"e\" value=\"f\"/>"
      "</record>\n",
      // NUL bytes end the text of the piece they are in, pieces being 254 characters at most.
      "<record id=\"n\" ><value name=\"v\" value=\"" + std::string(60, 'x') + '\0' +
          std::string(300, 'y') + "\"></value></record>\n",
      "<record id=\"o\" ><value name=\"v\" value=\"" + std::string(300, 'x') + '\0' +
          std::string(400, 'y') + "\"></value></record>\n",
      std::string("<record id=\"m\" ><value name=\"w\" value=\"ab") + '\0' +
          "cd\"></value>\n<value name=\"z\" value=\"1\"></value></record>\n",
  };
  // The first line is read on its own; the blocks start after it.
  const size_t blockEnd = 64 * 1024 - (first.size() - first.find('\n') - 1);
  for (const std::string& line : lines) {
    ASSERT_NE(readBytes(first + line + "</table>\n"), nullptr);
    const std::string whole = describe(tables_->firstRecord());
    tables_->releaseChain();
    tables_ = nullptr;
    for (size_t padding = blockEnd - line.size() - 4; padding <= blockEnd + 4; padding += 5) {
      // Lines of spaces put the line's start padding characters into the blocks.
      std::string spaces;
      for (size_t left = padding; left > 0;) {
        const size_t length = left > 100 ? 100 : left;
        spaces += std::string(length - 1, ' ') + "\n";
        left -= length;
      }
      qv::IQvUniTable* tables = readBytes(first + spaces + line + "</table>\n");
      ASSERT_NE(tables, nullptr);
      EXPECT_EQ(describe(tables->firstRecord()), whole) << padding;
      tables_->releaseChain();
      tables_ = nullptr;
    }
  }
}

// A read failing in any block fails the whole read: nothing is handed out as if the file were
// whole, the file is closed and nothing is left over. Only the run without a failure reads.
TEST_F(TableFileTest, AReadFailingInAnyBlockGivesNothing) {
  std::string bytes = "<?xml version=\"1.0\" ?>\n<table id=\"t\" >\n";
  for (int i = 0; i < 3000; ++i) {
    bytes += "<record id=\"" + std::to_string(i) + "\" ><value name=\"a\" value=\"" +
             std::string(40, 'v') + "\"></value></record>\n";
  }
  std::string legacy;
  for (int i = 0; i < 3000; ++i) {
    legacy += "<QvUniRecord\nID=" + std::to_string(i) + "\na=" + std::string(40, 'v') + "\n/>\n";
  }
  for (const std::string& file : {bytes + "</table>\n", legacy}) {
    ASSERT_NE(readBytes(file), nullptr);
    const int all = tables_->firstRecord()->countRecords();
    tables_->releaseChain();
    tables_ = nullptr;
    int read = 0;
    const int points = qvtest::forEachFailure("fread", [&](int) {
      qv::IQvUniTable* tables = qv::readTableFile("Q:\\in.xml");
      if (tables != nullptr) {
        EXPECT_EQ(tables->firstRecord()->countRecords(), all);
        tables->releaseChain();
        ++read;
      }
    });
    EXPECT_GE(points, 3);
    EXPECT_EQ(read, 1);
  }
}

TEST_F(TableFileTest, DeepNestingIsRefusedNotRecursedInto) {
  std::string bytes = "<table id=\"t\" >";
  for (int i = 0; i < 100000; ++i) {
    bytes += "<record >";
  }
  readBytes(bytes);
  ASSERT_NE(tables_, nullptr);
  int depth = 0;
  for (qv::IQvUniRecord* r = tables_->firstRecord(); r != nullptr; r = r->firstChild()) {
    ++depth;
  }
  EXPECT_EQ(depth, qv::kMaxRecordDepth + 1);
}

// 203 levels of records, each with a field before and after its child, then a record at the
// top level.
std::string tooDeepTable() {
  std::string bytes = "<table id=\"t\" >\n<record id=\"first\" ></record>\n";
  const int levels = qv::kMaxRecordDepth + 3;
  for (int i = 0; i < levels; ++i) {
    bytes += "<record id=\"" + std::to_string(i) + "\" ><value name=\"before\" value=\"b\" />\n";
  }
  for (int i = 0; i < levels; ++i) {
    bytes += "<value name=\"after\" value=\"a\" /></record>\n";
  }
  return bytes + "<record id=\"last\" ></record>\n</table>\n";
}

TEST_F(TableFileTest, NestingTooDeepEndsTheReadKeepingWhatCameBefore) {
  readBytes(tooDeepTable());
  ASSERT_NE(tables_, nullptr);
  qv::IQvUniRecord* first = tables_->firstRecord();
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first->getId(), "first");
  qv::IQvUniRecord* deep = first->next();
  ASSERT_NE(deep, nullptr);
  // Nothing inside the deep record turns into a record of the table, and nothing follows it.
  EXPECT_EQ(deep->next(), nullptr);
  EXPECT_EQ(tables_->next(), nullptr);
  int depth = 0;
  for (qv::IQvUniRecord* r = deep; r != nullptr; r = r->firstChild()) {
    // Each keeps the field before its child; the fields after it were never reached.
    ASSERT_NE(r->firstField(), nullptr);
    EXPECT_STREQ(r->firstField()->getName(), "before");
    EXPECT_EQ(r->firstField()->next(), nullptr);
    ++depth;
  }
  EXPECT_EQ(depth, qv::kMaxRecordDepth + 1);
}

TEST_F(TableFileTest, FailedWritesAnswerZeroAndKeepTheOldFile) {
  writeHost("keep.xml", "old content");
  qv::QvUniTable table;
  table.setId("new");
  sim::failCall("fopen");
  EXPECT_EQ(qv::writeTableFile("Q:\\keep.xml", &table), 0);
  sim::clearFailures();
  EXPECT_EQ(readHost("keep.xml"), "old content");
  EXPECT_EQ(qv::writeTableFile("Q:\\no such folder\\x.xml", &table), 0);
  EXPECT_EQ(qv::writeRecordFile(nullptr, nullptr), 0);
  EXPECT_EQ(qv::writeTableFile("Q:\\keep.xml", &table), 1);
  EXPECT_NE(readHost("keep.xml").find("<table id=\"new\" >"), std::string::npos);
}

TEST_F(TableFileTest, AWriteFailingPartWayThroughALargeFileKeepsTheOldFile) {
  writeHost("keep.xml", "old content");
  auto* table = new qv::QvUniTable;
  for (int i = 0; i < 3000; ++i) {
    auto* record = new qv::QvUniRecord;
    record->setId(std::to_string(i).c_str());
    record->setField("text", kAwkward, 0, "string");
    table->addRecord(record);
  }
  // The file is written in several pieces: whichever write fails, or the close, the old file stays.
  for (const char* call : {"fwrite", "fclose"}) {
    for (const bool asRecords : {false, true}) {
      const int points = qvtest::forEachFailure(call, [&](int) {
        const int made = asRecords ? qv::writeRecordFile("Q:\\keep.xml", table->firstRecord())
                                   : qv::writeTableFile("Q:\\keep.xml", table);
        if (made == 0) {
          EXPECT_TRUE(readHost("keep.xml") == "old content");
        } else {
          writeHost("keep.xml", "old content");
        }
      });
      EXPECT_GE(points, 1);
    }
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tempDir()), {}), 1);
  ASSERT_EQ(qv::writeRecordFile("Q:\\keep.xml", table->firstRecord()), 1);
  tables_ = qv::readTableFile("Q:\\keep.xml");
  ASSERT_NE(tables_, nullptr);
  EXPECT_EQ(describe(tables_->firstRecord()), describe(table->firstRecord()));
  table->releaseChain();
}

} // namespace

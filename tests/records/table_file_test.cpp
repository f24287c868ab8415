// Record-table XML files: round trips, the exact bytes written, files from elsewhere, the legacy
// line format, hostile input and failed writes.
#include "records/table_file.h"

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim.h"
#include "record_test_util.h"
#include "records/records.h"
#include "testing/failure_sweep.h"

namespace {

using qvtest::describe;
using qvtest::newRecord;

// Every kind of character an attribute value must carry.
const char kAwkward[] = "a&b<c>d\"e'f\r\ng\\h \xE9\xFF end";

// Each table of a chain as "(id|type|desc)" ("~" for an absent text), then its records.
std::string describeTables(const qv::IQvUniTable* table) {
  auto text = [](const char* value) { return value != nullptr ? std::string(value) : "~"; };
  std::string out;
  for (; table != nullptr; table = table->next()) {
    out += "(" + text(table->getId()) + "|" + text(table->getType()) + "|" +
           text(table->getDesc()) + ")" + describe(table->firstRecord());
  }
  return out;
}

class TableFileTest : public qvtest::HostTest {
protected:
  TableFileTest() : HostTest('Q') {}
  void TearDown() override {
    releaseTables();
    HostTest::TearDown();
  }
  void releaseTables() {
    if (tables_ != nullptr) {
      tables_->releaseChain();
      tables_ = nullptr;
    }
  }
  // Reads a file of the folder; the chain is kept until the next read or TearDown.
  qv::IQvUniTable* readFile(const char* path) {
    releaseTables();
    tables_ = qv::readTableFile(path);
    return tables_;
  }
  qv::IQvUniTable* readBytes(const std::string& bytes) {
    writeHost("in.xml", bytes);
    return readFile(onDrive("IN.XML").c_str());
  }
  qv::IQvUniTable* tables_ = nullptr;
};

TEST_F(TableFileTest, TablesAndRecordsComeBackFieldByField) {
  auto* first = new qv::QvUniTable;
  first->setId("folders");
  first->setType(kAwkward);
  first->setDesc("see id=7 and type=x");
  auto* parent = newRecord(kAwkward);
  parent->setField("count", "12", 0, "integer");
  parent->setField("blank", "", 0, "");
  parent->setField("odd", kAwkward, 0, nullptr);
  qv::IQvUniRecord* current = parent;
  {
    qv::QvChildRecordScope child(current);
    current->setId("child");
    {
      qv::QvChildRecordScope grandchild(current);
      current->setField("g", "2", 0, "real");
    }
  }
  first->addRecord(parent);
  // Folders with a backslash before an "n", and values and names that look like attributes.
  auto* lookalikes = newRecord("C:\\new\\notes\\");
  for (const char* folder : {"\\\\server\\n", "a\\\r\nb", "\\n\\\\n\\"}) {
    lookalikes->setField("dir", folder, 0, nullptr);
  }
  lookalikes->setField("kind", "type=road", 0, "real");
  lookalikes->setField("myvalue=", "v", 0, nullptr);
  lookalikes->setField("type", "name=\"q\" id=5 value=3", 0, nullptr);
  first->addRecord(lookalikes);
  auto* noId = new qv::QvUniRecord;
  noId->setField("x", "y", 0, nullptr);
  first->addRecord(noId);
  first->addRecord(newRecord(""));
  auto* second = new qv::QvUniTable; // no attributes at all
  second->addRecord(new qv::QvUniRecord);
  first->appendTable(second);

  ASSERT_EQ(qv::writeTableFile(onDrive("out.xml").c_str(), first), 1);
  first->releaseChain();
  // Written as a reference that XML tools also read as a backslash; line breaks as before.
  EXPECT_NE(readHost("out.xml").find("value=\"a\\\\nb\""), std::string::npos);
  EXPECT_NE(readHost("out.xml").find("id=\"C:&#92;new&#92;notes\\\" "), std::string::npos);
  // Absent table attributes come back empty, absent and empty ids absent.
  EXPECT_EQ(describeTables(readFile(onDrive("OUT.XML").c_str())),
            std::string("(folders|") + kAwkward + "|see id=7 and type=x)[id=" + kAwkward +
                " count=12:integer blank= odd=" + kAwkward +
                " {[id=child {[noid g=2:real]}]}][id=C:\\new\\notes\\ dir=\\\\server\\n "
                "dir=a\\\r\nb dir=\\n\\\\n\\ kind=type=road:real myvalue==v "
                "type=name=\"q\" id=5 value=3][noid x=y][noid](||)[noid]");

  // A record file is one table without attributes.
  qv::IQvUniRecord* records = newRecord("1");
  records->appendRecord(newRecord("2"));
  ASSERT_EQ(qv::writeRecordFile(onDrive("r.xml").c_str(), records), 1);
  records->releaseChain();
  EXPECT_NE(readHost("r.xml").find("\r\n<table>\r\n<record id=\"1\" >"), std::string::npos);
  EXPECT_EQ(describeTables(readFile(onDrive("r.xml").c_str())), "(~|~|~)[id=1][id=2]");
}

TEST_F(TableFileTest, WritesTheExactBytesWithWindowsLineEnds) {
  qv::QvUniTable table;
  table.setId("t");
  auto* record = new qv::QvUniRecord;
  record->setField("n", "a<b", 0, nullptr);
  record->setField("m", nullptr, 0, "long");
  table.addRecord(record);
  table.addRecord(new qv::QvUniRecord);
  ASSERT_EQ(qv::writeTableFile(onDrive("t.xml").c_str(), &table), 1);
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

// A table as XML tools write it, inside a prolog and a root.
std::string xmlTable(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<maradel_xml>\n  <table id=\"t\">\n" + body +
         "\n  </table>\n</maradel_xml>\n";
}

// Files no writer of ours made, odd tags, the legacy line format, and files with nothing to read
// ("" for null).
TEST_F(TableFileTest, ReadsWhatOtherWritersMake) {
  const std::string firstRead = "<table id=\"t\" >" + std::string(1023 - 15 - 8, 'x');
  const struct {
    const char* name;
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"another root, no prolog, one line, LF line ends",
       "<other><table id=\"a\" type=\"T\"><record id=\"1\" ><value name=\"v\" value=\"1\""
       "/></record></table><record id=\"2\"\n><value name=\"w\"\nvalue=\"x y\"\n>"
       "</value></record></other>",
       "(a|T|)[id=1 v=1](~|~|~)[id=2 w=x y]"}, // a record after </table> starts a new table
      {"a first read of 1023 characters ending just after the space of \"<record \"",
       firstRead + "<record id=\"1\" ><value name=\"a\" value=\"1\"></value></record>",
       "(t||)[id=1 a=1]"},
      // "<record>" without attributes is a record all the same. "xid=" is not "id=". An unquoted
      // value runs to the next quote: "name=bare" gives "bare value=".
      {"odd tags and attributes",
       "<table id=\"t\">\r\n<record id=\"outer\" >\r\n<record>\r\n"
       "<value name=\"inner\" value=\"1\"></value>\r\n</record>\r\n"
       "<value name=\"after\" value=\"2\"></value>\r\n</record>\r\n"
       "<record xid=\"first\" id=\"second\" >\r\n<value name=bare value=\"q\"></value>\r\n"
       "<value name=\"\" value=\"skipped\"></value>\r\n<value name=\"open value=\"></value>"
       "\r\n</record>\r\n",
       "(t||)[id=outer after=2 {[noid inner=1]}][id=second bare value==q open value==]"},
      {"self-closing records",
       xmlTable("<record id=\"1\"/><record id=\"2\" /><record/>\n<record id='3'>"
                "<value name='a' value='x'/></record>"),
       "(t||)[id=1][id=2][noid][id=3 a=x]"},
      {"self-closing child",
       xmlTable("<record id=\"p\"><record id=\"c\"/><value name=\"a\" value=\"1\"/></record>"),
       "(t||)[id=p a=1 {[id=c]}]"},
      {"quotes and spaces",
       xmlTable("<record id = '7' >\n  <value name = \"it's\"\tvalue= 'say \"hi\"' "
                "type =\"t\" />\n</record>"),
       "(t||)[id=7 it's=say \"hi\":t]"},
      {"many attributes, attributes without space between them, a slash inside a name",
       xmlTable(
           "<record id=\"m\" a1=\"1\" a2=\"2\" a3=\"3\" a4=\"4\" a5=\"5\" a6=\"6\">"
           "<value x1=\"\" x2=\"\" x3=\"\" x4=\"\" x5=\"\" type=\"t\" name=\"late\" "
           "value=\"7\"/><value name=\"a\"value=\"b\"/><value name=\"c\" value=\"d\"type=\"e\"/>"
           "<value na/me=\"x\" name=\"n/\" value=\"s\"/></record>"),
       "(t||)[id=m late=7:t a=b c=d:e n/=s]"},
      // Names in any case; a character that differs from "/" only in the case bit is no "/".
      {"element names in capitals and mixed case",
       "<TABLE id=\"T\"><Record id=\"1\"><VALUE name=\"a\" value=\"1\"/><\x0Frecord>"
       "<vAlUe name=\"b\" value=\"2\"/></RECORD></Table>",
       "(T||)[id=1 a=1 b=2]"},
      {"attributes on lines",
       xmlTable("<record\n    id=\"L\"\n>\n<value\n  name=\"a\"\n  value=\"b\"\n/>\n</record\n>"),
       "(t||)[id=L a=b]"},
      {"> inside values",
       xmlTable("<record id=\"a>b\"><value name=\"x\" value=\"1 > 0\"/>"
                "<value name='y' value='<&gt;'/></record>"),
       "(t||)[id=a>b x=1 > 0 y=<>]"},
      {"character references",
       xmlTable("<record id=\"&#65;&#x42;&#X63;\"><value name=\"v\" "
                "value=\"&#92;n&#13;&#10;&#233;&#0;&#256;&#x;&amp;#65;\"/></record>"),
       "(t||)[id=ABc v=\\n\r\n\xE9&#0;&#256;&#x;&#65;]"},
      {"comments",
       xmlTable("<!-- <record id=\"no\"> \"quoted\" -- > --><record id=\"yes\"><!--x--></record>"),
       "(t||)[id=yes]"},
      {"a table that closes itself; a record after it starts a table of its own",
       "<table id=\"empty\"/><record id=\"r\"/>", "(empty||)(~|~|~)[id=r]"},
      {"a closing bracket before the next tag ends the read",
       "<table id=\"t\" >\n<record id=\"1\" >\n<value name=\"a\" value=\"1\"></value>\n"
       "</record>\n> stray\n<record id=\"2\" >\n</record>\n",
       "(t||)[id=1 a=1]"},
      {"cut off inside a record: the fields read so far stay",
       "<table id=\"t\" >\n<record id=\"1\" >\n<value name=\"a\" value=\"1\"></value>\n"
       "<value name=\"b\" value=\"2",
       "(t||)[id=1 a=1]"},
      {"the legacy format",
       "  <qvunirecord  \r\nID = 7\r\nname = \"Smith=Jones\"\r\n=lead==x=y\r\n"
       "quoted = \"full\"\r\nescaped=a&amp;b\r\nnothing\r\n/>\r\nignored=1\r\n"
       "<QvUniRecord\r\nother=2\r\n/>\r\n",
       "(~|~|~)[id=7 name=Smith lead=x quoted=full escaped=a&b][noid other=2]"},
      {"the legacy format not on the first line: XML without tables",
       "\r\n<QvUniRecord\r\na=1\r\n/>\r\n", ""},
      {"empty", "", ""},
      {"a root only", "<?xml version=\"1.0\" ?>\n<root>\n</root>\n", ""},
      {"no tags", "just text, no tags at all", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(describeTables(readBytes(c.bytes)), c.expected) << c.name;
  }
  EXPECT_EQ(readFile(onDrive("missing.xml").c_str()), nullptr);
  EXPECT_EQ(readFile(nullptr), nullptr);
}

TEST_F(TableFileTest, LongLinesAndNulBytesAreReadSafely) {
  const std::string huge(3 * 1024 * 1024, 'v');
  ASSERT_NE(readBytes("<table id=\"t\" ><record id=\"1\" ><value name=\"big\" value=\"" + huge +
                      "\"></value></record><record id=\"2\" ><value name=\"n\" value=\"a" + '\0' +
                      "b\"></value></record>"),
            nullptr);
  EXPECT_EQ(std::string(tables_->firstRecord()->firstField()->getValue()), huge);
  // The legacy line is read in pieces of 1023 characters: the first piece holds the field.
  ASSERT_NE(readBytes("<QvUniRecord\nname=" + std::string(5000, 'z') + "\n/>\n"), nullptr);
  EXPECT_EQ(std::string(tables_->firstRecord()->firstField()->getValue()).size(), 1018u);
}

// Values are scanned sixteen characters at a time: an escape or a quote of the other kind reads
// the same wherever it stands in a value of any length.
TEST_F(TableFileTest, ValuesOfEveryLengthCarryEscapesAndQuotesAnywhere) {
  std::vector<std::string> values;
  for (size_t length = 1; length <= 40; ++length) {
    for (size_t at = 0; at < length; ++at) {
      for (const char special : {'&', '"', '\'', '\\', '<'}) {
        values.push_back(std::string(length, 'v'));
        values.back()[at] = special;
      }
    }
  }
  auto* table = new qv::QvUniTable;
  auto* record = newRecord("r");
  for (const std::string& value : values) {
    record->setField("f", value.c_str(), 0, nullptr);
  }
  table->addRecord(record);
  ASSERT_EQ(qv::writeTableFile(onDrive("v.xml").c_str(), table), 1);
  table->releaseChain();
  ASSERT_NE(readFile(onDrive("v.xml").c_str()), nullptr);
  const qv::IQvUniField* field = tables_->firstRecord()->firstField();
  for (const std::string& value : values) {
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->getValue(), value);
    field = field->next();
  }
  EXPECT_EQ(field, nullptr);

  // As other writers write them: a double quote inside single quotes, and the other way round.
  for (const char quote : {'\'', '"'}) {
    const char other = quote == '"' ? '\'' : '"';
    std::string bytes = "<table id=\"t\"><record id=\"r\">";
    std::string expected = "(t||)[id=r";
    for (size_t length = 1; length <= 40; ++length) {
      std::string value(length, 'w');
      value[length / 3] = other;
      bytes += std::string("<value name=\"g\" value=") + quote + value + quote + "/>";
      expected += " g=" + value;
    }
    EXPECT_EQ(describeTables(readBytes(bytes + "</record></table>")), expected + "]") << quote;
  }
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
    const std::string whole = describeTables(readBytes(first + line + "</table>\n"));
    ASSERT_NE(whole, "");
    for (size_t padding = blockEnd - line.size() - 4; padding <= blockEnd + 4; padding += 5) {
      // Lines of spaces put the line's start padding characters into the blocks.
      std::string spaces;
      for (size_t left = padding; left > 0;) {
        const size_t length = left > 100 ? 100 : left;
        spaces += std::string(length - 1, ' ') + "\n";
        left -= length;
      }
      EXPECT_EQ(describeTables(readBytes(first + spaces + line + "</table>\n")), whole) << padding;
    }
  }
}

// A read failing in any block fails the whole read: nothing is handed out as if the file were
// whole, the file is closed and nothing is left over. Only the run without a failure reads.
TEST_F(TableFileTest, AReadFailingInAnyBlockGivesNothing) {
  QV_SKIP_UNLESS_FAILABLE("fread");
  std::string bytes = "<?xml version=\"1.0\" ?>\n<table id=\"t\" >\n";
  std::string legacy;
  for (int i = 0; i < 3000; ++i) {
    bytes += "<record id=\"" + std::to_string(i) + "\" ><value name=\"a\" value=\"" +
             std::string(40, 'v') + "\"></value></record>\n";
    legacy += "<QvUniRecord\nID=" + std::to_string(i) + "\na=" + std::string(40, 'v') + "\n/>\n";
  }
  for (const std::string& file : {bytes + "</table>\n", legacy}) {
    ASSERT_NE(readBytes(file), nullptr);
    const int all = tables_->firstRecord()->countRecords();
    releaseTables();
    int read = 0;
    const int points = qvtest::forEachFailure("fread", [&](int) {
      qv::IQvUniTable* tables = qv::readTableFile(onDrive("in.xml").c_str());
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

int depthOf(qv::IQvUniRecord* record) {
  int depth = 0;
  for (; record != nullptr; record = record->firstChild()) {
    ++depth;
  }
  return depth;
}

TEST_F(TableFileTest, NestingTooDeepEndsTheReadKeepingWhatCameBefore) {
  std::string unclosed = "<table id=\"t\" >";
  for (int i = 0; i < 100000; ++i) {
    unclosed += "<record >";
  }
  ASSERT_NE(readBytes(unclosed), nullptr);
  EXPECT_EQ(depthOf(tables_->firstRecord()), qv::kMaxRecordDepth + 1);

  // 203 levels of records, each with a field before and after its child, then a record at the
  // top level.
  std::string bytes = "<table id=\"t\" >\n<record id=\"first\" ></record>\n";
  const int levels = qv::kMaxRecordDepth + 3;
  for (int i = 0; i < levels; ++i) {
    bytes += "<record id=\"" + std::to_string(i) + "\" ><value name=\"before\" value=\"b\" />\n";
  }
  for (int i = 0; i < levels; ++i) {
    bytes += "<value name=\"after\" value=\"a\" /></record>\n";
  }
  ASSERT_NE(readBytes(bytes + "<record id=\"last\" ></record>\n</table>\n"), nullptr);
  qv::IQvUniRecord* first = tables_->firstRecord();
  EXPECT_STREQ(first->getId(), "first");
  qv::IQvUniRecord* deep = first->next();
  ASSERT_NE(deep, nullptr);
  // Nothing inside the deep record turns into a record of the table, and nothing follows it.
  EXPECT_EQ(deep->next(), nullptr);
  EXPECT_EQ(tables_->next(), nullptr);
  EXPECT_EQ(depthOf(deep), qv::kMaxRecordDepth + 1);
  for (qv::IQvUniRecord* r = deep; r != nullptr; r = r->firstChild()) {
    // Each keeps the field before its child; the fields after it were never reached.
    ASSERT_NE(r->firstField(), nullptr);
    EXPECT_STREQ(r->firstField()->getName(), "before");
    EXPECT_EQ(r->firstField()->next(), nullptr);
  }
}

TEST_F(TableFileTest, FailedWritesAnswerZeroAndKeepTheOldFile) {
  QV_SKIP_UNLESS_FAILABLE("fopen");
  writeHost("keep.xml", "old content");
  auto* table = new qv::QvUniTable;
  table->setId("new");
  sim::failCall("fopen");
  EXPECT_EQ(qv::writeTableFile(onDrive("keep.xml").c_str(), table), 0);
  sim::clearFailures();
  EXPECT_EQ(readHost("keep.xml"), "old content");
  EXPECT_EQ(qv::writeTableFile(onDrive("no such folder\\x.xml").c_str(), table), 0);
  EXPECT_EQ(qv::writeRecordFile(nullptr, nullptr), 0);
  for (int i = 0; i < 3000; ++i) {
    qv::QvUniRecord* record = newRecord(std::to_string(i).c_str());
    record->setField("text", kAwkward, 0, "string");
    table->addRecord(record);
  }
  // The file is written in several pieces: whichever write fails, or the close, the old file stays.
  for (const char* call : {"fwrite", "fclose"}) {
    for (const bool asRecords : {false, true}) {
      const int points = qvtest::forEachFailure(call, [&](int) {
        const int made =
            asRecords ? qv::writeRecordFile(onDrive("keep.xml").c_str(), table->firstRecord())
                      : qv::writeTableFile(onDrive("keep.xml").c_str(), table);
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
  ASSERT_EQ(qv::writeTableFile(onDrive("keep.xml").c_str(), table), 1);
  ASSERT_NE(readFile(onDrive("keep.xml").c_str()), nullptr);
  EXPECT_STREQ(tables_->getId(), "new");
  EXPECT_EQ(describe(tables_->firstRecord()), describe(table->firstRecord()));
  table->releaseChain();
}

} // namespace

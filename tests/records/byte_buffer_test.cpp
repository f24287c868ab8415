// QvByteBuffer: growth, both record forms round trip, the four read statuses, consuming reads and
// hostile chunk lengths and nesting.
#include "records/byte_buffer.h"

#include <cstring>
#include <memory>
#include <string>

#include "platform/sim.h"
#include "record_test_util.h"
#include "records/records.h"
#include "testing/failure_sweep.h"

namespace {

using qvtest::describe;

const char kAwkward[] = "a&b<c>d\"e'f\r\ng\\h \xE9 end";

class ByteBufferTest : public qvtest::HostTest {
protected:
  // The buffer's block comes from the host allocator: it goes before the end-of-test check.
  void TearDown() override {
    owned_.reset();
    HostTest::TearDown();
  }
  // A record with an id, typed, untyped and empty-typed fields and a child with its own fields.
  static qv::IQvUniRecord* makeRecord(const char* id) {
    auto* record = new qv::QvUniRecord;
    record->setId(id);
    record->setField("name", kAwkward, 0, nullptr);
    record->setField("n", "5", 0, "integer");
    record->setField("blank", "", 0, "");
    record->setField("kind", "type=road", 0, "real"); // values and names that look like attributes
    record->setField("myvalue=", "name=\"n\" value=v", 0, nullptr);
    auto* child = new qv::QvUniRecord;
    child->setId("kid");
    child->setField("c", "3", 0, "real");
    record->setFirstChild(child);
    return record;
  }
  // Reads one record; the record read is described and released.
  std::string readOne(int& status, int consume = 1) {
    qv::QvUniRecord record;
    status = buffer_.readRecord(&record, 0, consume);
    return describe(&record);
  }
  // Every record read from a buffer holding just these bytes, until the reads stop giving records
  // (more and skipped go on): "record status ..., N left".
  std::string readsOf(const std::string& bytes) {
    static const char* const kStatus[] = {"incomplete", "last", "more", "skipped"};
    buffer_.clearBuffer();
    buffer_.appendBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
    std::string out;
    int status = qv::kReadMore;
    while (status == qv::kReadMore || status == qv::kReadSkipped) {
      out += readOne(status);
      out += std::string(" ") + kStatus[status] + ", ";
    }
    return out + std::to_string(buffer_.length()) + " left";
  }
  std::unique_ptr<qv::QvByteBuffer> owned_ = std::make_unique<qv::QvByteBuffer>();
  qv::QvByteBuffer& buffer_ = *owned_;
};

TEST_F(ByteBufferTest, GrowsByHalfAgainAndKeepsANulAfterTheContents) {
  EXPECT_EQ(buffer_.bufferText(), nullptr);
  EXPECT_EQ(buffer_.appendText("abc"), 1);
  EXPECT_EQ(buffer_.length(), 3u);
  EXPECT_EQ(buffer_.capacity(), 6u); // (3 + 1) * 3 / 2
  EXPECT_STREQ(buffer_.bufferText(), "abc");
  EXPECT_EQ(buffer_.appendBytes("defg", 4), 1);
  EXPECT_EQ(buffer_.capacity(), 12u); // (3 + 1 + 4) * 3 / 2
  EXPECT_STREQ(buffer_.bufferText(), "abcdefg");
  qv::msString piece;
  buffer_.substring(2, 3, piece);
  EXPECT_STREQ(piece, "cde");
  buffer_.substring(5, 3, piece);
  EXPECT_STREQ(piece, ""); // past the end
  buffer_.substring(UINT32_MAX, 2, piece);
  EXPECT_STREQ(piece, "");
  buffer_.clearBuffer();
  EXPECT_EQ(buffer_.length(), 0u);
  EXPECT_EQ(buffer_.capacity(), 12u);
  EXPECT_STREQ(buffer_.bufferText(), "");
}

TEST_F(ByteBufferTest, FailedAllocationsLeaveTheBufferUnchanged) {
  // Whichever growth fails, an append takes effect whole or not at all.
  for (const char* call : {"acad_malloc", "acad_realloc"}) {
    const int points = qvtest::forEachFailure(call, [](int) {
      qv::QvByteBuffer buffer;
      std::string expected;
      for (const std::string& piece :
           {std::string("keep"), std::string(" more than fits in six"), std::string(5000, 'x')}) {
        if (buffer.appendText(piece.c_str()) == 1) {
          expected += piece;
        }
        ASSERT_EQ(buffer.length(), expected.size());
        if (!expected.empty()) {
          EXPECT_EQ(std::string(buffer.bufferText(), buffer.length()), expected);
        }
      }
    });
    EXPECT_GE(points, 1) << call;
  }
  // A length that would pass 32 bits is refused before any arithmetic can wrap.
  ASSERT_EQ(buffer_.appendText("keep"), 1);
  EXPECT_EQ(buffer_.appendBytes("x", UINT32_MAX), 0);
  EXPECT_EQ(buffer_.appendBytes(nullptr, 3), 0);
  EXPECT_EQ(buffer_.length(), 4u);
}

TEST_F(ByteBufferTest, ChunkFormWritesTheDocumentedBytes) {
  qv::QvUniRecord record;
  record.setId("a&");
  record.setField("n", "v", 0, nullptr);
  ASSERT_EQ(buffer_.writeRecord(&record, 1), 1);
  const std::string expected("\x01\0\0\0\0"
                             "\x05\x06\0\0\0a&amp;"
                             "\x03\x01\0\0\0n"
                             "\x07\x01\0\0\0v"
                             "\x04\0\0\0\0"
                             "\x02\0\0\0\0",
                             38);
  EXPECT_EQ(std::string(buffer_.bufferText(), buffer_.length()), expected);
}

TEST_F(ByteBufferTest, BothFormsRoundTripAndConsumeOnlyWhenAsked) {
  for (int chunkForm = 0; chunkForm < 2; ++chunkForm) {
    buffer_.clearBuffer();
    qv::IQvUniRecord* first = makeRecord("one");
    qv::IQvUniRecord* second = makeRecord("two");
    ASSERT_EQ(buffer_.writeRecord(first, chunkForm), 1);
    ASSERT_EQ(buffer_.writeRecord(second, chunkForm), 1);
    const std::string wanted1 = describe(first);
    const std::string wanted2 = describe(second);
    first->release();
    second->release();
    // What the reader gives back: an empty type tag comes back as none.
    auto withoutEmptyType = [](std::string text) {
      const size_t at = text.find("blank=:");
      return at == std::string::npos ? text : text.erase(at + 6, 1);
    };
    int status = -1;
    const uint32_t length = buffer_.length();
    EXPECT_EQ(readOne(status, 0), withoutEmptyType(wanted1)); // without consuming
    EXPECT_EQ(status, qv::kReadMore);
    EXPECT_EQ(buffer_.length(), length);
    EXPECT_EQ(readOne(status), withoutEmptyType(wanted1)) << "chunk form " << chunkForm;
    EXPECT_EQ(status, qv::kReadMore);
    EXPECT_EQ(readOne(status), withoutEmptyType(wanted2));
    EXPECT_EQ(status, qv::kReadLast);
    EXPECT_EQ(buffer_.length(), 0u);
    readOne(status);
    EXPECT_EQ(status, qv::kReadIncomplete);
  }
}

// Junk before the first tag, tags that are not records, records that close themselves, and chunk
// lengths and headers running past the end.
TEST_F(ByteBufferTest, ReadsWhatIsThereAndWaitsForWhatIsMissing) {
  const struct {
    std::string bytes;
    const char* reads;
  } cases[] = {
      {"no tags here", "[noid] incomplete, 12 left"},
      {"<value name=\"a\" ></value>", "[noid] incomplete, 25 left"},
      {"junk > more <record id=\"x\" ><value name=\"a\" value=\"1\" ></value></record>\n",
       "[noid] skipped, [id=x a=1] last, 0 left"}, // only one character followed
      {"<record id='1'/>\n<record\n id = \"2\"><value name='a' value='x>y'/></record>\n<record/>",
       "[id=1] more, [id=2 a=x>y] more, [noid] last, 0 left"},
      // A field name chunk claiming 4 GB.
      {std::string("\x01\0\0\0\0\x03\xff\xff\xff\xffname", 14), "[noid] incomplete, 14 left"},
      // An end chunk whose length runs past the end does not end the record.
      {std::string("\x01\0\0\0\0\x02\x10\0\0\0abc", 13), "[noid] incomplete, 13 left"},
      {std::string("\x01\0\0\0\0\x02\0\0", 8), "[noid] incomplete, 8 left"}, // a header cut short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(readsOf(c.bytes), c.reads) << c.bytes;
  }
  qv::QvByteBuffer never;
  qv::QvUniRecord record;
  EXPECT_EQ(never.readRecord(&record, 0, 1), qv::kReadIncomplete);
  EXPECT_EQ(never.readRecord(nullptr, 0, 1), qv::kReadIncomplete);
}

TEST_F(ByteBufferTest, XmlFormHalfARecordWaitsForTheRest) {
  const std::string whole = "<record id=\"x\" >\n<value name=\"a\" value=\"1\" ></value>\n"
                            "</record>\n<record >\n</record>\n";
  buffer_.appendText(whole.substr(0, 30).c_str());
  int status = -1;
  readOne(status);
  EXPECT_EQ(status, qv::kReadIncomplete);
  EXPECT_EQ(std::string(buffer_.bufferText()), whole.substr(0, 30));
  buffer_.appendText(whole.substr(30).c_str());
  EXPECT_EQ(readOne(status), "[id=x a=1]");
  EXPECT_EQ(status, qv::kReadMore);
  // The rest is trimmed of leading spaces only, and of trailing spaces and line ends.
  EXPECT_EQ(std::string(buffer_.bufferText()), "\n<record >\n</record>");
  EXPECT_EQ(readOne(status), "[noid]");
  EXPECT_EQ(status, qv::kReadLast);
}

TEST_F(ByteBufferTest, NestingIsBoundedInBothForms) {
  for (int i = 0; i < 100000; ++i) {
    buffer_.appendTag(qv::kChunkRecordStart);
  }
  qv::QvUniRecord record;
  EXPECT_EQ(buffer_.readRecord(&record, 0, 1), qv::kReadIncomplete);
  int depth = 0;
  for (qv::IQvUniRecord* r = record.firstChild(); r != nullptr; r = r->firstChild()) {
    ++depth;
  }
  EXPECT_EQ(depth, qv::kMaxRecordDepth);
  buffer_.clearBuffer();
  for (int i = 0; i < 100000; ++i) {
    buffer_.appendText("<record >");
  }
  int status = -1;
  readOne(status);
  EXPECT_EQ(status, qv::kReadIncomplete);
}

TEST_F(ByteBufferTest, ARecordNestingTooDeepIsRefusedOnceWholeAndTheNextOneReads) {
  for (int chunkForm = 0; chunkForm < 2; ++chunkForm) {
    SCOPED_TRACE(chunkForm);
    // A record nesting one level too deep, then another.
    qv::QvUniRecord deep;
    qv::IQvUniRecord* current = &deep;
    for (int i = 0; i <= qv::kMaxRecordDepth; ++i) {
      current->setFirstChild(new qv::QvUniRecord);
      current = current->firstChild();
    }
    qv::QvUniRecord after;
    after.setId("after");
    qv::QvByteBuffer whole;
    whole.writeRecord(&deep, chunkForm);
    whole.writeRecord(&after, chunkForm);
    const std::string bytes(whole.bufferText(), whole.length());
    // Arriving in two parts: while the deep record's end is missing the caller waits for more.
    buffer_.clearBuffer();
    buffer_.appendBytes(bytes.data(), static_cast<uint32_t>(bytes.size() / 2));
    int status = -1;
    readOne(status);
    EXPECT_EQ(status, qv::kReadIncomplete);
    buffer_.appendBytes(bytes.data() + bytes.size() / 2,
                        static_cast<uint32_t>(bytes.size() - bytes.size() / 2));
    // Once it is whole it is dropped, even by a read that does not consume, and the next reads.
    readOne(status, 0);
    EXPECT_EQ(status, qv::kReadSkipped);
    EXPECT_EQ(readOne(status), "[id=after]");
    EXPECT_EQ(status, qv::kReadLast);
  }
}

// Reading record by record must not move what is left each time: the contents move on in place
// and are moved to the front only now and then, so reading N records costs time in N.
TEST_F(ByteBufferTest, ConsumingReadsMoveTheRestOnlyNowAndThen) {
  for (int chunkForm = 0; chunkForm < 2; ++chunkForm) {
    SCOPED_TRACE(chunkForm);
    buffer_.clearBuffer();
    int written = 0;
    auto writeOne = [&]() {
      qv::QvUniRecord record;
      record.setId(std::to_string(written++).c_str());
      record.setField("v", "  padded value  ", 0, nullptr);
      buffer_.writeRecord(&record, chunkForm);
    };
    for (int i = 0; i < 1000; ++i) {
      writeOne();
    }
    int moves = 0;
    int status = qv::kReadMore;
    for (int read = 0; status == qv::kReadMore; ++read) {
      const char* before = buffer_.bufferText();
      qv::QvUniRecord record;
      status = buffer_.readRecord(&record, 0, 1);
      ASSERT_TRUE(status == qv::kReadMore || status == qv::kReadLast) << read;
      ASSERT_STREQ(record.getId(), std::to_string(read).c_str());
      // Left in place, what is left starts after where the record started.
      if (buffer_.length() > 0 && buffer_.bufferText() <= before) {
        ++moves;
      }
      // Data keeps arriving while it is read: appends go after what is left.
      if (read % 2 == 0 && written < 1500) {
        writeOne();
      }
    }
    EXPECT_EQ(written, 1500);
    EXPECT_EQ(buffer_.length(), 0u);
    EXPECT_LE(moves, 40);
  }
}

// A record whose value ends in spaces and a line break, arriving cut just after them: reading the
// record before it must not trim them away.
TEST_F(ByteBufferTest, XmlFormKeepsTheEndOfARecordStillArriving) {
  qv::QvUniRecord first;
  first.setId("1");
  qv::QvUniRecord second;
  second.setField("v", "ends in  \r\n", 0, nullptr);
  second.setField("w", "lone \n ", 0, nullptr);
  qv::QvByteBuffer whole;
  whole.writeRecord(&first, 0);
  whole.writeRecord(&second, 0);
  const std::string bytes(whole.bufferText(), whole.length());
  for (const char* cut : {"ends in  ", "lone \n "}) {
    SCOPED_TRACE(cut);
    const size_t at = bytes.find(cut) + std::strlen(cut);
    buffer_.clearBuffer();
    buffer_.appendBytes(bytes.data(), static_cast<uint32_t>(at));
    int status = -1;
    EXPECT_EQ(readOne(status), "[id=1]");
    EXPECT_EQ(status, qv::kReadMore);
    buffer_.appendBytes(bytes.data() + at, static_cast<uint32_t>(bytes.size() - at));
    EXPECT_EQ(readOne(status), "[noid v=ends in  \r\n w=lone \n ]");
    EXPECT_EQ(status, qv::kReadLast);
  }
}

} // namespace

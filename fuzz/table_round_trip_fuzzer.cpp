// Round trip of record tables built from the input: written with writeTableFile and read back
// with readTableFile, and their records written to a QvByteBuffer in both forms and read back in
// pieces of a size the input chooses; everything read must equal what was written, field by
// field. Texts are any bytes, with the format's own syntax mixed in often.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <unistd.h>

#include "platform/sim.h"
#include "records/records.h"

namespace {

// Takes the input byte by byte; past its end every byte is 0.
class Input {
public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool empty() const { return at_ >= size_; }

private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// Pieces of the format's syntax and escapes, so that texts meet them often.
const char* const kPieces[] = {
    "\\n",       "\r\n",    "\n",   "\r",     "\\",          "n",     "&amp;",  "&#92;",
    "&#65;",     "&lt;",    "\"",   "'",      "=",           "<",     ">",      "&",
    " ",         "type=",   "id=",  "value=", "name=\"x\" ", "desc=", "/>",     "<record ",
    "</record>", "<value ", "<!--", "-->",    "\t",          "\xE9",  "&#x41;", "]]>",
};

// Bytes a text may not hold, by the format's design: NUL ends a C text; and Ctrl-Z (0x1A) ends
// the data of a file read in text mode, as on Windows, so files cannot carry it.
bool allowed(uint8_t c, bool inFile) {
  return c != 0 && !(inFile && c == 0x1A);
}

std::string text(Input& in, bool inFile) {
  std::string out;
  const int pieces = in.byte() % 12;
  for (int i = 0; i < pieces; ++i) {
    const uint8_t pick = in.byte();
    if (pick < 2 * std::size(kPieces)) {
      out += kPieces[pick % std::size(kPieces)];
    } else {
      const uint8_t c = in.byte();
      out += static_cast<char>(allowed(c, inFile) ? c : 'x');
    }
  }
  return out;
}

// Children nest this deep at most and a table holds this many records in all, to keep runs short
// (the readers' own bound is far deeper).
constexpr int kMaxDepth = 6;
constexpr int kMaxRecords = 60;

void fillRecord(Input& in, qv::IQvUniRecord* record, int depth, int& records, bool inFile) {
  const uint8_t flags = in.byte();
  if ((flags & 1) != 0) {
    record->setId(text(in, inFile).c_str());
  }
  const int fields = (flags >> 1) % 5;
  for (int i = 0; i < fields; ++i) {
    // A value element without a name is skipped by the reader: names are never empty.
    // Appended rather than "n" + text(...): GCC 12 at -O3 takes that for an overlapping copy.
    std::string name = "n";
    name += text(in, inFile);
    const uint8_t kind = in.byte();
    const std::string value = text(in, inFile);
    const std::string type = text(in, inFile);
    record->setField(name.c_str(), (kind & 1) != 0 ? value.c_str() : nullptr, 0,
                     (kind & 2) != 0 ? type.c_str() : nullptr);
  }
  const int children = depth < kMaxDepth ? (flags >> 4) % 4 : 0;
  qv::IQvUniRecord* last = nullptr;
  for (int i = 0; i < children && records < kMaxRecords; ++i) {
    auto* child = new qv::QvUniRecord;
    ++records;
    if (last == nullptr) {
      record->setFirstChild(child);
    } else {
      last->setNext(child);
    }
    last = child;
    fillRecord(in, child, depth + 1, records, inFile);
  }
}

qv::IQvUniTable* makeTables(Input& in, bool inFile) {
  qv::IQvUniTable* first = nullptr;
  const int tables = in.byte() % 4;
  for (int t = 0; t < tables; ++t) {
    auto* table = new qv::QvUniTable;
    const uint8_t flags = in.byte();
    if ((flags & 1) != 0) {
      table->setId(text(in, inFile).c_str());
    }
    if ((flags & 2) != 0) {
      table->setType(text(in, inFile).c_str());
    }
    if ((flags & 4) != 0) {
      table->setDesc(text(in, inFile).c_str());
    }
    int records = 0;
    const int count = (flags >> 3) % 6;
    for (int i = 0; i < count && records < kMaxRecords; ++i) {
      auto* record = new qv::QvUniRecord;
      ++records;
      table->addRecord(record);
      fillRecord(in, record, 0, records, inFile);
    }
    if (first == nullptr) {
      first = table;
    } else {
      first->appendTable(table);
    }
  }
  return first;
}

// What a text reads back as: absent and empty come back alike where the format says so.
std::string orEmpty(const char* text) {
  return text != nullptr ? text : "";
}

bool sameText(const char* a, const char* b) {
  return orEmpty(a) == orEmpty(b);
}

// A record read back equals the one written: ids, fields in order (an absent value comes back
// empty, an empty type absent), children alike.
bool sameRecord(const qv::IQvUniRecord* a, const qv::IQvUniRecord* b) {
  if (a == nullptr || b == nullptr) {
    return a == b;
  }
  // An empty id comes back absent from a file and the XML form, present from the chunk form.
  if (!sameText(a->getId(), b->getId())) {
    return false;
  }
  const qv::IQvUniField* fa = a->firstField();
  const qv::IQvUniField* fb = b->firstField();
  for (; fa != nullptr && fb != nullptr; fa = fa->next(), fb = fb->next()) {
    const char* type =
        fa->getType() != nullptr && fa->getType()[0] != '\0' ? fa->getType() : nullptr;
    if (!sameText(fa->getName(), fb->getName()) || !sameText(fa->getValue(), fb->getValue()) ||
        fb->getValue() == nullptr || (type == nullptr) != (fb->getType() == nullptr) ||
        (type != nullptr && !sameText(type, fb->getType()))) {
      return false;
    }
  }
  if (fa != nullptr || fb != nullptr) {
    return false;
  }
  const qv::IQvUniRecord* ca = a->firstChild();
  const qv::IQvUniRecord* cb = b->firstChild();
  for (; ca != nullptr && cb != nullptr; ca = ca->next(), cb = cb->next()) {
    if (!sameRecord(ca, cb)) {
      return false;
    }
  }
  return ca == nullptr && cb == nullptr;
}

bool sameRecords(const qv::IQvUniRecord* a, const qv::IQvUniRecord* b) {
  for (; a != nullptr && b != nullptr; a = a->next(), b = b->next()) {
    if (!sameRecord(a, b)) {
      return false;
    }
  }
  return a == nullptr && b == nullptr;
}

// Tables come back with id, type and desc present (empty where absent) and their records.
bool sameTables(const qv::IQvUniTable* a, const qv::IQvUniTable* b) {
  for (; a != nullptr && b != nullptr; a = a->next(), b = b->next()) {
    if (b->getId() == nullptr || b->getType() == nullptr || b->getDesc() == nullptr ||
        !sameText(a->getId(), b->getId()) || !sameText(a->getType(), b->getType()) ||
        !sameText(a->getDesc(), b->getDesc()) || !sameRecords(a->firstRecord(), b->firstRecord())) {
      return false;
    }
  }
  return a == nullptr && b == nullptr;
}

void fileRoundTrip(const qv::IQvUniTable* tables) {
  // In memory where the machine offers it: replacing a file on disk waits for the disk, which
  // would slow every run down to the disk's pace.
  static const std::string path =
      std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
      "/qv-fuzz-table-round-trip-" + std::to_string(::getpid()) + ".xml";
  if (qv::writeTableFile(path.c_str(), tables) != 1) {
    std::abort();
  }
  qv::IQvUniTable* back = qv::readTableFile(path.c_str());
  if (!sameTables(tables, back)) {
    std::abort(); // the file did not give back what was written
  }
  if (back != nullptr) {
    back->releaseChain();
  }
}

// Every record of the tables written to one buffer in a form, then handed to a second buffer in
// pieces of pieceSize bytes, reading with consume whenever a piece came.
void bufferRoundTrip(const qv::IQvUniTable* tables, int chunkForm, uint32_t pieceSize) {
  qv::QvByteBuffer whole;
  for (const qv::IQvUniTable* table = tables; table != nullptr; table = table->next()) {
    for (const qv::IQvUniRecord* r = table->firstRecord(); r != nullptr; r = r->next()) {
      if (whole.writeRecord(r, chunkForm) != 1) {
        std::abort();
      }
    }
  }
  const char* bytes = whole.bufferText();
  const uint32_t length = whole.length();
  qv::QvByteBuffer arriving;
  uint32_t sent = 0;
  const qv::IQvUniTable* table = tables;
  const qv::IQvUniRecord* expected = nullptr;
  auto nextExpected = [&]() {
    expected = expected != nullptr ? expected->next() : nullptr;
    while (expected == nullptr && table != nullptr) {
      expected = table->firstRecord();
      table = table->next();
    }
  };
  nextExpected();
  for (;;) {
    qv::QvUniRecord record;
    const int status = arriving.length() > 0 ? arriving.readRecord(&record, 0, 1)
                                             : static_cast<int>(qv::kReadIncomplete);
    if (status == qv::kReadSkipped) {
      std::abort(); // nothing but whole records was written
    }
    if (status == qv::kReadLast || status == qv::kReadMore) {
      if (expected == nullptr || !sameRecord(expected, &record)) {
        std::abort(); // the buffer did not give back what was written
      }
      nextExpected();
    }
    if (status != qv::kReadMore) {
      if (sent == length) {
        break;
      }
      const uint32_t piece = pieceSize < length - sent ? pieceSize : length - sent;
      arriving.appendBytes(bytes + sent, piece);
      sent += piece;
    }
  }
  // The line end after the last record stays when it arrived after the record was read.
  const std::string left = arriving.length() > 0 ? arriving.bufferText() : "";
  if (expected != nullptr || left.find_first_not_of(" \r\n") != std::string::npos) {
    std::abort(); // records were lost, or bytes left unread
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    Input in(data, size);
    const uint8_t mode = in.byte();
    const bool inFile = (mode & 1) == 0;
    // 0 hands the buffer over whole; else pieces of 1 to about 8,000 bytes. Reading re-scans a
    // record at each piece, so tiny pieces are kept to some inputs.
    const uint8_t piece = in.byte();
    const uint32_t pieceSize = piece == 0 ? UINT32_MAX : 1 + piece * piece / 8u;
    qv::IQvUniTable* tables = makeTables(in, inFile);
    if (inFile) {
      fileRoundTrip(tables);
    } else {
      bufferRoundTrip(tables, (mode & 2) != 0 ? 1 : 0, pieceSize);
    }
    if (tables != nullptr) {
      tables->releaseChain();
    }
  }
  if (sim::openFiles() != 0 || sim::liveBlocks() != 0) {
    std::abort(); // a stream or a host block was left behind
  }
  return 0;
}

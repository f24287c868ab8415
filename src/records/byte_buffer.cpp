// QvByteBuffer: growth, the two record forms written and read, and consuming reads.
#include "records/byte_buffer.h"

#include <cstring>
#include <new>
#include <string>

#include "platform/acad/acutads.h"
#include "records/allocation_watch.h"
#include "records/internal/record_walk.h"
#include "records/record_element.h"
#include "records/tag_scanner.h"
#include "records/uni_record.h"
#include "text/xml_escape.h"

namespace qv {

namespace {

constexpr uint64_t kMaxSize = UINT32_MAX;
constexpr uint32_t kHeaderSize = 5;

// The length in a chunk header, little-endian whatever the machine.
uint32_t chunkLength(const unsigned char* header) {
  return static_cast<uint32_t>(header[1]) | static_cast<uint32_t>(header[2]) << 8 |
         static_cast<uint32_t>(header[3]) << 16 | static_cast<uint32_t>(header[4]) << 24;
}

struct ChunkText {
  const char* bytes = "";
  uint32_t length = 0;
};

// Reads the records of the chunk form. pos stands after a record's start chunk; reading goes on
// to that record's end chunk (1, pos after it) or the end of the data (0). A child nesting deeper
// than kMaxRecordDepth gives kRecordTooDeep, pos after the end chunk of the record the reading
// started with (0 when the data ends first).
class ChunkReader {
public:
  ChunkReader(const unsigned char* data, uint32_t length) : data_(data), length_(length) {}

  int readBody(IQvUniRecord* record, uint64_t& pos, int depth) {
    ChunkText name;
    ChunkText type;
    ChunkText value;
    IQvUniRecord* lastChild = nullptr;
    msString text;
    msString fieldValue;
    msString fieldType;
    ChunkText chunk;
    uint8_t tag = 0;
    while (nextChunk(pos, tag, chunk)) {
      switch (tag) {
      case kChunkRecordStart: {
        if (depth >= kMaxRecordDepth) {
          // Open are this record, its depth enclosing ones and the child just started.
          return skipRecords(pos, depth + 2) ? kRecordTooDeep : 0;
        }
        QvUniRecord* child = appendNewChild(record, lastChild);
        if (child == nullptr) {
          return 0;
        }
        pos = chunk.bytes - reinterpret_cast<const char*>(data_); // the child reads from there
        const int result = readBody(child, pos, depth + 1);
        if (result != 1) {
          return result;
        }
        break;
      }
      case kChunkRecordEnd:
        return 1;
      case kChunkRecordId:
        XmlUnescape(chunk.bytes, chunk.length, text);
        record->setId(text);
        break;
      case kChunkFieldName:
        name = chunk;
        type = ChunkText();
        value = ChunkText();
        break;
      case kChunkFieldType:
        type = chunk;
        break;
      case kChunkFieldValue:
        value = chunk;
        break;
      case kChunkFieldEnd:
        XmlUnescape(name.bytes, name.length, text);
        XmlUnescape(value.bytes, value.length, fieldValue);
        XmlUnescape(type.bytes, type.length, fieldType);
        record->setField(text, fieldValue, 0,
                         fieldType.IsEmpty() ? nullptr : static_cast<const char*>(fieldType));
        break;
      default:
        break;
      }
    }
    return 0;
  }

private:
  // Takes the chunk at pos and moves pos past it. False at the end of the data, or for a chunk
  // running past it (pos then at the end): not even an end chunk counts then.
  bool nextChunk(uint64_t& pos, uint8_t& tag, ChunkText& chunk) const {
    if (pos + kHeaderSize > length_) {
      return false;
    }
    const uint32_t size = chunkLength(data_ + pos);
    const uint64_t textAt = pos + kHeaderSize;
    // Compared as a remainder, so that no length can wrap the sum.
    if (size > length_ - textAt) {
      pos = length_;
      return false;
    }
    tag = data_[pos];
    chunk = ChunkText{reinterpret_cast<const char*>(data_ + textAt), size};
    pos = textAt + size;
    return true;
  }

  // Passes over chunks until open records have been closed. True when they were.
  bool skipRecords(uint64_t& pos, int open) const {
    uint8_t tag = 0;
    ChunkText chunk;
    while (open > 0 && nextChunk(pos, tag, chunk)) {
      if (tag == kChunkRecordStart) {
        ++open;
      } else if (tag == kChunkRecordEnd) {
        --open;
      }
    }
    return open == 0;
  }

  const unsigned char* data_;
  uint32_t length_;
};

bool appendEscaped(QvByteBuffer& buffer, const char* prefix, const char* text, const char* suffix) {
  msString escaped = text;
  return XmlEscape(escaped) != 0 && buffer.appendText(prefix) != 0 &&
         buffer.appendText(escaped) != 0 && buffer.appendText(suffix) != 0;
}

bool writeXml(QvByteBuffer& buffer, const IQvUniRecord* root) {
  bool ok = true;
  auto enter = [&](const IQvUniRecord* record) {
    ok = buffer.appendText("<record ") != 0 && ok;
    if (record->getId() != nullptr) {
      ok = appendEscaped(buffer, "id=\"", record->getId(), "\" ") && ok;
    }
    ok = buffer.appendText(">\n") != 0 && ok;
  };
  // The fields follow the children, then the end tag.
  auto leave = [&](const IQvUniRecord* record) {
    for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
      ok = appendEscaped(buffer, "<value name=\"",
                         field->getName() != nullptr ? field->getName() : "", "\" ") &&
           ok;
      if (field->getType() != nullptr) {
        ok = appendEscaped(buffer, "type=\"", field->getType(), "\" ") && ok;
      }
      if (field->getValue() != nullptr) {
        ok = appendEscaped(buffer, "value=\"", field->getValue(), "\" ") && ok;
      }
      ok = buffer.appendText("></value>\n") != 0 && ok;
    }
    ok = buffer.appendText("</record>\n") != 0 && ok;
  };
  walkRecordTree(root, enter, leave);
  return ok;
}

bool appendEscapedChunk(QvByteBuffer& buffer, const char* text, uint8_t tag) {
  msString escaped = text;
  return XmlEscape(escaped) != 0 && buffer.appendChunk(escaped, tag) != 0;
}

bool writeChunks(QvByteBuffer& buffer, const IQvUniRecord* root) {
  bool ok = true;
  auto enter = [&](const IQvUniRecord* record) {
    ok = buffer.appendTag(kChunkRecordStart) != 0 && ok;
    if (record->getId() != nullptr) {
      ok = appendEscapedChunk(buffer, record->getId(), kChunkRecordId) && ok;
    }
  };
  // The fields follow the children, then the end tag.
  auto leave = [&](const IQvUniRecord* record) {
    for (const IQvUniField* field = record->firstField(); field != nullptr; field = field->next()) {
      ok = appendEscapedChunk(buffer, field->getName() != nullptr ? field->getName() : "",
                              kChunkFieldName) &&
           ok;
      if (field->getType() != nullptr) {
        ok = appendEscapedChunk(buffer, field->getType(), kChunkFieldType) && ok;
      }
      if (field->getValue() != nullptr) {
        ok = appendEscapedChunk(buffer, field->getValue(), kChunkFieldValue) && ok;
      }
      ok = buffer.appendTag(kChunkFieldEnd) != 0 && ok;
    }
    ok = buffer.appendTag(kChunkRecordEnd) != 0 && ok;
  };
  walkRecordTree(root, enter, leave);
  return ok;
}

} // namespace

QvByteBuffer::~QvByteBuffer() {
  acad_free(data_);
}

bool QvByteBuffer::reserve(uint64_t needed) {
  // Consumed bytes before the contents count as used: dropFront keeps them fewer than the
  // contents, so growing never waits for them to be moved out; only at the size limit are they.
  if (start_ > 0 && needed + start_ > kMaxSize) {
    compact();
  }
  needed += start_;
  if (needed > kMaxSize) {
    return false;
  }
  if (data_ != nullptr && needed <= capacity_) {
    return true;
  }
  uint64_t size = needed * 3 / 2;
  if (size > kMaxSize) {
    size = kMaxSize;
  }
  auto* grown =
      static_cast<char*>(data_ == nullptr ? acad_malloc(size) : acad_realloc(data_, size));
  if (grown == nullptr) {
    return false;
  }
  // Only the new part is zeroed: the bytes after the contents are kept zero from here on.
  std::memset(grown + capacity_, 0, size - capacity_);
  data_ = grown;
  capacity_ = static_cast<uint32_t>(size);
  return true;
}

void QvByteBuffer::compact() {
  if (start_ == 0) {
    return;
  }
  std::memmove(data_, data_ + start_, length_);
  // What the move left behind is zeroed, the NUL after the contents among it.
  std::memset(data_ + length_, 0, start_);
  start_ = 0;
}

int QvByteBuffer::appendBytes(const void* bytes, uint32_t count) {
  if (bytes == nullptr && count > 0) {
    return 0;
  }
  if (!reserve(uint64_t{length_} + count + 1)) {
    return 0;
  }
  char* end = data_ + start_ + length_;
  if (count > 0) {
    std::memcpy(end, bytes, count);
  }
  length_ += count;
  end[count] = '\0';
  return 1;
}

int QvByteBuffer::appendText(const char* text) {
  if (text == nullptr) {
    return 1;
  }
  const size_t size = std::strlen(text);
  if (size > kMaxSize) {
    return 0;
  }
  return appendBytes(text, static_cast<uint32_t>(size));
}

int QvByteBuffer::appendChunk(const char* text, uint8_t tag) {
  if (text == nullptr) {
    return 1;
  }
  const size_t size = std::strlen(text);
  if (size > kMaxSize - kHeaderSize) {
    return 0;
  }
  const auto length = static_cast<uint32_t>(size);
  const unsigned char header[kHeaderSize] = {
      tag, static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
      static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 24)};
  // Room for both first, so that a failure leaves no header without its text.
  if (!reserve(uint64_t{length_} + kHeaderSize + length + 1)) {
    return 0;
  }
  return appendBytes(header, kHeaderSize) != 0 && appendBytes(text, length) != 0 ? 1 : 0;
}

int QvByteBuffer::appendTag(uint8_t tag) {
  const unsigned char header[kHeaderSize] = {tag, 0, 0, 0, 0};
  return appendBytes(header, kHeaderSize);
}

char* QvByteBuffer::bufferText() {
  if (data_ == nullptr) {
    return nullptr;
  }
  if (!reserve(uint64_t{length_} + 1)) {
    return nullptr;
  }
  char* text = data_ + start_;
  text[length_] = '\0';
  return text;
}

void QvByteBuffer::substring(uint32_t offset, uint32_t count, msString& out) {
  if (data_ == nullptr || uint64_t{offset} + count > length_) {
    out = "";
    return;
  }
  // The NUL after the contents stands in for the end of the last piece; otherwise one is put in
  // for the assignment and the byte put back.
  char* begin = data_ + start_ + offset;
  char* end = begin + count;
  const char saved = *end;
  *end = '\0';
  out = begin;
  *end = saved;
}

void QvByteBuffer::clearBuffer() {
  length_ = 0;
  start_ = 0;
  if (data_ != nullptr) {
    std::memset(data_, 0, capacity_);
  }
}

void QvByteBuffer::dropFront(uint32_t count) {
  start_ += count;
  length_ -= count;
  // The contents move to the front only once what was read is at least as long as what is left,
  // so that reading a buffer record by record moves each byte a bounded number of times.
  if (length_ == 0) {
    std::memset(data_, 0, start_);
    start_ = 0;
  } else if (start_ >= length_) {
    compact();
  }
}

void QvByteBuffer::dropBack(uint32_t count) {
  length_ -= count;
  std::memset(data_ + start_ + length_, 0, count);
}

int QvByteBuffer::writeRecord(const IQvUniRecord* record, int chunkForm) {
  if (record == nullptr) {
    return 0;
  }
  try {
    return (chunkForm != 0 ? writeChunks(*this, record) : writeXml(*this, record)) ? 1 : 0;
  } catch (const std::bad_alloc&) {
    return 0; // the walk's list of open records
  }
}

int QvByteBuffer::readRecord(IQvUniRecord* record, uint32_t offset, int consume) {
  if (record == nullptr || data_ == nullptr || length_ == 0) {
    return kReadIncomplete;
  }
  try {
    return static_cast<unsigned char>(data_[start_]) == kChunkRecordStart
               ? readChunkForm(record, offset, consume)
               : readXmlForm(record, consume);
  } catch (const std::bad_alloc&) {
    return kReadIncomplete; // the scanner's text; the buffer is cut only after a whole read
  }
}

int QvByteBuffer::readChunkForm(IQvUniRecord* record, uint32_t offset, int consume) {
  // A record that could not be filled whole, for want of memory, is not reported as read.
  const QvAllocationWatch watch;
  const auto* bytes = reinterpret_cast<const unsigned char*>(data_ + start_);
  ChunkReader reader(bytes, length_);
  uint64_t pos = offset;
  // The record's own start chunk is passed over like any chunk; a later start chunk is a child's.
  if (pos + kHeaderSize <= length_ && bytes[pos] == kChunkRecordStart) {
    pos += kHeaderSize + uint64_t{chunkLength(bytes + pos)};
  }
  const int result = reader.readBody(record, pos, 0);
  if (result == kRecordTooDeep) {
    // Refused whatever consume says, as leading junk is, so that no caller waits for more data.
    dropFront(static_cast<uint32_t>(pos));
    return kReadSkipped;
  }
  if (result != 1 || watch.failed()) {
    return kReadIncomplete;
  }
  const int status = pos < length_ ? kReadMore : kReadLast;
  if (consume != 0) {
    dropFront(static_cast<uint32_t>(pos));
  }
  return status;
}

int QvByteBuffer::readXmlForm(IQvUniRecord* record, int consume) {
  char* text = data_ + start_;
  const void* open = std::memchr(text, '<', length_);
  const void* close = std::memchr(text, '>', length_);
  if (open == nullptr || close == nullptr) {
    return kReadIncomplete;
  }
  if (close < open) {
    dropFront(static_cast<uint32_t>(static_cast<const char*>(open) - text));
    return kReadSkipped;
  }
  // Scanned in place: a record read costs its own length, not the buffer's.
  const QvAllocationWatch watch;
  QvScanBuffer scan;
  scan.borrow(text, length_);
  msString before;
  msString tag;
  if (nextTag(nullptr, before, tag, scan) == 0 || !tagNameIs(tag, "record")) {
    return kReadIncomplete;
  }
  const int result = parseRecordElement(nullptr, record, tag, scan);
  if (result == kRecordTooDeep) {
    // Refused whatever consume says, as leading junk is, so that no caller waits for more data.
    dropFront(static_cast<uint32_t>(scan.pos));
    return kReadSkipped;
  }
  if (result != 1 || watch.failed()) {
    return kReadIncomplete;
  }
  const size_t left = length_ - scan.pos;
  const int status = left > 1 ? kReadMore : kReadLast;
  if (consume != 0) {
    // What is left is trimmed: leading spaces; trailing spaces, CR and LF, but only after a
    // whole tag or when nothing else is left. Data arriving in parts may end inside a value,
    // whose spaces and line breaks must stay for when the rest comes.
    size_t begin = scan.pos;
    while (begin < length_ && text[begin] == ' ') {
      ++begin;
    }
    size_t end = length_;
    while (end > begin &&
           (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\n')) {
      --end;
    }
    if (end == begin || text[end - 1] == '>') {
      dropBack(static_cast<uint32_t>(length_ - end));
    }
    dropFront(static_cast<uint32_t>(begin));
  }
  return status;
}

} // namespace qv

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
// to that record's end chunk (true, pos after it) or the end of the data (false).
class ChunkReader {
public:
  ChunkReader(const unsigned char* data, uint32_t length) : data_(data), length_(length) {}

  bool readBody(IQvUniRecord* record, uint64_t& pos, int depth) {
    ChunkText name;
    ChunkText type;
    ChunkText value;
    IQvUniRecord* lastChild = nullptr;
    msString text;
    msString fieldValue;
    msString fieldType;
    while (pos + kHeaderSize <= length_) {
      const uint8_t tag = data_[pos];
      const uint32_t size = chunkLength(data_ + pos);
      const uint64_t textAt = pos + kHeaderSize;
      // Compared as a remainder, so that no length can wrap the sum. A chunk running past the
      // end ends the reading, whatever its tag: not even an end chunk counts then.
      if (size > length_ - textAt) {
        pos = length_;
        return false;
      }
      const ChunkText chunk{reinterpret_cast<const char*>(data_ + textAt), size};
      pos = textAt + size;
      switch (tag) {
      case kChunkRecordStart: {
        if (depth >= kMaxRecordDepth) {
          return false;
        }
        QvUniRecord* child = appendNewChild(record, lastChild);
        pos = textAt; // the start chunk has no bytes of its own; the child reads from there
        if (child == nullptr || !readBody(child, pos, depth + 1)) {
          return false;
        }
        break;
      }
      case kChunkRecordEnd:
        return true;
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
    return false;
  }

private:
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
  // Only the new part is zeroed: the bytes after length are kept zero from here on.
  std::memset(grown + capacity_, 0, size - capacity_);
  data_ = grown;
  capacity_ = static_cast<uint32_t>(size);
  return true;
}

int QvByteBuffer::appendBytes(const void* bytes, uint32_t count) {
  if (bytes == nullptr && count > 0) {
    return 0;
  }
  if (!reserve(uint64_t{length_} + count + 1)) {
    return 0;
  }
  if (count > 0) {
    std::memcpy(data_ + length_, bytes, count);
  }
  length_ += count;
  data_[length_] = '\0';
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
  data_[length_] = '\0';
  return data_;
}

void QvByteBuffer::substring(uint32_t offset, uint32_t count, msString& out) {
  if (data_ == nullptr || uint64_t{offset} + count > length_) {
    out = "";
    return;
  }
  // The NUL after length stands in for the end of the last piece; otherwise one is put in
  // for the assignment and the byte put back.
  char* end = data_ + offset + count;
  const char saved = *end;
  *end = '\0';
  out = data_ + offset;
  *end = saved;
}

void QvByteBuffer::clearBuffer() {
  length_ = 0;
  if (data_ != nullptr) {
    std::memset(data_, 0, capacity_);
  }
}

void QvByteBuffer::dropFront(uint32_t offset) {
  const uint32_t kept = length_ - offset;
  std::memmove(data_, data_ + offset, kept);
  std::memset(data_ + kept, 0, length_ - kept);
  length_ = kept;
  data_[length_] = '\0';
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
    return static_cast<unsigned char>(data_[0]) == kChunkRecordStart
               ? readChunkForm(record, offset, consume)
               : readXmlForm(record, consume);
  } catch (const std::bad_alloc&) {
    return kReadIncomplete; // the scanner's text; the buffer is cut only after a whole read
  }
}

int QvByteBuffer::readChunkForm(IQvUniRecord* record, uint32_t offset, int consume) {
  // A record that could not be filled whole, for want of memory, is not reported as read.
  const QvAllocationWatch watch;
  ChunkReader reader(reinterpret_cast<const unsigned char*>(data_), length_);
  uint64_t pos = offset;
  // The record's own start chunk is passed over like any chunk; a later start chunk is a child's.
  if (pos + kHeaderSize <= length_ && static_cast<unsigned char>(data_[pos]) == kChunkRecordStart) {
    pos += kHeaderSize + uint64_t{chunkLength(reinterpret_cast<unsigned char*>(data_) + pos)};
  }
  if (!reader.readBody(record, pos, 0) || watch.failed()) {
    return kReadIncomplete;
  }
  const int status = pos < length_ ? kReadMore : kReadLast;
  if (consume != 0) {
    dropFront(static_cast<uint32_t>(pos));
  }
  return status;
}

int QvByteBuffer::readXmlForm(IQvUniRecord* record, int consume) {
  const char* text = data_;
  const char* open = std::strchr(text, '<');
  const char* close = std::strchr(text, '>');
  if (open == nullptr || close == nullptr) {
    return kReadIncomplete;
  }
  if (close < open) {
    dropFront(static_cast<uint32_t>(open - text));
    return kReadSkipped;
  }
  const QvAllocationWatch watch;
  QvScanBuffer scan;
  scan.assign(text);
  msString before;
  msString tag;
  if (nextTag(nullptr, before, tag, scan) == 0 || !tagNameIs(tag, "record")) {
    return kReadIncomplete;
  }
  if (parseRecordElement(nullptr, record, tag, scan) == 0 || watch.failed()) {
    return kReadIncomplete;
  }
  const size_t left = scan.text.size() - scan.pos;
  const int status = left > 1 ? kReadMore : kReadLast;
  if (consume != 0) {
    std::string rest = scan.text.substr(scan.pos);
    size_t begin = 0;
    while (begin < rest.size() && rest[begin] == ' ') {
      ++begin;
    }
    size_t end = rest.size();
    while (end > begin &&
           (rest[end - 1] == ' ' || rest[end - 1] == '\r' || rest[end - 1] == '\n')) {
      --end;
    }
    const uint32_t oldLength = length_;
    std::memcpy(data_, rest.data() + begin, end - begin);
    length_ = static_cast<uint32_t>(end - begin);
    std::memset(data_ + length_, 0, oldLength - length_ + 1);
  }
  return status;
}

} // namespace qv

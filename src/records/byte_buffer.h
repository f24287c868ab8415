// QvByteBuffer: a growable byte buffer into which records are written one after another, in the
// XML record form or the compact chunk form, and from which they are read back one at a time.
#pragma once

#include <cstdint>

#include "records/uni_interfaces.h"
#include "text/ms_string.h"

namespace qv {

// Chunk tags of the chunk form: a 5-byte header (tag, then the text's length as 32-bit unsigned
// little-endian) followed by that many bytes of escaped text, without a NUL.
enum QvChunkTag : uint8_t {
  kChunkRecordStart = 1,
  kChunkRecordEnd = 2,
  kChunkFieldName = 3,
  kChunkFieldEnd = 4,
  kChunkRecordId = 5,
  kChunkFieldType = 6,
  kChunkFieldValue = 7,
};

// Results of readRecord.
enum QvReadStatus {
  kReadIncomplete = 0, // no complete record; append more data and try again
  kReadLast = 1,       // one record read, nothing (XML form: at most one character) follows
  kReadMore = 2,       // one record read, more data follows
  kReadSkipped = 3,    // text before the first tag, or a record nesting too deep, was dropped;
                       // call again
};

class QvByteBuffer {
public:
  QvByteBuffer() = default;
  QvByteBuffer(const QvByteBuffer&) = delete;
  QvByteBuffer& operator=(const QvByteBuffer&) = delete;
  virtual ~QvByteBuffer();

  // Appends count bytes, growing the allocation to half again what is needed. 1, or 0 with the
  // buffer unchanged when memory cannot be had or the length would pass 32 bits. While data is
  // allocated, the byte after length is 0.
  int appendBytes(const void* bytes, uint32_t count);
  // appendBytes of the text without its NUL; 1 for null.
  int appendText(const char* text);
  // A chunk: header (tag, the text's length) and the text's bytes. Nothing (1) for a null text.
  int appendChunk(const char* text, uint8_t tag);
  // A header with length 0.
  int appendTag(uint8_t tag);
  // The contents as text (NUL after length), or null when nothing was ever allocated or memory
  // for the NUL cannot be had.
  char* bufferText();
  // out = the count bytes from offset as text when they lie inside the contents, else the empty
  // text. (A NUL among them ends the text.)
  void substring(uint32_t offset, uint32_t count, msString& out);
  uint32_t length() const { return length_; }
  uint32_t capacity() const { return capacity_; }
  // length = 0 and every allocated byte zeroed; the allocation stays.
  void clearBuffer();

  // Appends one record with all its children: chunk form when chunkForm is non-zero, else XML
  // form. Texts are escaped as XML attribute values. 1, or 0 when memory ran out (what fitted
  // stays) or record is null.
  int writeRecord(const IQvUniRecord* record, int chunkForm);
  // Reads one record into record (normally new and empty); see QvReadStatus. The form is decided
  // by the first byte (1: chunk form, read from offset; else XML form, offset unused). With
  // consume non-zero and a status other than 0, the buffer is cut down to what follows the
  // record (XML form: trimmed). A chunk whose length runs past the end ends the read (status 0),
  // and so does running out of memory (the record may then hold part of what was read). A record
  // whose children nest deeper than kMaxRecordDepth is refused: once its end is in the buffer it
  // is dropped, with what stands before it, whatever consume says, and the status is 3 (record
  // keeps what was read before the deep part); until then the status is 0. Status 0 never changes
  // the buffer.
  int readRecord(IQvUniRecord* record, uint32_t offset, int consume);

private:
  // Makes room for at least needed bytes of contents (the NUL included) after the consumed ones.
  // False when it cannot.
  bool reserve(uint64_t needed);
  // Moves the contents to the front of the allocation.
  void compact();
  // Drops count bytes from the front of the contents: the contents start moves on, and the bytes
  // move only when what was dropped outweighs what is left.
  void dropFront(uint32_t count);
  // Drops count bytes from the end of the contents.
  void dropBack(uint32_t count);
  int readChunkForm(IQvUniRecord* record, uint32_t offset, int consume);
  int readXmlForm(IQvUniRecord* record, int consume);

  uint32_t capacity_ = 0;
  // Bytes of contents; they start start_ bytes into data_ (the bytes before are consumed ones).
  uint32_t length_ = 0;
  uint32_t start_ = 0;
  char* data_ = nullptr;
};

} // namespace qv

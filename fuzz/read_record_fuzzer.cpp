// Fuzzes QvByteBuffer::readRecord in both forms: records are read with consume until the buffer
// gives no more, and each one read is written back in both forms and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/sim.h"
#include "records/records.h"

namespace {

void roundTrip(const qv::IQvUniRecord* record) {
  for (int chunkForm = 0; chunkForm < 2; ++chunkForm) {
    qv::QvByteBuffer buffer;
    if (buffer.writeRecord(record, chunkForm) != 1) {
      std::abort();
    }
    qv::QvUniRecord back;
    const int status = buffer.readRecord(&back, 0, 1);
    if (status != qv::kReadLast) {
      std::abort(); // a record written whole reads back whole
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) {
    return 0;
  }
  {
    qv::QvByteBuffer buffer;
    if (buffer.appendBytes(data, static_cast<uint32_t>(size)) != 1) {
      return 0;
    }
    // Each call that does not give 0 or 1 shortens the buffer, so this ends; the bound is a guard.
    for (size_t calls = 0; calls <= size + 1; ++calls) {
      qv::QvUniRecord record;
      const int status = buffer.readRecord(&record, 0, 1);
      if (status == qv::kReadLast || status == qv::kReadMore) {
        roundTrip(&record);
      }
      if (status == qv::kReadIncomplete || status == qv::kReadLast) {
        break;
      }
    }
  }
  if (sim::liveBlocks() != 0) {
    std::abort();
  }
  return 0;
}

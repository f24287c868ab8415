// Fuzzes readTextTable and detectTextColumns: the first bytes choose the options (header, detect,
// preview, column positions, delimiter, skip), the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/sim.h"
#include "records/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) {
    return 0;
  }
  const uint8_t flags = data[0];
  const char delimiter = static_cast<char>(data[1]);
  const int skip = data[2] % 16;
  std::string rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  std::string positions;
  const bool usePositions = (flags & 8) != 0;
  if (usePositions) {
    const size_t end = rest.find('\n');
    positions = rest.substr(0, end);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  }
  static const std::string path = "/tmp/qv-fuzz-text-table-" + std::to_string(::getpid()) + ".txt";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << rest;

  positions.push_back('\0');
  qv::IQvUniRecord* table =
      qv::readTextTable(path.c_str(), delimiter, usePositions ? positions.data() : nullptr,
                        flags & 1, skip, (flags & 2) != 0, (flags & 4) != 0);
  if (table != nullptr) {
    table->releaseChain();
  }
  qv::IQvUniRecord* columns = qv::detectTextColumns(path.c_str());
  if (columns != nullptr) {
    columns->releaseChain();
  }
  if (sim::openFiles() != 0) {
    std::abort(); // a stream was left open
  }
  return 0;
}

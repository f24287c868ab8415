// Fuzzes readTableFile (the XML form and the legacy line form), and writeTableFile of what it
// read followed by a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/sim.h"
#include "records/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string stem = "/tmp/qv-fuzz-table-file-" + std::to_string(::getpid());
  static const std::string path = stem + ".xml";
  static const std::string copy = stem + "-copy.xml";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  qv::IQvUniTable* tables = qv::readTableFile(path.c_str());
  if (tables != nullptr) {
    if (qv::writeTableFile(copy.c_str(), tables) != 1) {
      std::abort();
    }
    qv::IQvUniTable* again = qv::readTableFile(copy.c_str());
    if (again == nullptr) {
      std::abort(); // what was written holds at least the tables read
    }
    again->releaseChain();
    tables->releaseChain();
  }
  if (sim::openFiles() != 0 || sim::liveBlocks() != 0) {
    std::abort(); // a stream or a host block was left behind
  }
  return 0;
}

// Fuzzes readNameValueFile, and writeNameValueFile of what it read followed by a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/sim.h"
#include "records/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string stem = "/tmp/qv-fuzz-name-value-" + std::to_string(::getpid());
  static const std::string path = stem + ".ini";
  static const std::string copy = stem + "-copy.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  qv::IQvUniRecord* first = qv::readNameValueFile(path.c_str(), -1);
  if (first != nullptr) {
    if (qv::writeNameValueFile(copy.c_str(), first, -1) != 1) {
      std::abort();
    }
    qv::IQvUniRecord* again = qv::readNameValueFile(copy.c_str(), -1);
    if (again != nullptr) {
      again->releaseChain();
    }
    first->releaseChain();
  }
  if (sim::openFiles() != 0) {
    std::abort(); // a stream was left open
  }
  return 0;
}

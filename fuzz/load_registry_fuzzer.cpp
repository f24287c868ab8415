// Fuzzes the stand-in's .reg reader, and its writer: what a file loads writes out as a file that
// loads without a problem and writes out the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/sim.h"

namespace {

std::string loadAndExport(const std::string& file, bool unicode, bool mustBeClean) {
  sim::reset();
  const sim::RegistryLoad loaded = sim::loadRegistry(file);
  if (mustBeClean && (!loaded.ok || !loaded.problems.empty())) {
    std::abort(); // the writer wrote what the reader cannot read
  }
  return sim::exportRegistry("", unicode);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  for (bool unicode : {true, false}) {
    const std::string first = loadAndExport(file, unicode, false);
    const std::string second = loadAndExport(first, unicode, true);
    // Bytes that are not UTF-16 settle into it on the first trip; from then on nothing changes.
    if (loadAndExport(second, unicode, true) != second) {
      std::abort();
    }
  }
  if (sim::openKeys() != 0) {
    std::abort();
  }
  return 0;
}

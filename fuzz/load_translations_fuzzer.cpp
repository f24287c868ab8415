// Fuzz target of LoadTranslations: any bytes as a translation file. Every entry must be freed by
// UnloadTranslations and the file closed; lookups of the lines read must not fault.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/sim.h"
#include "text/text.h"

namespace {

const std::string& inputPath() {
  static const std::string path = (std::filesystem::temp_directory_path() /
                                   ("qv_fuzz_translations_" + std::to_string(::getpid()) + ".txt"))
                                      .string();
  return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(inputPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const int64_t blocksBefore = sim::liveBlocks();
  qv::LoadTranslations(inputPath().c_str());
  // Look up each line of the input, with and without a marker.
  const std::string text(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  for (int lines = 0; start <= text.size() && lines < 64; ++lines) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    qv::Translate(line.c_str(), nullptr);
    qv::Translate(line.c_str(), "M");
    start = end + 1;
  }
  qv::UnloadTranslations();
  if (sim::liveBlocks() != blocksBefore || sim::openFiles() != 0 ||
      !sim::memoryProblems().empty()) {
    std::fprintf(stderr, "translation table leaked, left a file open or freed badly\n");
    __builtin_trap();
  }
  return 0;
}

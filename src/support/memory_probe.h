// A probe that reports the growth of committed memory over a named stretch of code on the
// host's command line.
#pragma once

#include <cstdint>

#include "platform/win/windows.h"
#include "support/probe_name.h"

namespace qv {

// Lives on the stack of the code it measures; its report prints, so it belongs on the main thread.
class MemoryProbe {
public:
  // Keeps the name (cut to kProbeNameSize - 1 bytes; null as empty) and takes the first
  // snapshot of the system's memory.
  explicit MemoryProbe(const char* name);
  // Takes the second snapshot and prints "Memory Loss in (<name>) is <bytes> bytes \n" on the
  // command line: the growth of committed memory between the snapshots, negative when it shrank.
  void report();

  const char* name() const { return name_; }

  // Committed memory (total page file less available page file) of second less that of first.
  static int64_t committedGrowth(const MEMORYSTATUS& first, const MEMORYSTATUS& second);

private:
  MEMORYSTATUS first_;
  MEMORYSTATUS second_;
  char name_[kProbeNameSize];
};

} // namespace qv

// The memory probe.
#include "support/memory_probe.h"

#include "platform/acad/acutads.h"

namespace qv {

namespace {

void snapshot(MEMORYSTATUS& status) {
  status = MEMORYSTATUS{};
  status.dwLength = sizeof(MEMORYSTATUS);
  GlobalMemoryStatus(&status);
}

int64_t committed(const MEMORYSTATUS& status) {
  return static_cast<int64_t>(status.dwTotalPageFile) -
         static_cast<int64_t>(status.dwAvailPageFile);
}

} // namespace

MemoryProbe::MemoryProbe(const char* name) : second_{} {
  copyProbeName(name_, name);
  snapshot(first_);
}

void MemoryProbe::report() {
  snapshot(second_);
  acutPrintf("Memory Loss in (%s) is %lld bytes \n", name_,
             static_cast<long long>(committedGrowth(first_, second_)));
}

int64_t MemoryProbe::committedGrowth(const MEMORYSTATUS& first, const MEMORYSTATUS& second) {
  return committed(second) - committed(first);
}

} // namespace qv

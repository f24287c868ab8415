// The timing probe.
#include "support/timing_probe.h"

#include <cstdio>

#include "platform/win/windows.h"

namespace qv {

TimingProbe::TimingProbe(const char* name) {
  copyProbeName(name_, name);
  timeOfDay(start_);
}

void TimingProbe::report() {
  timeOfDay(end_);
  const double seconds = hundredthsBetween(start_, end_) / 100;
  char line[kProbeNameSize + 64];
  std::snprintf(line, sizeof line, "Time spent in (%s) is %f seconds \n", name_, seconds);
  OutputDebugStringA(line);
}

} // namespace qv

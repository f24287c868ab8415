// A probe that reports the wall-clock time spent in a named stretch of code to the debugger
// output.
#pragma once

#include "support/probe_name.h"
#include "support/time_of_day.h"

namespace qv {

// Lives on the stack of the code it measures; any thread may use its own.
class TimingProbe {
public:
  // Keeps the name (cut to kProbeNameSize - 1 bytes; null as empty) and records the start.
  explicit TimingProbe(const char* name);
  // Records the end and writes "Time spent in (<name>) is <seconds> seconds \n" to the debugger
  // output, seconds printed with "%f". A stretch across midnight counts right; one of a day or
  // more cannot be told apart from its remainder.
  void report();

  const char* name() const { return name_; }
  const TimeOfDay& start() const { return start_; }
  const TimeOfDay& end() const { return end_; }

private:
  TimeOfDay start_;
  TimeOfDay end_;
  char name_[kProbeNameSize];
};

} // namespace qv

// The timing probe: its line on the debugger output, byte for byte, and nothing on the command
// line.
#include "support/timing_probe.h"

#include <cstdio>
#include <regex>
#include <string>

#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class TimingProbeTest : public qvtest::HostTest {};

std::string expectedLine(const qv::TimingProbe& probe) {
  char line[256];
  std::snprintf(line, sizeof line, "Time spent in (%s) is %f seconds \n", probe.name(),
                qv::hundredthsBetween(probe.start(), probe.end()) / 100);
  return line;
}

TEST_F(TimingProbeTest, ReportsTheSecondsOnTheDebuggerOutputOnly) {
  qv::TimingProbe probe("triangulate");
  probe.report();
  const std::string line = sim::takeDebugOutput();
  EXPECT_EQ(line, expectedLine(probe));
  EXPECT_TRUE(std::regex_match(
      line, std::regex(R"(Time spent in \(triangulate\) is \d+\.\d{6} seconds \n)")))
      << line;
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(TimingProbeTest, LongNamesAreCutAndNullNamesEmpty) {
  const std::string longName(300, 'n');
  qv::TimingProbe cut(longName.c_str());
  EXPECT_EQ(std::string(cut.name()), std::string(qv::kProbeNameSize - 1, 'n'));
  cut.report();
  EXPECT_EQ(sim::takeDebugOutput(), expectedLine(cut));
  qv::TimingProbe unnamed(nullptr);
  unnamed.report();
  EXPECT_EQ(sim::takeDebugOutput().rfind("Time spent in () is ", 0), 0u);
}

} // namespace

// The timing probe: its line on the debugger output, byte for byte, and nothing on the command
// line.
#include "support/timing_probe.h"

#include <chrono>
#include <regex>
#include <string>
#include <thread>

#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class TimingProbeTest : public qvtest::HostTest {};

bool sameTime(const qv::TimeOfDay& a, const qv::TimeOfDay& b) {
  return a.hour == b.hour && a.minute == b.minute && a.second == b.second &&
         a.hundredths == b.hundredths;
}

// The line of a probe reported within the clock's resolution of its start, so that the seconds
// are known: the clock reads to the millisecond, and a few tries find such a stretch.
std::string reportedAtOnce(const char* name) {
  for (int attempt = 0; attempt < 10000; ++attempt) {
    qv::TimingProbe probe(name);
    probe.report();
    std::string line = sim::takeDebugOutput();
    if (sameTime(probe.start(), probe.end())) {
      return line;
    }
  }
  return "<the clock moved in every try>";
}

TEST_F(TimingProbeTest, ReportsTheSecondsOnTheDebuggerOutputOnly) {
  EXPECT_EQ(reportedAtOnce("triangulate"), "Time spent in (triangulate) is 0.000000 seconds \n");
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(TimingProbeTest, LongNamesAreCutAndNullNamesEmpty) {
  const std::string longName(300, 'n');
  EXPECT_EQ(reportedAtOnce(longName.c_str()),
            "Time spent in (" + std::string(79, 'n') + ") is 0.000000 seconds \n");
  EXPECT_EQ(reportedAtOnce(nullptr), "Time spent in () is 0.000000 seconds \n");
}

TEST_F(TimingProbeTest, ALongerStretchPrintsItsSeconds) {
  qv::TimingProbe probe("wait");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  probe.report();
  const std::string line = sim::takeDebugOutput();
  std::smatch seconds;
  ASSERT_TRUE(std::regex_match(line, seconds,
                               std::regex(R"(Time spent in \(wait\) is (\d+\.\d{6}) seconds \n)")))
      << line;
  EXPECT_GE(std::stod(seconds[1]), 0.1);
  EXPECT_LT(std::stod(seconds[1]), 0.9); // seconds, not tenths or hundredths
}

} // namespace

// The probes: the time of day in universal time and the hundredths between two times, the timing
// probe's line on the debugger output and the memory probe's on the command line, byte for byte.
#include <chrono>
#include <cmath>
#include <regex>
#include <string>
#include <thread>

#include "platform/sim.h"
#include "support/memory_probe.h"
#include "support/time_of_day.h"
#include "support/timing_probe.h"
#include "testing/host_test.h"

namespace {

class ProbesTest : public qvtest::HostTest {};

TEST_F(ProbesTest, TimeOfDayInUniversalTimeAndTheHundredthsBetweenTwo) {
  EXPECT_DOUBLE_EQ(qv::hundredthsBetween(59, 23, 59, 50.0, 0, 0, 0, 25.0), 75.0);
  EXPECT_DOUBLE_EQ(qv::hundredthsBetween(30, 12, 15, 42.5, 30, 12, 15, 42.5), 0.0);
  // 10:00:00.00 to 10:01:30.50; a swap of minute and hour would give hours, not 90.5 s.
  EXPECT_DOUBLE_EQ(qv::hundredthsBetween(0, 10, 0, 0.0, 1, 10, 30, 50.0), 9050.0);
  EXPECT_DOUBLE_EQ(qv::hundredthsBetween(qv::TimeOfDay{59, 23, 59, 50.0}, {0, 0, 0, 25.0}), 75.0);
  using namespace std::chrono;
  const auto before = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  qv::TimeOfDay now;
  qv::timeOfDay(now);
  EXPECT_TRUE(now.hour >= 0 && now.hour < 24 && now.minute >= 0 && now.minute < 60 &&
              now.second >= 0 && now.second < 60);
  EXPECT_GE(now.hundredths, 0.0);
  EXPECT_LT(now.hundredths, 100.0);
  // Whole milliseconds: tenths of a hundredth, up to the rounding of a division by 10 (61.8 * 10
  // is 617.999..., so a floor would call it 61.7).
  EXPECT_NEAR(now.hundredths * 10, std::round(now.hundredths * 10), 1e-6);
  const long long dayMs = before % 86400000;
  qv::TimeOfDay then{static_cast<int32_t>(dayMs / 60000 % 60),
                     static_cast<int32_t>(dayMs / 3600000), static_cast<int32_t>(dayMs / 1000 % 60),
                     (dayMs % 1000) / 10.0};
  // The read came after `before`, within a few seconds even on a loaded machine.
  EXPECT_LT(qv::hundredthsBetween(then, now), 500.0);
}

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

TEST_F(ProbesTest, TimingReportsTheSecondsOnTheDebuggerOutputOnlyWithLongNamesCut) {
  EXPECT_EQ(reportedAtOnce("triangulate"), "Time spent in (triangulate) is 0.000000 seconds \n");
  EXPECT_EQ(sim::commandLine(), "");
  const std::string longName(300, 'n');
  EXPECT_EQ(reportedAtOnce(longName.c_str()),
            "Time spent in (" + std::string(79, 'n') + ") is 0.000000 seconds \n");
  EXPECT_EQ(reportedAtOnce(nullptr), "Time spent in () is 0.000000 seconds \n");
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

MEMORYSTATUS withPageFile(SIZE_T total, SIZE_T available) {
  MEMORYSTATUS status{};
  status.dwTotalPageFile = total;
  status.dwAvailPageFile = available;
  return status;
}

TEST_F(ProbesTest, MemoryReportsItsSignedGrowthOnTheCommandLineOnly) {
  qv::MemoryProbe probe("load points");
  std::string grown(1 << 20, 'x');
  probe.report();
  const std::string line = sim::takeCommandLine();
  EXPECT_TRUE(
      std::regex_match(line, std::regex(R"(Memory Loss in \(load points\) is -?\d+ bytes \n)")))
      << line;
  EXPECT_EQ(sim::debugOutput(), "");

  qv::MemoryProbe longProbe(std::string(200, 'm').c_str());
  longProbe.report();
  const std::string cut = sim::takeCommandLine();
  EXPECT_NE(cut.find("(" + std::string(qv::kProbeNameSize - 1, 'm') + ")"), std::string::npos);
  EXPECT_EQ(cut.substr(cut.size() - 8), " bytes \n"); // whole line, not cut by the host

  // committed = total page file - available page file
  EXPECT_EQ(qv::MemoryProbe::committedGrowth(withPageFile(8000, 5000), withPageFile(8000, 4000)),
            1000);
  EXPECT_EQ(qv::MemoryProbe::committedGrowth(withPageFile(8000, 4000), withPageFile(8000, 5000)),
            -1000);
  // A larger commit limit with the same committed memory is no growth.
  EXPECT_EQ(qv::MemoryProbe::committedGrowth(withPageFile(8000, 4000), withPageFile(9000, 5000)),
            0);
  const SIZE_T big = SIZE_T{6} << 30; // beyond 32 bits, as on a large machine
  EXPECT_EQ(qv::MemoryProbe::committedGrowth(withPageFile(big, big), withPageFile(big, 0)),
            static_cast<int64_t>(big));
}

} // namespace

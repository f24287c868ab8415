// The memory probe: its line on the command line, and the signed growth of committed memory.
#include "support/memory_probe.h"

#include <regex>
#include <string>

#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class MemoryProbeTest : public qvtest::HostTest {};

TEST_F(MemoryProbeTest, ReportsOnTheCommandLineOnlyWithLongNamesCut) {
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
}

MEMORYSTATUS withPageFile(SIZE_T total, SIZE_T available) {
  MEMORYSTATUS status{};
  status.dwTotalPageFile = total;
  status.dwAvailPageFile = available;
  return status;
}

TEST_F(MemoryProbeTest, GrowthIsSignedAndCountsCommittedMemory) {
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

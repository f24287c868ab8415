// GlobalMemoryStatus and _ftime answer from the running system.
#include <chrono>
#include <fstream>
#include <string>

#include <gtest/gtest-spi.h>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"

namespace {

class SystemInfoTest : public qvtest::HostTest {};

// The /proc/meminfo line of that name, in bytes, down to whole pages as Windows counts them.
uint64_t meminfoPages(const std::string& name) {
  std::ifstream file("/proc/meminfo");
  std::string key;
  uint64_t kilobytes = 0;
  std::string unit;
  while (file >> key >> kilobytes >> unit) {
    if (key == name + ":") {
      return kilobytes * 1024 / 4096 * 4096;
    }
  }
  return 0;
}

TEST_F(SystemInfoTest, MemoryStatusComesFromTheRunningSystem) {
  MEMORYSTATUS status{};
  GlobalMemoryStatus(&status);
  EXPECT_EQ(status.dwLength, sizeof(MEMORYSTATUS));
  // Windows answers from its own counts; Wine from the same /proc/meminfo, with one physical
  // page fewer (it numbers them from 1) and a commit limit one page higher.
  if (!sim::windowsAnswers() || sim::runsOnWine()) {
    const double page = sim::runsOnWine() ? 4096 : 0;
    const auto memory = static_cast<double>(meminfoPages("MemTotal"));
    EXPECT_NEAR(static_cast<double>(status.dwTotalPhys), memory, page);
    EXPECT_NEAR(static_cast<double>(status.dwTotalPageFile),
                memory + static_cast<double>(meminfoPages("SwapTotal")), page);
  }
  EXPECT_GT(status.dwTotalPhys, 0u);
  EXPECT_LE(status.dwAvailPhys, status.dwTotalPhys);
  EXPECT_LE(status.dwAvailPageFile, status.dwTotalPageFile);
  EXPECT_LE(status.dwMemoryLoad, 100u);
  EXPECT_GT(status.dwAvailVirtual, 0u);
  EXPECT_LT(status.dwAvailVirtual, status.dwTotalVirtual);
  if (!sim::windowsAnswers()) {
    EXPECT_NONFATAL_FAILURE(GlobalMemoryStatus(nullptr), "no buffer to fill");
  }
}

TEST_F(SystemInfoTest, FtimeReadsTheSystemClock) {
  using namespace std::chrono;
  const auto before = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  struct _timeb now {};
  _ftime(&now);
  const auto after = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  const long long read = static_cast<long long>(now.time) * 1000 + now.millitm;
  EXPECT_GE(read, before);
  EXPECT_LE(read, after);
  EXPECT_LT(now.millitm, 1000);
}

} // namespace

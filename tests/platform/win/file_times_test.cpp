// File times to calendar time and back, and ExpandEnvironmentStringsA.
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "testing/test_environment.h"

namespace {

using FileTimesTest = qvtest::HostTest;

TEST_F(FileTimesTest, CalendarTimesRoundTripThroughFileTimes) {
  const SYSTEMTIME cases[] = {
      {1601, 1, 1, 1, 0, 0, 0, 0},         {2005, 11, 1, 21, 15, 30, 0, 0},
      {2000, 2, 2, 29, 23, 59, 59, 999},   {1970, 1, 4, 1, 0, 0, 0, 0},
      {30827, 12, 5, 31, 23, 59, 59, 999},
  };
  for (const SYSTEMTIME& time : cases) {
    SCOPED_TRACE(time.wYear);
    FILETIME file{};
    ASSERT_TRUE(SystemTimeToFileTime(&time, &file));
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
    EXPECT_EQ(std::memcmp(&back, &time, sizeof time), 0) << back.wYear << "-" << back.wMonth;
  }
  FILETIME epoch{};
  SYSTEMTIME unix = {1970, 1, 0, 1, 0, 0, 0, 0};
  ASSERT_TRUE(SystemTimeToFileTime(&unix, &epoch));
  EXPECT_EQ((uint64_t(epoch.dwHighDateTime) << 32) | epoch.dwLowDateTime, 116444736000000000ull);
  const SYSTEMTIME bad[] = {
      {2001, 2, 0, 29, 0, 0, 0, 0}, {1600, 12, 0, 31, 0, 0, 0, 0}, {2001, 13, 0, 1, 0, 0, 0, 0}};
  for (const SYSTEMTIME& time : bad) {
    // Wine's check of the day gives February 29 days in every year.
    if (!(sim::runsOnWine() && time.wMonth == 2)) {
      EXPECT_FALSE(SystemTimeToFileTime(&time, &epoch)) << time.wYear << "-" << time.wMonth;
    }
  }
  const FILETIME beyond{0, 0x80000000u};
  SYSTEMTIME out{};
  EXPECT_FALSE(FileTimeToSystemTime(&beyond, &out));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(FileTimesTest, ExpandsVariablesWithoutRegardToCase) {
  qvtest::setEnvironment("QV_EXPAND_TEST", "C:\\Tools");
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"%qv_expand_test%\\run.exe \"%1\"", "C:\\Tools\\run.exe \"%1\""},
      {"%QV_NOT_SET%x%QV_EXPAND_TEST%", "%QV_NOT_SET%xC:\\Tools"},
      {"100%", "100%"},
      {"%%", "%%"},
      {"", ""},
  };
  for (const Case& c : cases) {
    char out[64] = "unchanged";
    EXPECT_EQ(ExpandEnvironmentStringsA(c.in, out, sizeof out), std::string(c.out).size() + 1);
    EXPECT_STREQ(out, c.out);
  }
  char tiny[4] = "abc";
  EXPECT_EQ(ExpandEnvironmentStringsA("%QV_EXPAND_TEST%", tiny, sizeof tiny), 9u);
  EXPECT_EQ(ExpandEnvironmentStringsA("x", nullptr, 0), 2u);
  qvtest::setEnvironment("QV_EXPAND_TEST", nullptr);
  QV_SKIP_UNLESS_FAILABLE("ExpandEnvironmentStringsA");
  sim::failCall("ExpandEnvironmentStringsA");
  EXPECT_EQ(ExpandEnvironmentStringsA("x", tiny, sizeof tiny), 0u);
}

} // namespace

// The debugger output: kept for tests, and echoed to standard error when asked.
#include <cstdlib>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"

namespace {

class DebugOutputTest : public qvtest::HostTest {
protected:
  void TearDown() override {
    unsetenv("QV_DEBUG_OUTPUT");
    qvtest::HostTest::TearDown();
  }
};

TEST_F(DebugOutputTest, KeepsTheTextsInOrderUntilTaken) {
  OutputDebugStringA("first ");
  OutputDebugStringA(nullptr);
  OutputDebugStringA("second\n");
  EXPECT_EQ(sim::debugOutput(), "first second\n");
  EXPECT_EQ(sim::takeDebugOutput(), "first second\n");
  EXPECT_EQ(sim::debugOutput(), "");
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(DebugOutputTest, GoesToStandardErrorOnlyWhenAsked) {
  testing::internal::CaptureStderr();
  OutputDebugStringA("quiet");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  setenv("QV_DEBUG_OUTPUT", "stderr", 1);
  testing::internal::CaptureStderr();
  OutputDebugStringA("loud");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "loud");
  EXPECT_EQ(sim::debugOutput(), "quietloud");
}

} // namespace

// The debugger output: kept for tests, and echoed to standard error when asked.
#include <cstdlib>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"
#include "testing/test_environment.h"

namespace {

class DebugOutputTest : public qvtest::HostTest {
protected:
  void TearDown() override {
    qvtest::setEnvironment("QV_DEBUG_OUTPUT", nullptr);
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
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the echo to standard error is the stand-in's");
  testing::internal::CaptureStderr();
  OutputDebugStringA("quiet");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  qvtest::setEnvironment("QV_DEBUG_OUTPUT", "stderr");
  testing::internal::CaptureStderr();
  OutputDebugStringA("loud");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "loud");
  EXPECT_EQ(sim::debugOutput(), "quietloud");
}

} // namespace

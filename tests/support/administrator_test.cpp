// The Administrators-group test: its answer from the token, and 0 whenever the system does not
// tell.
#include "support/administrator.h"

#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class AdministratorTest : public qvtest::HostTest {};

TEST_F(AdministratorTest, AnswersFromTheProcessTokenAndGrantsNothingWithoutAnAnswer) {
  // A chosen answer (sim::setAdministrator) and failed token calls are the stand-in's alone.
  QV_SKIP_UNLESS_FAILABLE("OpenProcessToken");
  sim::setAdministrator(true);
  EXPECT_EQ(qv::isAdministrator(), 1);
  EXPECT_EQ(sim::callCount("OpenThreadToken"), 1);
  EXPECT_EQ(sim::callCount("OpenProcessToken"), 1);
  sim::setAdministrator(false);
  EXPECT_EQ(qv::isAdministrator(), 0);
  EXPECT_EQ(sim::liveHandles(), 0); // the token was closed
  sim::setAdministrator(true);
  for (const char* call : {"OpenProcessToken", "GetTokenInformation", "AllocateAndInitializeSid"}) {
    sim::failCall(call);
    EXPECT_EQ(qv::isAdministrator(), 0) << call << " failed";
    EXPECT_EQ(sim::liveHandles(), 0) << call << " failed";
  }
  EXPECT_EQ(qv::isAdministrator(), 1);
}

} // namespace

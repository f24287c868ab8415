// The exceptions thrown as pointers by the thread and lock classes, and their release.
#include "support/exception.h"

#include "testing/host_test.h"

namespace {

class ExceptionTest : public qvtest::HostTest {};

// A SyncException's name, code, message and release through the base are checked where the lock
// classes throw one (sync_probe.h).
TEST_F(ExceptionTest, NullTextsReadAsEmptyAndReleasingNullDoesNothing) {
  auto* plain = new qv::Exception(nullptr, -1, nullptr);
  EXPECT_EQ(plain->name(), "");
  EXPECT_EQ(plain->message(), "");
  EXPECT_EQ(plain->code(), -1);
  qv::Exception::release(plain);
  qv::Exception::release(nullptr);
}

} // namespace

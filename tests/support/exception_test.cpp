// The exceptions thrown as pointers by the thread and lock classes, and their release.
#include "support/exception.h"

#include "testing/host_test.h"

namespace {

class ExceptionTest : public qvtest::HostTest {};

TEST_F(ExceptionTest, CarriesNameCodeAndMessageAndIsFreedByRelease) {
  try {
    throw new qv::SyncException(7, "Cannot do it");
  } catch (qv::Exception* caught) {
    EXPECT_EQ(caught->name(), "SyncException");
    EXPECT_EQ(caught->code(), 7);
    EXPECT_EQ(caught->message(), "Cannot do it");
    caught->release(); // through the base: the sanitizers see a leak or a bad delete otherwise
  }
}

TEST_F(ExceptionTest, NullTextsReadAsEmptyAndReleasingNullDoesNothing) {
  auto* plain = new qv::Exception(nullptr, -1, nullptr);
  EXPECT_EQ(plain->name(), "");
  EXPECT_EQ(plain->message(), "");
  qv::Exception::release(plain);
  qv::Exception::release(nullptr);
}

} // namespace

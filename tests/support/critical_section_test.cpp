// The critical-section lock: recursion for its owner, tryLock against other threads, and the
// exception when the system cannot make the section.
#include "support/critical_section.h"

#include <type_traits>

#include "platform/sim.h"
#include "sync_probe.h"
#include "testing/host_test.h"

namespace {

using qvtest::otherThreadGets;

class CriticalSectionTest : public qvtest::HostTest {};

static_assert(!std::is_copy_constructible_v<qv::CriticalSection>);
static_assert(!std::is_copy_assignable_v<qv::CriticalSection>);

TEST_F(CriticalSectionTest, OwnerReentersAndOthersWaitUntilEveryLockIsUndone) {
  qv::CriticalSection section;
  EXPECT_TRUE(otherThreadGets(section));
  section.lock();
  section.lock();
  EXPECT_TRUE(section.tryLock()); // the owner gets it again at once
  EXPECT_FALSE(otherThreadGets(section));
  section.unlock();
  section.unlock();
  EXPECT_FALSE(otherThreadGets(section));
  section.unlock();
  EXPECT_TRUE(otherThreadGets(section));

  qv::CriticalSection lockedNow(true);
  EXPECT_FALSE(otherThreadGets(lockedNow));
  lockedNow.unlock();
  EXPECT_TRUE(otherThreadGets(lockedNow));
}

TEST_F(CriticalSectionTest, ThrowsSyncExceptionPointerWhenTheSystemRefuses) {
  sim::failCall("InitializeCriticalSectionAndSpinCount");
  qvtest::expectSyncException([] { qv::CriticalSection section; },
                              "Cannot create critical section");
  qv::CriticalSection next; // the failure was for one call only
  EXPECT_TRUE(otherThreadGets(next));
}

} // namespace

// The critical-section lock: recursion for its owner, tryLock against other threads, and the
// exception when the system cannot make the section.
#include "support/critical_section.h"

#include <thread>
#include <type_traits>

#include "platform/sim.h"
#include "support/exception.h"
#include "testing/host_test.h"

namespace {

class CriticalSectionTest : public qvtest::HostTest {};

static_assert(!std::is_copy_constructible_v<qv::CriticalSection>);
static_assert(!std::is_copy_assignable_v<qv::CriticalSection>);

bool otherThreadGetsIt(qv::CriticalSection& section) {
  bool got = false;
  std::thread other([&] {
    got = section.tryLock();
    if (got) {
      section.unlock();
    }
  });
  other.join();
  return got;
}

TEST_F(CriticalSectionTest, OwnerReentersAndOthersWaitUntilEveryLockIsUndone) {
  qv::CriticalSection section;
  EXPECT_TRUE(otherThreadGetsIt(section));
  section.lock();
  section.lock();
  EXPECT_TRUE(section.tryLock()); // the owner gets it again at once
  EXPECT_FALSE(otherThreadGetsIt(section));
  section.unlock();
  section.unlock();
  EXPECT_FALSE(otherThreadGetsIt(section));
  section.unlock();
  EXPECT_TRUE(otherThreadGetsIt(section));
}

TEST_F(CriticalSectionTest, LockNowHoldsTheSectionFromTheStart) {
  qv::CriticalSection section(true);
  EXPECT_FALSE(otherThreadGetsIt(section));
  section.unlock();
  EXPECT_TRUE(otherThreadGetsIt(section));
}

TEST_F(CriticalSectionTest, ThrowsSyncExceptionPointerWhenTheSystemRefuses) {
  sim::failCall("InitializeCriticalSectionAndSpinCount");
  qv::Exception* caught = nullptr;
  try {
    qv::CriticalSection section;
  } catch (qv::Exception* thrown) {
    caught = thrown;
  }
  ASSERT_NE(caught, nullptr);
  EXPECT_EQ(caught->name(), "SyncException");
  EXPECT_EQ(caught->code(), 1);
  EXPECT_EQ(caught->message(), "Cannot create critical section");
  caught->release();
  qv::CriticalSection next; // the failure was for one call only
  EXPECT_TRUE(next.tryLock());
  next.unlock();
}

} // namespace

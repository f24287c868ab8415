// The condition on an auto-reset event and its paired critical section: hand-over between
// threads, a set kept for the next wait, and the lock held again after every wait.
#include "support/event.h"

#include <deque>
#include <thread>
#include <type_traits>
#include <vector>

#include "platform/sim.h"
#include "support/single_lock.h"
#include "sync_probe.h"
#include "testing/host_test.h"

namespace {

class EventTest : public qvtest::HostTest {};

static_assert(!std::is_copy_constructible_v<qv::Event>);
static_assert(!std::is_copy_assignable_v<qv::Event>);

// The producer needs the section for every item while the consumer sits in wait, so this also
// hangs if wait does not let the lock go.
TEST_F(EventTest, ProducerHandsEveryItemToConsumerOnce) {
  constexpr int kItems = 100000;
  constexpr int kEnd = -1;
  qv::CriticalSection section;
  qv::Event ready(section);
  std::deque<int> queue;
  std::vector<int> received;
  std::thread consumer([&] {
    qv::SingleLock guard(&section, true);
    for (;;) {
      while (queue.empty()) {
        ready.wait(INFINITE);
      }
      const int item = queue.front();
      queue.pop_front();
      if (item == kEnd) {
        return;
      }
      received.push_back(item);
    }
  });
  for (int i = 0; i <= kItems; ++i) {
    qv::SingleLock guard(&section, true);
    queue.push_back(i == kItems ? kEnd : i);
    ready.set();
  }
  consumer.join();
  ASSERT_EQ(received.size(), static_cast<size_t>(kItems));
  for (int i = 0; i < kItems; ++i) {
    ASSERT_EQ(received[static_cast<size_t>(i)], i) << "item lost or doubled";
  }
}

TEST_F(EventTest, SetWithNoWaiterIsTakenByTheNextWaitOnly) {
  qv::CriticalSection section;
  qv::Event event(section);
  EXPECT_TRUE(event.set());
  qv::SingleLock guard(&section, true);
  EXPECT_EQ(event.wait(0), WAIT_OBJECT_0);
  EXPECT_EQ(event.wait(0), WAIT_TIMEOUT); // auto-reset: the first wait used it up
  EXPECT_TRUE(event.set());
  EXPECT_TRUE(event.reset());
  EXPECT_EQ(event.wait(0), WAIT_TIMEOUT);
}

TEST_F(EventTest, TimedOutOrFailedWaitReturnsHoldingTheLock) {
  qv::CriticalSection section;
  qv::Event event(section);
  qv::SingleLock guard(&section, true);
  EXPECT_EQ(event.wait(0), WAIT_TIMEOUT);
  EXPECT_FALSE(qvtest::otherThreadGets(section));
  sim::failCall("WaitForSingleObject");
  EXPECT_EQ(event.wait(INFINITE), WAIT_FAILED);
  EXPECT_FALSE(qvtest::otherThreadGets(section));
}

TEST_F(EventTest, ThrowsWhenTheSystemCannotMakeTheEventAndClosesItOtherwise) {
  qv::CriticalSection section;
  sim::failCall("CreateEventA");
  qvtest::expectSyncException([&] { qv::Event event(section); }, "Cannot create condition");
  {
    qv::Event event(section);
    EXPECT_EQ(sim::liveHandles(), 1);
  }
  EXPECT_EQ(sim::liveHandles(), 0);
}

} // namespace

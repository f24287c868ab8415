// The condition on an auto-reset event and its paired critical section: hand-over between
// threads, a set kept for the next wait, and the lock held again after every wait.
#include "support/event.h"

#include <atomic>
#include <deque>
#include <thread>
#include <type_traits>

#include "platform/sim.h"
#include "support/exception.h"
#include "support/single_lock.h"
#include "testing/host_test.h"

namespace {

class EventTest : public qvtest::HostTest {};

static_assert(!std::is_copy_constructible_v<qv::Event>);
static_assert(!std::is_copy_assignable_v<qv::Event>);

bool heldByAnotherThread(qv::CriticalSection& section) {
  bool got = false;
  std::thread other([&] {
    got = section.tryLock();
    if (got) {
      section.unlock();
    }
  });
  other.join();
  return !got;
}

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
  for (int i = 0; i < kItems; ++i) {
    qv::SingleLock guard(&section, true);
    queue.push_back(i);
    ready.set();
  }
  {
    qv::SingleLock guard(&section, true);
    queue.push_back(kEnd);
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

TEST_F(EventTest, TimedOutWaitReturnsHoldingTheLock) {
  qv::CriticalSection section;
  qv::Event event(section);
  qv::SingleLock guard(&section, true);
  EXPECT_EQ(event.wait(0), WAIT_TIMEOUT);
  EXPECT_TRUE(heldByAnotherThread(section));
  sim::failCall("WaitForSingleObject");
  EXPECT_EQ(event.wait(INFINITE), WAIT_FAILED);
  EXPECT_TRUE(heldByAnotherThread(section));
}

TEST_F(EventTest, WaitLetsTheLockGoWhileWaiting) {
  qv::CriticalSection section;
  qv::Event event(section);
  std::atomic<bool> waiterHasLock{false};
  bool flag = false;
  int waits = 0;
  DWORD result = WAIT_FAILED;
  std::thread waiter([&] {
    qv::SingleLock guard(&section, true);
    waiterHasLock = true;
    while (!flag) {
      result = event.wait(INFINITE);
      ++waits;
    }
  });
  while (!waiterHasLock) {
    // the waiter holds the section from here until it waits
  }
  {
    qv::SingleLock guard(&section, true); // reachable only while the waiter is inside wait
    flag = true;
    EXPECT_TRUE(event.set());
  }
  waiter.join();
  EXPECT_EQ(result, WAIT_OBJECT_0);
  EXPECT_EQ(waits, 1);
}

TEST_F(EventTest, ThrowsWhenTheSystemCannotMakeTheEventAndClosesItOtherwise) {
  qv::CriticalSection section;
  sim::failCall("CreateEventA");
  qv::Exception* caught = nullptr;
  try {
    qv::Event event(section);
  } catch (qv::Exception* thrown) {
    caught = thrown;
  }
  ASSERT_NE(caught, nullptr);
  EXPECT_EQ(caught->name(), "SyncException");
  EXPECT_EQ(caught->code(), 1);
  EXPECT_EQ(caught->message(), "Cannot create condition");
  qv::Exception::release(caught);
  {
    qv::Event event(section);
    EXPECT_EQ(sim::liveHandles(), 1);
  }
  EXPECT_EQ(sim::liveHandles(), 0);
}

} // namespace

// The lock classes: the critical section (recursion for its owner, tryLock against other threads),
// the scoped lock holder, the condition on an auto-reset event, and the exception pointers they
// throw when the system cannot make them.
#include <deque>
#include <thread>
#include <type_traits>
#include <vector>

#include "platform/sim.h"
#include "support/critical_section.h"
#include "support/event.h"
#include "support/exception.h"
#include "support/single_lock.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class SyncTest : public qvtest::ThreadedTest {};

static_assert(!std::is_copy_constructible_v<qv::CriticalSection> &&
              !std::is_copy_assignable_v<qv::CriticalSection>);
static_assert(!std::is_copy_constructible_v<qv::SingleLock> &&
              !std::is_copy_assignable_v<qv::SingleLock>);
static_assert(!std::is_copy_constructible_v<qv::Event> && !std::is_copy_assignable_v<qv::Event>);

// True when a second thread's tryLock succeeds (it unlocks again at once).
bool otherThreadGets(qv::CriticalSection& section) {
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

// Runs make, which must throw a SyncException pointer of code 1 with message; releases it.
template <typename Make> void expectSyncException(Make make, const std::string& message) {
  qv::Exception* caught = nullptr;
  try {
    make();
  } catch (qv::Exception* thrown) {
    caught = thrown;
  }
  ASSERT_NE(caught, nullptr);
  EXPECT_EQ(caught->name(), "SyncException");
  EXPECT_EQ(caught->code(), 1);
  EXPECT_EQ(caught->message(), message);
  caught->release(); // through the base: the sanitizers see a leak or a bad delete otherwise
}

TEST_F(SyncTest, OwnerReentersAndOthersWaitUntilEveryLockIsUndone) {
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

TEST_F(SyncTest, ThrowsSyncExceptionPointersWhenTheSystemRefuses) {
  // Null texts read as empty; releasing null does nothing.
  auto* plain = new qv::Exception(nullptr, -1, nullptr);
  EXPECT_EQ(plain->name() + plain->message(), "");
  EXPECT_EQ(plain->code(), -1);
  qv::Exception::release(plain);
  qv::Exception::release(nullptr);
  QV_SKIP_UNLESS_FAILABLE("InitializeCriticalSectionAndSpinCount");
  sim::failCall("InitializeCriticalSectionAndSpinCount");
  expectSyncException([] { qv::CriticalSection section; }, "Cannot create critical section");
  qv::CriticalSection section; // the failure was for one call only
  EXPECT_TRUE(otherThreadGets(section));
  sim::failCall("CreateEventA");
  expectSyncException([&] { qv::Event event(section); }, "Cannot create condition");
  // A failed wait returns holding the lock, as a timed-out one does.
  qv::Event event(section);
  qv::SingleLock guard(&section, true);
  sim::failCall("WaitForSingleObject");
  EXPECT_EQ(event.wait(INFINITE), WAIT_FAILED);
  EXPECT_FALSE(otherThreadGets(section));
}

class CountingLock : public qv::LockObject {
public:
  void lock() override { ++locks; }
  void unlock() override { ++unlocks; }
  int locks = 0;
  int unlocks = 0;
};

TEST_F(SyncTest, AHolderLocksAndUnlocksOnceEachWhateverTheCalls) {
  CountingLock never;
  { qv::SingleLock holder(&never, false); }
  EXPECT_EQ(never.locks + never.unlocks, 0); // a holder that never locked does not unlock

  CountingLock object;
  {
    qv::SingleLock holder(&object, true);
    holder.lock();
    EXPECT_TRUE(holder.isLocked());
    EXPECT_EQ(object.locks, 1);
    holder.unlock();
    holder.unlock();
    EXPECT_EQ(object.unlocks, 1);
    holder.lock();
  }
  EXPECT_EQ(object.locks, 2);
  EXPECT_EQ(object.unlocks, 2); // the destructor undid the second lock

  qv::SingleLock nothing(nullptr, true);
  EXPECT_FALSE(nothing.isLocked());
  nothing.unlock();
}

// The counter is plain, so a lock that let two threads in would lose increments (and
// ThreadSanitizer would report the race).
TEST_F(SyncTest, NoIncrementIsLostUnderContention) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 250000;
  qv::CriticalSection section;
  long long counter = 0;
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&] {
      for (int round = 0; round < kRounds; ++round) {
        qv::SingleLock guard(&section, true);
        ++counter;
      }
    });
  }
  for (auto& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(counter, static_cast<long long>(kThreads) * kRounds);
}

// The producer needs the section for every item while the consumer sits in wait, so this also
// hangs if wait does not let the lock go.
TEST_F(SyncTest, ProducerHandsEveryItemToConsumerOnce) {
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

// A set with no waiter is kept for the next wait only; a wait that times out returns holding the
// lock.
TEST_F(SyncTest, EventSetsAreTakenOnceAndWaitsReturnHoldingTheLock) {
  qv::CriticalSection section;
  qv::Event event(section);
  // Counted before any thread runs: where Windows answers, the runtime may keep a wait object of
  // its own once threads have contended.
  EXPECT_EQ(sim::liveHandles(), 1); // the event's
  EXPECT_TRUE(event.set());
  qv::SingleLock guard(&section, true);
  EXPECT_EQ(event.wait(0), WAIT_OBJECT_0);
  EXPECT_EQ(event.wait(0), WAIT_TIMEOUT); // auto-reset: the first wait used it up
  EXPECT_FALSE(otherThreadGets(section));
  EXPECT_TRUE(event.set());
  EXPECT_TRUE(event.reset());
  EXPECT_EQ(event.wait(0), WAIT_TIMEOUT);
  EXPECT_FALSE(otherThreadGets(section));
}

} // namespace

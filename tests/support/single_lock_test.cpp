// The scoped lock holder: it locks and unlocks its object once each, and under real contention
// no increment guarded by it is lost.
#include "support/single_lock.h"

#include <memory>
#include <type_traits>
#include <vector>

#include "support/thread.h"
#include "testing/host_test.h"

namespace {

class SingleLockTest : public qvtest::HostTest {};

static_assert(!std::is_copy_constructible_v<qv::SingleLock>);
static_assert(!std::is_copy_assignable_v<qv::SingleLock>);

class CountingLock : public qv::LockObject {
public:
  void lock() override { ++locks; }
  void unlock() override { ++unlocks; }
  int locks = 0;
  int unlocks = 0;
};

TEST_F(SingleLockTest, NeverLockedHolderDoesNotUnlock) {
  CountingLock object;
  { qv::SingleLock holder(&object, false); }
  EXPECT_EQ(object.locks, 0);
  EXPECT_EQ(object.unlocks, 0);
}

TEST_F(SingleLockTest, LocksAndUnlocksOnceEachWhateverTheCalls) {
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
}

TEST_F(SingleLockTest, NullObjectGuardsNothing) {
  qv::SingleLock holder(nullptr, true);
  EXPECT_FALSE(holder.isLocked());
  holder.unlock();
}

// Adds to a shared counter under a SingleLock; the counter is plain, so a lock that let two
// threads in would lose increments (and ThreadSanitizer would report the race).
class Incrementer : public qv::Thread {
public:
  Incrementer(qv::CriticalSection& section, long long& counter, int rounds)
      : section_(section), counter_(counter), rounds_(rounds) {}
  void run() override {
    for (int i = 0; i < rounds_; ++i) {
      qv::SingleLock guard(&section_, true);
      ++counter_;
    }
  }

private:
  qv::CriticalSection& section_;
  long long& counter_;
  int rounds_;
};

TEST_F(SingleLockTest, NoIncrementIsLostUnderContention) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 250000;
  qv::CriticalSection section;
  long long counter = 0;
  std::vector<std::unique_ptr<Incrementer>> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.push_back(std::make_unique<Incrementer>(section, counter, kRounds));
    ASSERT_TRUE(threads.back()->start(nullptr, 0, static_cast<qv::Thread*>(threads.back().get())));
  }
  for (auto& thread : threads) {
    EXPECT_TRUE(thread->resume());
  }
  for (auto& thread : threads) {
    EXPECT_EQ(thread->wait(INFINITE), WAIT_OBJECT_0);
  }
  EXPECT_EQ(counter, static_cast<long long>(kThreads) * kRounds);
}

} // namespace

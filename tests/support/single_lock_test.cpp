// The scoped lock holder: it locks and unlocks its object once each, and under real contention
// no increment guarded by it is lost.
#include "support/single_lock.h"

#include <thread>
#include <type_traits>
#include <vector>

#include "support/critical_section.h"
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

TEST_F(SingleLockTest, LocksAndUnlocksOnceEachWhateverTheCalls) {
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
TEST_F(SingleLockTest, NoIncrementIsLostUnderContention) {
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

} // namespace

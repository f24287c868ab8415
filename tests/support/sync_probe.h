// Helpers of the lock tests: whether another thread can take a critical section now, and the
// check of the exception a lock class throws when the system refuses to make it.
#pragma once

#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/critical_section.h"
#include "support/exception.h"

namespace qvtest {

// True when a second thread's tryLock succeeds (it unlocks again at once).
inline bool otherThreadGets(qv::CriticalSection& section) {
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

} // namespace qvtest

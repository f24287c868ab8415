// A scoped holder of a lock: kept on one thread's stack, it unlocks what it locked when it goes.
#pragma once

#include "support/critical_section.h"

namespace qv {

// Not shared between threads, and not copied: a copy would unlock twice.
class SingleLock {
public:
  // Guards the object (not owned; null guards nothing) and locks it at once when lockNow is true.
  SingleLock(LockObject* object, bool lockNow);
  SingleLock(const SingleLock&) = delete;
  SingleLock& operator=(const SingleLock&) = delete;

  // Unlocks the object when this holder has it locked.
  virtual ~SingleLock();
  // Locks the object unless this holder already has it locked.
  virtual void lock();
  // Unlocks the object when this holder has it locked.
  virtual void unlock();

  bool isLocked() const { return locked_; }

private:
  LockObject* object_;
  bool locked_ = false;
};

} // namespace qv

// The scoped lock holder.
#include "support/single_lock.h"

namespace qv {

SingleLock::SingleLock(LockObject* object, bool lockNow) : object_(object) {
  if (lockNow) {
    lock();
  }
}

SingleLock::~SingleLock() {
  if (locked_) {
    object_->unlock();
  }
}

void SingleLock::lock() {
  if (object_ != nullptr && !locked_) {
    object_->lock();
    locked_ = true;
  }
}

void SingleLock::unlock() {
  if (locked_) {
    object_->unlock();
    locked_ = false;
  }
}

} // namespace qv

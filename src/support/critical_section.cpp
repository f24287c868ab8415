// The lock on a system critical section.
#include "support/critical_section.h"

#include <new>

#include "support/exception.h"

namespace qv {

CriticalSection::CriticalSection(bool lockNow) : section_(new (std::nothrow) CRITICAL_SECTION) {
  if (section_ == nullptr || !InitializeCriticalSectionAndSpinCount(section_, 0)) {
    delete section_;
    throw new SyncException(1, "Cannot create critical section");
  }
  if (lockNow) {
    lock();
  }
}

void CriticalSection::lock() {
  EnterCriticalSection(section_);
}

void CriticalSection::unlock() {
  LeaveCriticalSection(section_);
}

CriticalSection::~CriticalSection() {
  DeleteCriticalSection(section_);
  delete section_;
}

bool CriticalSection::tryLock() {
  return TryEnterCriticalSection(section_) != FALSE;
}

} // namespace qv

// The lock interface and its implementation on a system critical section.
#pragma once

#include "platform/win/windows.h"

namespace qv {

// Something that can be locked and unlocked by one thread at a time.
class LockObject {
public:
  virtual void lock() = 0;
  virtual void unlock() = 0;
  virtual ~LockObject() = default;
};

// A lock on a system critical section of its own: recursive for the thread that holds it (each
// lock needs its unlock). Cannot be copied: the section has one owner.
class CriticalSection : public LockObject {
public:
  // Makes the section and, when lockNow is true, enters it. Throws a SyncException* (code 1,
  // "Cannot create critical section") when the system cannot make it; free that with release.
  explicit CriticalSection(bool lockNow = false);
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  // Waits until this thread holds the section.
  void lock() override;
  // Leaves the section once; only its holder may call it.
  void unlock() override;
  // Deletes the section, which must not be held.
  ~CriticalSection() override;

  // Enters without waiting: true when this thread now holds the section.
  bool tryLock();
  // The system section, for the Event paired with it.
  CRITICAL_SECTION* section() const { return section_; }

private:
  CRITICAL_SECTION* section_;
};

} // namespace qv

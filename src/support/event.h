// A condition built on an auto-reset system event and the critical section it is paired with.
#pragma once

#include "platform/win/windows.h"
#include "support/critical_section.h"

namespace qv {

// The usual pattern: hold the section, test the shared state, wait while it is not ready; the
// other side changes the state while holding the section and calls set. One set releases one
// waiter; a set with nobody waiting stays until the next wait takes it. Cannot be copied: the
// event handle has one owner.
class Event {
public:
  // Pairs with the section (which must outlive this) and makes an auto-reset event, not
  // signalled. Throws a SyncException* (code 1, "Cannot create condition") when the system
  // cannot make the event; free that with release.
  explicit Event(CriticalSection& section);
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  // Closes the event.
  virtual ~Event();

  // Signals the event; true when the system did.
  bool set();
  // Clears the event; true when the system did.
  bool reset();
  // The caller must hold the paired section. Leaves it, waits for the event up to timeout
  // milliseconds (INFINITE: no limit), enters it again and answers the wait's result:
  // WAIT_OBJECT_0 when signalled, WAIT_TIMEOUT, or WAIT_FAILED. The section is held again
  // whatever the result.
  DWORD wait(DWORD timeout);

private:
  CRITICAL_SECTION* section_;
  HANDLE event_;
};

} // namespace qv

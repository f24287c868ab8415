// The condition on an auto-reset event.
#include "support/event.h"

#include "support/exception.h"

namespace qv {

Event::Event(CriticalSection& section)
    : section_(section.section()), event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  if (event_ == nullptr) {
    throw new SyncException(1, "Cannot create condition");
  }
}

Event::~Event() {
  CloseHandle(event_);
}

bool Event::set() {
  return SetEvent(event_) != FALSE;
}

bool Event::reset() {
  return ResetEvent(event_) != FALSE;
}

DWORD Event::wait(DWORD timeout) {
  LeaveCriticalSection(section_);
  const DWORD result = WaitForSingleObject(event_, timeout);
  EnterCriticalSection(section_);
  return result;
}

} // namespace qv

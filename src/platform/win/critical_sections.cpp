// Critical sections on the standard library's recursive mutex, which gives Windows' rules: the
// owner may enter again, and the section is free after as many leaves as enters.
#include "platform/win/synchapi.h"

#include <cstring>
#include <mutex>
#include <new>

#include "platform/internal/session.h"
#include "platform/win/windows.h"

namespace {

std::recursive_mutex* lockOf(LPCRITICAL_SECTION section) {
  return static_cast<std::recursive_mutex*>(section->LockSemaphore);
}

bool initialize(LPCRITICAL_SECTION section, DWORD spinCount) {
  auto* lock = new (std::nothrow) std::recursive_mutex;
  if (lock == nullptr) {
    return false;
  }
  std::memset(section, 0, sizeof *section);
  section->LockSemaphore = lock;
  section->SpinCount = spinCount;
  return true;
}

} // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
  if (section != nullptr && !initialize(section, 0)) {
    // Windows raises STATUS_NO_MEMORY here; the C++ equivalent is the allocation failure.
    throw std::bad_alloc();
  }
}

BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount) {
  if (section == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::InitializeCriticalSectionAndSpinCount) ||
      !initialize(section, spinCount)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return TRUE;
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
  if (section == nullptr) {
    return;
  }
  delete lockOf(section);
  std::memset(section, 0, sizeof *section);
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
  lockOf(section)->lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
  return lockOf(section)->try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
  lockOf(section)->unlock();
}

// The thread object.
#include "support/thread.h"

namespace qv {

Thread::~Thread() {
  if (handle_ != nullptr) {
    CloseHandle(handle_);
  }
}

bool Thread::start(Routine routine, unsigned stackSize, void* argument) {
  if (handle_ != nullptr) {
    return false;
  }
  const uintptr_t made =
      _beginthreadex(nullptr, stackSize, routine != nullptr ? routine : defaultRoutine, argument,
                     CREATE_SUSPENDED, nullptr);
  handle_ = reinterpret_cast<HANDLE>(made);
  return handle_ != nullptr;
}

// Before start the null handle makes each call fail as the system fails it (ERROR_INVALID_HANDLE).
bool Thread::resume() {
  return ResumeThread(handle_) == 1;
}

DWORD Thread::wait(DWORD timeout) {
  return WaitForSingleObject(handle_, timeout);
}

bool Thread::setPriority(int priority) {
  return SetThreadPriority(handle_, priority) != FALSE;
}

unsigned __stdcall Thread::defaultRoutine(void* thread) {
  if (thread != nullptr) {
    static_cast<Thread*>(thread)->run();
  }
  OutputDebugStringA("done");
  return 0;
}

} // namespace qv

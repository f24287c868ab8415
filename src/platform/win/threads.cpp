// Threads on std::thread: the runtime's _beginthreadex, suspend counts, priorities, exit codes and
// thread identifiers.
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/internal/session.h"
#include "platform/win/internal/kernel_object.h"
#include "platform/win/windows.h"

namespace {

std::atomic<DWORD> nextThreadId{0x1000};

DWORD newThreadId() {
  return nextThreadId.fetch_add(4);
}

class ThreadObject : public sim::detail::KernelObject {
public:
  ThreadObject(DWORD id, DWORD suspendCount) : id_(id), suspendCount_(suspendCount) {}

  DWORD waitFor(DWORD milliseconds) override {
    std::unique_lock<std::mutex> lock(guard_);
    auto ended = [this] { return ended_; };
    if (milliseconds == INFINITE) {
      changed_.wait(lock, ended);
      return WAIT_OBJECT_0;
    }
    return changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), ended) ? WAIT_OBJECT_0
                                                                                   : WAIT_TIMEOUT;
  }

  DWORD resume() {
    std::lock_guard<std::mutex> lock(guard_);
    const DWORD previous = suspendCount_;
    if (suspendCount_ > 0 && --suspendCount_ == 0) {
      changed_.notify_all();
    }
    return previous;
  }

  void waitUntilResumed() {
    std::unique_lock<std::mutex> lock(guard_);
    changed_.wait(lock, [this] { return suspendCount_ == 0; });
  }

  void end(DWORD exitCode) {
    std::lock_guard<std::mutex> lock(guard_);
    exitCode_ = exitCode;
    ended_ = true;
    changed_.notify_all();
  }

  DWORD exitCode() {
    std::lock_guard<std::mutex> lock(guard_);
    return exitCode_;
  }

  std::atomic<int> priority{THREAD_PRIORITY_NORMAL};
  const DWORD id_;

private:
  std::mutex guard_;
  std::condition_variable changed_;
  DWORD suspendCount_;
  bool ended_ = false;
  DWORD exitCode_ = STILL_ACTIVE;
};

// The calling thread's identifier and priority; threads of _beginthreadex get theirs at creation.
thread_local DWORD currentId = 0;
thread_local std::shared_ptr<ThreadObject> currentThread;

std::shared_ptr<ThreadObject> currentThreadObject() {
  if (!currentThread) {
    if (currentId == 0) {
      currentId = newThreadId();
    }
    currentThread = std::make_shared<ThreadObject>(currentId, 0);
  }
  return currentThread;
}

// The thread behind a real handle or the current thread's pseudo-handle.
std::shared_ptr<ThreadObject> threadOf(HANDLE thread) {
  if (thread == sim::detail::currentThreadHandle()) {
    return currentThreadObject();
  }
  return sim::detail::objectAs<ThreadObject>(thread);
}

bool isPriorityLevel(int priority) {
  return priority == THREAD_PRIORITY_IDLE || priority == THREAD_PRIORITY_TIME_CRITICAL ||
         (priority >= THREAD_PRIORITY_LOWEST && priority <= THREAD_PRIORITY_HIGHEST);
}

} // namespace

uintptr_t _beginthreadex(void*, unsigned, unsigned(__stdcall* start)(void*), void* argument,
                         unsigned initFlag, unsigned* threadId) {
  // The runtime hands the flags to CreateThread, which looks only at CREATE_SUSPENDED and
  // STACK_SIZE_PARAM_IS_A_RESERVATION and passes over the others.
  if (start == nullptr) {
    errno = EINVAL;
    return 0;
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::_beginthreadex)) {
    errno = EAGAIN;
    return 0;
  }
  auto made = std::make_shared<ThreadObject>(newThreadId(), (initFlag & CREATE_SUSPENDED) ? 1 : 0);
  HANDLE handle = sim::detail::openHandle(made);
  try {
    // The running thread keeps its object alive after every handle is closed, as Windows does.
    std::thread([made, start, argument] {
      currentId = made->id_;
      currentThread = made;
      made->waitUntilResumed();
      made->end(start(argument));
    }).detach();
  } catch (const std::system_error&) {
    sim::detail::closeHandle(handle);
    errno = EAGAIN;
    return 0;
  }
  if (threadId != nullptr) {
    *threadId = made->id_;
  }
  return reinterpret_cast<uintptr_t>(handle);
}

HANDLE GetCurrentProcess() {
  return sim::detail::currentProcessHandle();
}

HANDLE GetCurrentThread() {
  return sim::detail::currentThreadHandle();
}

DWORD GetCurrentThreadId() {
  if (currentId == 0) {
    currentId = newThreadId();
  }
  return currentId;
}

DWORD ResumeThread(HANDLE thread) {
  std::shared_ptr<ThreadObject> target = threadOf(thread);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<DWORD>(-1);
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::ResumeThread)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return static_cast<DWORD>(-1);
  }
  return target->resume();
}

BOOL SetThreadPriority(HANDLE thread, int priority) {
  std::shared_ptr<ThreadObject> target = threadOf(thread);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!isPriorityLevel(priority)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::SetThreadPriority)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  target->priority = priority;
  return TRUE;
}

int GetThreadPriority(HANDLE thread) {
  std::shared_ptr<ThreadObject> target = threadOf(thread);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return THREAD_PRIORITY_ERROR_RETURN;
  }
  return target->priority;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  std::shared_ptr<ThreadObject> target = threadOf(thread);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (exitCode == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *exitCode = target->exitCode();
  return TRUE;
}

namespace sim::detail {

// Whether the handle names a thread (or is the current thread's pseudo-handle); used by the token
// calls.
bool isThreadHandle(HANDLE thread) {
  return threadOf(thread) != nullptr;
}

} // namespace sim::detail

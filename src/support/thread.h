// A thread object that runs a virtual body on a system thread created suspended.
#pragma once

#include <atomic>

#include "platform/win/windows.h"

namespace qv {

// Derive, put the work in run, start, then resume. The body polls stopRequested to end early.
// The object must outlive the running body: the destructor closes the handle but neither stops
// nor waits for the thread (wait first). Cannot be copied: the handle has one owner.
class Thread {
public:
  // The routine a thread runs: takes the start argument, answers the exit code.
  using Routine = unsigned(__stdcall*)(void*);

  Thread() = default;
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  // Closes the thread handle, if any.
  virtual ~Thread();
  // The thread's body, run by the default routine.
  virtual void run() = 0;

  // Creates the system thread, suspended, to run routine(argument) with the given stack size (0:
  // the default). A null routine stands for defaultRoutine, whose argument is a Thread* (pass
  // `static_cast<Thread*>(this)` to run this object's body). True when a handle was obtained;
  // false when the system refused, and false without creating anything when this object
  // already has a thread.
  bool start(Routine routine, unsigned stackSize, void* argument);
  // Resumes the thread: true only when this call let it run (its suspend count was 1).
  bool resume();
  // Waits up to timeout milliseconds for the thread to end: WAIT_OBJECT_0, WAIT_TIMEOUT, or
  // WAIT_FAILED (also when the thread was never started).
  DWORD wait(DWORD timeout);
  // Sets the system priority (THREAD_PRIORITY_ levels); true when the system accepted it.
  bool setPriority(int priority);
  // Asks the body to stop; the body sees it through stopRequested.
  void requestStop() { stopRequested_ = true; }
  bool stopRequested() const { return stopRequested_; }
  // The system thread handle, null before start.
  HANDLE handle() const { return handle_; }

  // The routine used for a null one: runs the Thread* argument's run (when not null), writes
  // "done" to the debugger output and answers 0.
  static unsigned __stdcall defaultRoutine(void* thread);

private:
  HANDLE handle_ = nullptr;
  std::atomic<bool> stopRequested_{false};
};

} // namespace qv

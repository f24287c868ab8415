// The debugger output on real Windows: the process listens as a debug monitor does. A program
// without a debugger sends OutputDebugStringA's text through the shared buffer "DBWIN_BUFFER"
// (the sender's process id, then the text), taking turns with the monitor through the events
// "DBWIN_BUFFER_READY" (the monitor is ready) and "DBWIN_DATA_READY" (a text is in the buffer).
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "platform/internal/session.h"
#include "platform/sim.h"
#include "platform/win/sim_system.h"

namespace sim {

namespace {

constexpr DWORD kBufferSize = 4096; // the sender's process id, then the text

struct DebugMonitor {
  // A critical section, not a std::mutex: the threads library would make a record of the listener,
  // a thread it did not start, with handles of its own at the listener's first lock, which could
  // come after a reset has counted the process's handles.
  CRITICAL_SECTION guard;
  DebugMonitor() { InitializeCriticalSection(&guard); }
  std::string captured;
  HANDLE bufferReady = nullptr;
};

class Hold {
public:
  explicit Hold(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Hold() { LeaveCriticalSection(&section_); }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

private:
  CRITICAL_SECTION& section_;
};

DebugMonitor& monitor() {
  static DebugMonitor* kept = new DebugMonitor; // lives while any thread may still write
  return *kept;
}

void listen(HANDLE* handles) {
  HANDLE bufferReady = handles[0], dataReady = handles[1];
  const char* buffer = static_cast<const char*>(handles[2]);
  const DWORD self = GetCurrentProcessId();
  for (;;) {
    SetEvent(bufferReady);
    if (WaitForSingleObject(dataReady, INFINITE) != WAIT_OBJECT_0) {
      return;
    }
    DWORD sender = 0;
    std::memcpy(&sender, buffer, sizeof sender);
    if (sender == self) {
      const char* text = buffer + sizeof sender;
      const Hold lock(monitor().guard);
      monitor().captured.append(text, strnlen(text, kBufferSize - sizeof sender));
    }
  }
}

// Starts listening once per process; false when another monitor holds the buffer already.
bool startListening() {
  static const bool started = [] {
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        kBufferSize, "DBWIN_BUFFER");
    if (mapping != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(mapping); // another monitor listens
      return false;
    }
    if (mapping == nullptr) {
      return false;
    }
    static HANDLE handles[3];
    handles[0] = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
    handles[1] = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
    handles[2] = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (handles[0] == nullptr || handles[1] == nullptr || handles[2] == nullptr) {
      return false;
    }
    // A thread of the threads library's own: one that CreateThread made would get the library's
    // record, with handles, at its first use of thread-local data, after the handle count.
    std::thread(listen, handles).detach();
    monitor().bufferReady = handles[0];
    // A process's first OutputDebugStringA opens the mutex "DBWinMutex" and keeps it: opened
    // here, before the reset takes the handle count, it is not told as a handle a test left open.
    OutputDebugStringA("");
    return true;
  }();
  return started;
}

// Waits until the listener has taken every text sent so far: it is ready for the next one.
void waitForListener() {
  if (WaitForSingleObject(monitor().bufferReady, 1000) == WAIT_OBJECT_0) {
    SetEvent(monitor().bufferReady); // the turn goes back to whoever sends next
  }
}

} // namespace

namespace detail {

void resetDebugOutput() {
  startListening();
  const Hold lock(monitor().guard);
  monitor().captured.clear();
}

} // namespace detail

std::string debugOutput() {
  if (!startListening()) {
    detail::reportMisuse("sim::debugOutput: another debug monitor holds DBWIN_BUFFER");
    return {};
  }
  waitForListener();
  const Hold lock(monitor().guard);
  return monitor().captured;
}

std::string takeDebugOutput() {
  std::string taken = debugOutput();
  const Hold lock(monitor().guard);
  monitor().captured.clear();
  return taken;
}

} // namespace sim

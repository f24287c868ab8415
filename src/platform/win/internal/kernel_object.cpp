// The handle table of the stand-in's kernel objects, CloseHandle and WaitForSingleObject.
#include "platform/win/internal/kernel_object.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

#include "platform/internal/session.h"
#include "platform/sim.h"
#include "platform/win/windows.h"

namespace {

struct HandleTable {
  std::mutex guard;
  std::map<uintptr_t, std::shared_ptr<sim::detail::KernelObject>> objects;
  // Windows' handle values are multiples of 4; the first few are left unused.
  uintptr_t next = 0x40;
};

HandleTable& table() {
  return sim::detail::session<HandleTable>();
}

bool isPseudoHandle(HANDLE handle) {
  return handle == sim::detail::currentProcessHandle() ||
         handle == sim::detail::currentThreadHandle();
}

} // namespace

namespace sim::detail {

DWORD KernelObject::waitFor(DWORD) {
  SetLastError(ERROR_INVALID_HANDLE);
  return WAIT_FAILED;
}

HANDLE openHandle(std::shared_ptr<KernelObject> object) {
  if (!object) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  HandleTable& handles = table();
  std::lock_guard<std::mutex> lock(handles.guard);
  const uintptr_t value = handles.next;
  handles.next += 4;
  handles.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> objectOf(HANDLE handle) {
  HandleTable& handles = table();
  std::lock_guard<std::mutex> lock(handles.guard);
  auto found = handles.objects.find(reinterpret_cast<uintptr_t>(handle));
  return found == handles.objects.end() ? nullptr : found->second;
}

bool closeHandle(HANDLE handle) {
  std::shared_ptr<KernelObject> closing; // destroyed after the table's lock is let go
  HandleTable& handles = table();
  std::lock_guard<std::mutex> lock(handles.guard);
  auto found = handles.objects.find(reinterpret_cast<uintptr_t>(handle));
  if (found == handles.objects.end()) {
    return false;
  }
  closing = std::move(found->second);
  handles.objects.erase(found);
  return true;
}

} // namespace sim::detail

BOOL CloseHandle(HANDLE object) {
  const sim::detail::StandInCall inCall;
  if (isPseudoHandle(object)) {
    return TRUE;
  }
  if (!sim::detail::closeHandle(object)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::WaitForSingleObject)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return WAIT_FAILED;
  }
  if (isPseudoHandle(object)) {
    // The current thread or process is signalled when it ends, which it cannot do while it waits.
    if (milliseconds == INFINITE) {
      sim::detail::reportMisuse("WaitForSingleObject: the current thread or process waits for "
                                "itself without end");
      SetLastError(ERROR_INVALID_PARAMETER);
      return WAIT_FAILED;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return WAIT_TIMEOUT;
  }
  std::shared_ptr<sim::detail::KernelObject> target = sim::detail::objectOf(object);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return target->waitFor(milliseconds);
}

namespace sim {

bool windowsAnswers() {
  return false;
}

bool runsOnWine() {
  return false;
}

int64_t liveHandles() {
  HandleTable& handles = table();
  std::lock_guard<std::mutex> lock(handles.guard);
  return static_cast<int64_t>(handles.objects.size());
}

} // namespace sim

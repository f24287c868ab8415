// The stand-in's kernel objects and their handle table (events, threads, tokens). Other Windows
// stand-ins with waitable objects derive from KernelObject and take handles from here, so that
// CloseHandle and WaitForSingleObject serve them all.
#pragma once

#include <memory>

#include "platform/win/windef.h"

namespace sim::detail {

class KernelObject {
public:
  virtual ~KernelObject() = default;
  // Waits until the object is signalled or the time-out passes: WAIT_OBJECT_0 or WAIT_TIMEOUT.
  // Objects that cannot be waited for answer WAIT_FAILED with ERROR_INVALID_HANDLE.
  virtual DWORD waitFor(DWORD milliseconds);
};

// A new handle to the object, kept until closeHandle; null (with ERROR_NOT_ENOUGH_MEMORY) when
// the object is null.
HANDLE openHandle(std::shared_ptr<KernelObject> object);
// The object behind a handle of this session, or null for an unknown or closed handle.
std::shared_ptr<KernelObject> objectOf(HANDLE handle);
// The object behind the handle when it is of type T, else null.
template <class T> std::shared_ptr<T> objectAs(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(objectOf(handle));
}
// Forgets the handle; false when it was not open.
bool closeHandle(HANDLE handle);

// Whether the handle names a thread, or is the current thread's pseudo-handle.
bool isThreadHandle(HANDLE thread);

// The pseudo-handles of the current process and thread.
inline HANDLE currentProcessHandle() {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
}
inline HANDLE currentThreadHandle() {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));
}

} // namespace sim::detail

// Events: a flag with a condition variable, auto-reset or manual-reset, optionally named.
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

#include "platform/internal/session.h"
#include "platform/win/internal/kernel_object.h"
#include "platform/win/windows.h"

namespace {

class EventObject : public sim::detail::KernelObject {
public:
  EventObject(bool manualReset, bool signalled)
      : manualReset_(manualReset), signalled_(signalled) {}

  DWORD waitFor(DWORD milliseconds) override {
    std::unique_lock<std::mutex> lock(guard_);
    auto isSet = [this] { return signalled_; };
    if (milliseconds == INFINITE) {
      changed_.wait(lock, isSet);
    } else if (!changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), isSet)) {
      return WAIT_TIMEOUT;
    }
    if (!manualReset_) {
      signalled_ = false;
    }
    return WAIT_OBJECT_0;
  }

  void set() {
    std::lock_guard<std::mutex> lock(guard_);
    signalled_ = true;
    if (manualReset_) {
      changed_.notify_all();
    } else {
      changed_.notify_one();
    }
  }

  void reset() {
    std::lock_guard<std::mutex> lock(guard_);
    signalled_ = false;
  }

private:
  std::mutex guard_;
  std::condition_variable changed_;
  const bool manualReset_;
  bool signalled_;
};

// Named events live as long as one of their handles.
struct EventNames {
  std::mutex guard;
  std::map<std::string, std::weak_ptr<EventObject>> events;
};

} // namespace

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::CreateEventA)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (name == nullptr) {
    HANDLE made = sim::detail::openHandle(
        std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE));
    SetLastError(ERROR_SUCCESS);
    return made;
  }
  EventNames& names = sim::detail::session<EventNames>();
  std::lock_guard<std::mutex> lock(names.guard);
  std::shared_ptr<EventObject> event = names.events[name].lock();
  const bool existed = event != nullptr;
  if (!existed) {
    event = std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE);
    names.events[name] = event;
  }
  HANDLE made = sim::detail::openHandle(event);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return made;
}

BOOL SetEvent(HANDLE event) {
  std::shared_ptr<EventObject> target = sim::detail::objectAs<EventObject>(event);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  target->set();
  return TRUE;
}

BOOL ResetEvent(HANDLE event) {
  std::shared_ptr<EventObject> target = sim::detail::objectAs<EventObject>(event);
  if (!target) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  target->reset();
  return TRUE;
}

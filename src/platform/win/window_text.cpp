// The active window, window captions and client areas, over the table of top-level windows
// and the host's document window.
#include "platform/win/winuser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/internal/top_windows.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/winerror.h"

namespace {

sim::detail::TopWindow* windowOf(HWND window) {
  sim::detail::TopWindow* found = sim::detail::findTopWindow(reinterpret_cast<uintptr_t>(window));
  if (found == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  }
  return found;
}

} // namespace

HWND GetActiveWindow() {
  return reinterpret_cast<HWND>(sim::detail::topWindows().open.back().id);
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  sim::detail::TopWindow* window = windowOf(hWnd);
  if (window == nullptr || lpString == nullptr) {
    return FALSE;
  }
  window->caption = lpString;
  return TRUE;
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  const sim::detail::TopWindow* window = windowOf(hWnd);
  if (window == nullptr || lpString == nullptr || nMaxCount <= 0) {
    return 0;
  }
  const size_t copied = std::min(window->caption.size(), static_cast<size_t>(nMaxCount) - 1);
  std::memcpy(lpString, window->caption.data(), copied);
  lpString[copied] = '\0';
  return static_cast<int>(copied);
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::GetClientRect)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const sim::detail::TopWindow* window = sim::detail::findWindow(reinterpret_cast<uintptr_t>(hWnd));
  if (window == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (lpRect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpRect = {0, 0, window->clientWidth, window->clientHeight};
  return TRUE;
}

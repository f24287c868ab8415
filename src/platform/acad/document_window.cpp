// The host's main window and the window that shows the current drawing.
#include "platform/acad/acedads.h"
#include "platform/acad/sim_host.h"
#include "platform/internal/top_windows.h"

HWND adsw_acadMainWnd() {
  return reinterpret_cast<HWND>(sim::detail::TopWindows::kMainWindow);
}

HWND adsw_acadDocWnd() {
  return reinterpret_cast<HWND>(sim::detail::TopWindows::kDocumentWindow);
}

void sim::setDocumentWindowSize(int width, int height) {
  sim::detail::TopWindow& window = sim::detail::topWindows().document;
  window.clientWidth = width;
  window.clientHeight = height;
}

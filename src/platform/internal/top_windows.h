// The top-level windows that Windows' window calls reach: the host's main window, and each dialog
// the host makes, the one made last being the active one. The host's stand-in opens and closes
// the dialogs' windows; the Windows stand-in reads and sets captions.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/internal/session.h"

namespace sim::detail {

struct TopWindow {
  uintptr_t id = 0;
  std::string caption;
};

struct TopWindows {
  std::vector<TopWindow> open{{kMainWindow, "AutoCAD"}}; // the active one last
  uintptr_t next = kMainWindow + 1;
  static constexpr uintptr_t kMainWindow = 0x10010;
};

inline TopWindows& topWindows() {
  return session<TopWindows>();
}

// Opens a window above the others (the active one); its id.
inline uintptr_t openTopWindow(const std::string& caption) {
  TopWindows& windows = topWindows();
  windows.open.push_back({windows.next, caption});
  return windows.next++;
}

// Closes a window that is not the main one.
inline void closeTopWindow(uintptr_t id) {
  auto& open = topWindows().open;
  open.erase(std::remove_if(open.begin() + 1, open.end(),
                            [id](const TopWindow& window) { return window.id == id; }),
             open.end());
}

inline TopWindow* findTopWindow(uintptr_t id) {
  for (TopWindow& window : topWindows().open) {
    if (window.id == id) {
      return &window;
    }
  }
  return nullptr;
}

} // namespace sim::detail

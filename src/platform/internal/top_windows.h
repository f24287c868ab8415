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
  int clientWidth = 0, clientHeight = 0; // pixels
};

struct TopWindows {
  static constexpr uintptr_t kMainWindow = 0x10010;
  static constexpr uintptr_t kDocumentWindow = 0x1000e;
  std::vector<TopWindow> open{{kMainWindow, "AutoCAD", 1280, 960}}; // the active one last
  uintptr_t next = kMainWindow + 1;
  // The window inside the main one that shows the current drawing; its size is set by sim.
  TopWindow document{kDocumentWindow, "", 1000, 600};
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

// A top-level window or the document window; null when there is none of that id.
inline TopWindow* findWindow(uintptr_t id) {
  TopWindows& windows = topWindows();
  if (id == windows.document.id) {
    return &windows.document;
  }
  for (TopWindow& window : windows.open) {
    if (window.id == id) {
      return &window;
    }
  }
  return nullptr;
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

// The current drawing's view as the host keeps it: the centre and height in "VIEWCTR" and
// "VIEWSIZE", the earlier views that ZOOM Previous goes back to, and the document window whose
// client area the view fills.
#pragma once

#include <cstddef>

namespace sim::detail {

struct View {
  double center[3] = {0, 0, 0};
  double height = 0;
};

// The host keeps this many earlier views; the oldest is forgotten beyond.
constexpr size_t kRememberedViews = 10;

View currentView();
// Makes view the current one; the view it replaces is remembered for ZOOM Previous.
void changeView(const View& view);
// Goes back to the last remembered view; false when none is left.
bool restorePreviousView();
// The client area of the document window, width over height (1 for an area without height).
double viewAspect();

} // namespace sim::detail

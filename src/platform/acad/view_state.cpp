// The view: its centre and height in the system variables, and the earlier views.
#include "platform/acad/internal/view_state.h"

#include <vector>

#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"
#include "platform/internal/top_windows.h"

namespace sim::detail {

namespace {

struct EarlierViews {
  std::vector<View> views; // the last one first to come back
};

} // namespace

View currentView() {
  HostState& state = host();
  View view;
  const SysVar& center = state.sysVars["VIEWCTR"];
  for (int i = 0; i < 3; ++i) {
    view.center[i] = center.point[i];
  }
  view.height = state.sysVars["VIEWSIZE"].real;
  return view;
}

void changeView(const View& view) {
  std::vector<View>& earlier = session<EarlierViews>().views;
  earlier.push_back(currentView());
  if (earlier.size() > kRememberedViews) {
    earlier.erase(earlier.begin());
  }
  HostState& state = host();
  SysVar& center = state.sysVars["VIEWCTR"];
  for (int i = 0; i < 3; ++i) {
    center.point[i] = view.center[i];
  }
  state.sysVars["VIEWSIZE"].real = view.height;
}

bool restorePreviousView() {
  std::vector<View>& earlier = session<EarlierViews>().views;
  if (earlier.empty()) {
    return false;
  }
  const View view = earlier.back();
  earlier.pop_back();
  HostState& state = host();
  SysVar& center = state.sysVars["VIEWCTR"];
  for (int i = 0; i < 3; ++i) {
    center.point[i] = view.center[i];
  }
  state.sysVars["VIEWSIZE"].real = view.height;
  return true;
}

double viewAspect() {
  const TopWindow& window = topWindows().document;
  if (window.clientHeight <= 0) {
    return 1.0;
  }
  return static_cast<double>(window.clientWidth) / window.clientHeight;
}

} // namespace sim::detail

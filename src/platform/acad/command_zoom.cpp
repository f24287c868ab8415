// "_.ZOOM" with its Window, Previous and Center options (a corner given at once starts a window).
// A zoom changes "VIEWCTR" and "VIEWSIZE" and remembers the view it leaves for ZOOM Previous.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/acad/adscodes.h"
#include "platform/acad/internal/command_input.h"
#include "platform/acad/internal/host_commands.h"
#include "platform/acad/internal/view_state.h"
#include "platform/internal/session.h"

namespace sim::detail {

namespace {

// The view that shows the window's corners whole in the document window.
int zoomWindow(const Point3& first, const resbuf*& args) {
  Point3 second;
  if (peekAnswer(args) == Answer::Missing) {
    return RTNORM; // the host waits for the opposite corner
  }
  if (!takePoint(args, second)) {
    return refuseInput("Invalid window corners.");
  }
  const double width = std::fabs(second.x - first.x);
  const double height = std::fabs(second.y - first.y);
  if (width == 0.0 && height == 0.0) {
    return refuseInput("Invalid window corners.");
  }
  View view;
  view.center[X] = (first.x + second.x) / 2;
  view.center[Y] = (first.y + second.y) / 2;
  view.center[Z] = (first.z + second.z) / 2;
  view.height = std::max(height, width / viewAspect());
  changeView(view);
  return RTNORM;
}

int zoomCenter(const resbuf*& args) {
  View view = currentView();
  Point3 center;
  switch (peekAnswer(args)) {
  case Answer::Missing:
    return RTNORM;
  case Answer::Enter:
    args = args->rbnext; // the centre stays
    break;
  case Answer::Point:
    takePoint(args, center);
    view.center[X] = center.x;
    view.center[Y] = center.y;
    view.center[Z] = center.z;
    break;
  default:
    return refuseInput("Point or option keyword required.");
  }
  std::string text;
  double height = view.height;
  switch (peekAnswer(args)) {
  case Answer::Missing:
    return RTNORM;
  case Answer::Enter:
    args = args->rbnext;
    break;
  case Answer::Number:
    takeNumber(args, height);
    break;
  case Answer::Text: {
    if (takeNumber(args, height)) {
      break; // a height typed as a number
    }
    takeText(args, text);
    // "nX": a magnification of the current view.
    char* end = nullptr;
    const double factor = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || (std::string(end) != "x" && std::string(end) != "X")) {
      return refuseInput("Requires a distance, numberX, or option keyword.");
    }
    height = view.height / factor;
    break;
  }
  default:
    return refuseInput("Requires a distance, numberX, or option keyword.");
  }
  if (!(height > 0.0) || !std::isfinite(height)) {
    return refuseInput("Value must be positive and nonzero.");
  }
  view.height = height;
  changeView(view);
  return RTNORM;
}

} // namespace

int zoomCommand(const resbuf*& args) {
  Point3 corner;
  std::string option;
  switch (peekAnswer(args)) {
  case Answer::Missing:
  case Answer::Enter: // real time: ended at once
    if (args != nullptr) {
      args = args->rbnext;
    }
    return RTNORM;
  case Answer::Point:
    takePoint(args, corner);
    return zoomWindow(corner, args);
  case Answer::Text:
    takeKeyword(args, option);
    break;
  default:
    return refuseInput("Point or option keyword required.");
  }
  if (isOption(option, "WINDOW")) {
    if (peekAnswer(args) == Answer::Missing) {
      return RTNORM;
    }
    if (!takePoint(args, corner)) {
      return refuseInput("Invalid window corners.");
    }
    return zoomWindow(corner, args);
  }
  if (isOption(option, "PREVIOUS")) {
    if (!restorePreviousView()) {
      printToCommandLine("\nNo previous view saved.\n");
    }
    return RTNORM;
  }
  if (isOption(option, "CENTER")) {
    return zoomCenter(args);
  }
  return refuseInput("Invalid option keyword.");
}

} // namespace sim::detail

// Alerts, application error messages and the user's break requests.
#include "platform/acad/acedads.h"

#include <string>

#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

int acedAlert(const char* text) {
  if (sim::detail::shouldFail("acedAlert") || text == nullptr) {
    return RTERROR;
  }
  sim::detail::host().alerts.emplace_back(text);
  return RTNORM;
}

int acedUsrBrk() {
  if (sim::detail::shouldFail("acedUsrBrk")) {
    return 0;
  }
  std::deque<bool>& answers = sim::detail::host().userBreaks;
  if (answers.empty()) {
    return 0;
  }
  const bool pressed = answers.front();
  answers.pop_front();
  return pressed ? 1 : 0;
}

void acdbFail(const char* text) {
  const std::string line = std::string("\nApplication ERROR: ") + (text ? text : "") + "\n";
  sim::detail::printToCommandLine(line.c_str());
}

namespace sim {

std::vector<std::string> alerts() {
  return detail::host().alerts;
}

void queueUserBreak(bool pressed) {
  detail::host().userBreaks.push_back(pressed);
}

} // namespace sim

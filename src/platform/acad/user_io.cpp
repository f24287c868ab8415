// Alerts, application error messages and the ESC check.
#include "platform/acad/acedads.h"

#include <string>

#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

int acedAlert(const char* text) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedAlert) || text == nullptr) {
    return RTERROR;
  }
  // The record of what was shown is the test's, not the program's memory.
  const sim::detail::StandInCall inCall;
  sim::detail::HostState& state = sim::detail::host();
  state.alerts.emplace_back(text);
  if (state.alertWatcher) {
    const auto watcher = state.alertWatcher; // the watcher may set another
    watcher(text);
  }
  return RTNORM;
}

int acedUsrBrk() {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedUsrBrk)) {
    return 0;
  }
  // The check does not wait for the person: anything but a queued break answer means no ESC.
  sim::Answer check;
  return sim::detail::takeAnswerIf(sim::Answer::Kind::UserBreak, check) && check.pressed ? 1 : 0;
}

void acdbFail(const char* text) {
  const std::string line = std::string("\nApplication ERROR: ") + (text ? text : "") + "\n";
  sim::detail::printToCommandLine(line.c_str());
}

namespace sim {

std::vector<std::string> alerts() {
  return detail::host().alerts;
}

void watchAlerts(std::function<void(const std::string& text)> watcher) {
  detail::host().alertWatcher = std::move(watcher);
}

} // namespace sim

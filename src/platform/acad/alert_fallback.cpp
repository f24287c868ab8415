// A minimal stand-in of the host's alert box, for builds that have no full alert stand-in yet: the
// call is counted (sim::callCount("acedAlert")), can be made to fail, and the message goes to
// stderr.
#include "platform/acad/acedads_alert.h"

#include <cstdio>

#include "platform/acad/adscodes.h"
#include "platform/session.h"

// Weak, so that the host stand-in's own acedAlert takes its place when it is linked in.
__attribute__((weak)) int acedAlert(const char* message) {
  if (sim::detail::shouldFail("acedAlert")) {
    return RTERROR;
  }
  std::fprintf(stderr, "host alert: %s\n", message == nullptr ? "" : message);
  return RTNORM;
}

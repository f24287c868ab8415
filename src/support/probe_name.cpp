// The bounded copy of probe names.
#include "support/probe_name.h"

#include <cstdio>

namespace qv {

void copyProbeName(char (&buffer)[kProbeNameSize], const char* name) {
  std::snprintf(buffer, sizeof buffer, "%s", name != nullptr ? name : "");
}

} // namespace qv

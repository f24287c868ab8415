// The name buffer shared by the probes: a bounded copy of the caller's name.
#pragma once

#include <cstddef>

namespace qv {

// Longest probe name kept, with its terminating NUL; longer names are cut.
constexpr size_t kProbeNameSize = 80;

// Copies name into the buffer of kProbeNameSize bytes, cut to fit; null copies as empty.
void copyProbeName(char (&buffer)[kProbeNameSize], const char* name);

} // namespace qv

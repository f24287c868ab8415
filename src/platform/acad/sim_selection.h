// Control surface of the stand-in host's selection sets.
//
// A set that an application makes (acedSSGet, acedSSAdd) lives until it frees it (acedSSFree);
// the host holds at most 128 at once. A set that AutoLISP makes (ssget, ssadd) goes with the
// last value that refers to it. The qvtest::HostTest fixture fails a test that leaves an
// application's set live.
#pragma once

#include <cstdint>

namespace sim {

// Selection sets made by applications and not yet freed.
int64_t liveSelectionSets();

} // namespace sim

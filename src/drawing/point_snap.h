// Switching the host's object snap off around point input, and back on afterwards.
#pragma once

namespace qv {

// Saves "osmode" (only when nothing is saved yet, so a second call keeps the first value), sets
// it to 0 when it was above 0, and switches the family's point snap off (cf:set_pointsnap 0).
void suspendPointSnap();
// Writes the saved "osmode" back when it was above 0, forgets it, and switches the family's
// point snap on (cf:set_pointsnap 1).
void restorePointSnap();

} // namespace qv

// The user-break latch: once the user has pressed ESC, every later check reports it until the
// latch is cleared.
#pragma once

namespace qv {

// Non-zero when a break is latched; with the latch clear, asks the host (acedUsrBrk) and
// latches its answer.
int checkUserBreak();
// Latches a break: the next checks report it without asking the host.
void raiseUserBreak();
// Clears the latch.
void clearUserBreak();

} // namespace qv

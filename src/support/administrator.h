// Whether the current user belongs to the built-in Administrators group.
#pragma once

namespace qv {

// 1 when the token of the current thread (or, when it has none, of the process) holds the
// Administrators group (S-1-5-32-544); 0 when it does not, and 0 when the system does not tell
// (no token, its groups unreadable, the group's SID not made): no answer grants nothing.
int isAdministrator();

} // namespace qv

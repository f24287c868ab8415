// Control surface of the stand-in's Windows system calls: the debugger output, the answer to
// "is the user an administrator", and the count of open kernel-object handles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sim {

// Everything sent to OutputDebugStringA since the reset or the last takeDebugOutput().
std::string debugOutput();
// Returns debugOutput() and empties it.
std::string takeDebugOutput();

// true or false: process tokens carry (or lack) the Administrators group whatever the running
// user is; nullopt (the default after a reset): answer from the running user and its groups.
void setAdministrator(std::optional<bool> administrator);

// True where Windows itself answers its calls (the Windows build), false where the stand-in does.
bool windowsAnswers();
// True when Windows' calls are Wine's: a test that meets one of Wine's known differences from
// Windows skips that check there, saying which. The stand-in answers false.
bool runsOnWine();

// Handles from CreateEventA, _beginthreadex and the token calls not yet closed.
int64_t liveHandles();

} // namespace sim

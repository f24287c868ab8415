// The host's commands that acedCommand runs, one handler each. A handler gets the arguments
// that follow the command's name and takes from the front of the list what the command's
// prompts would take, advancing args past it; what it leaves is run as the next command. It
// answers RTNORM, RTERROR (the command failed on its input) or RTCAN (the person cancelled).
#pragma once

#include "platform/acad/adsdef.h"

namespace sim::detail {

using HostCommandHandler = int (*)(const resbuf*& args);

struct HostCommand {
  const char* name; // upper-case, without the "_" and "." prefixes
  HostCommandHandler run;
};

// The commands, one row each in host_commands.cpp.
int regenCommand(const resbuf*& args);
int zoomCommand(const resbuf*& args);    // command_zoom.cpp
int pointCommand(const resbuf*& args);   // command_draw.cpp
int lineCommand(const resbuf*& args);    // command_draw.cpp
int dim1Command(const resbuf*& args);    // command_leader.cpp
int wipeoutCommand(const resbuf*& args); // command_wipeout.cpp

// The handler of a command name (prefixes "_" and "." and case ignored); null when unknown.
HostCommandHandler findHostCommand(const char* name);
// Runs the commands of an argument list: RTNORM when every one ran; RTERROR (with the host's
// "Unknown command" line) for an unknown one; RTREJ when no drawing is open or a command's name
// is not a text; a handler's RTERROR or RTCAN.
int runHostCommands(const resbuf* args);

} // namespace sim::detail

// The interactive command line: the host's prompt, AutoLISP typed line by line, commands by name.
#pragma once

#include <cstdio>

namespace qvhost {

// Reads from in until QUIT, (quit) or the end of the input. Returns 0; errors of what is typed
// are shown on the command line as the host shows them and do not end the loop.
int runCommandLine(std::FILE* in);

} // namespace qvhost

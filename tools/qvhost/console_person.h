// The person at the keyboard: answers the host's questions (dialogs, file dialogs, prompts,
// message boxes) on an interactive command line.
#pragma once

#include <cstdio>

#include "platform/sim.h"

namespace qvhost {

// Shows the question on out and reads the person's answer from in, a line; an empty line or the
// end of the input cancels.
sim::Answer askPerson(const sim::Asked& question, std::FILE* in, std::FILE* out);
// Reads one line without its line end; false at the end of the input.
bool readLine(std::FILE* in, std::string* line);

} // namespace qvhost

// A misuse of the stand-in host in the console: an answer of the wrong kind queued with
// qvhost:answer, or a dialog step no person could take. The stand-in's own handler would abort.
#pragma once

#include <string>

namespace qvhost {

// Interactive: the misuse is printed and the question goes to the person at the keyboard. With
// scripts: the running script stops with the misuse as its error (file, line and call), or, when
// no script is running, the misuse is kept for unreportedMisuse.
void handleMisuse(bool interactive);
// A misuse that happened while no script ran (empty when none).
std::string unreportedMisuse();

} // namespace qvhost

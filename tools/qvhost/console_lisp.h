// The console's own AutoLISP functions: qvhost:answer queues the person's answers for a script,
// qvhost:asked lists what was asked.
#pragma once

namespace qvhost {

// Defines qvhost:answer and qvhost:asked as functions of the host (see qvhost --help).
void defineConsoleFunctions();

} // namespace qvhost

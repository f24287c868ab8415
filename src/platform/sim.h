// Control surface of the stand-ins of the CAD host and Windows, for tests and tools.
//
// A session starts on first use and is renewed by reset(). Tests begin with reset() and end by
// checking that no host block, result buffer or database object is left live:
//
//   sim::reset();
//   ... run the code under test ...
//   EXPECT_EQ(sim::liveBlocks(), 0);
//   EXPECT_EQ(sim::liveResbufs(), 0);
//   EXPECT_TRUE(sim::memoryProblems().empty());
//
// What a command needs from a person (a button, a file name, a point, an entity pick, ESC) comes
// from one queue of answers, sim::answer(...), described in platform/sim_answers.h; what it
// asked is in sim::asked(). Failures are planned by call name (failCall) from the one table in
// platform/failable_calls.h. The qvtest::HostTest fixture does the reset and the checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/acad/sim_database.h" // the drawing database: objects left open, regeneration
#include "platform/acad/sim_dcl.h"      // dialogs (DCL): what was shown, files left loaded
#include "platform/acad/sim_host.h"     // documents, modules, AutoLISP, system variables, alerts
#include "platform/acad/sim_lisp.h"     // the AutoLISP interpreter: evalLisp, readLisp
#include "platform/sim_answers.h"       // the user's answers: read this first
#include "platform/win/sim_files.h"
#include "platform/win/sim_registry.h" // the registry: .reg files in and out, open keys
#include "platform/win/sim_system.h"

#include "platform/acad/sim_selection.h" // selection sets left live

namespace sim {

// ---- Misuse
// A test that uses the stand-in wrongly (an unknown call name given to failCall or callCount, an
// answer of the wrong kind for a waiting call) is told through the misuse handler. The default
// prints the message to standard error and aborts; the test fixture installs one that fails the
// running test, so that EXPECT_NONFATAL_FAILURE can show a misuse on purpose. Returns the
// previous handler.
using MisuseHandler = void (*)(const std::string& message);
MisuseHandler setMisuseHandler(MisuseHandler handler);

// Ends the current session and starts a new one: AutoLISP symbols, system variables, the command
// line, the user's queued answers, failures, the registry, the drive map and the counts all go
// back to their starting state. Blocks still live from the old session are forgotten, not freed.
void reset();

// ---- Host memory and result buffers
// Blocks from acad_malloc/acad_realloc not yet freed (result-buffer strings included).
int64_t liveBlocks();
// Result buffers from acutNewRb/acutBuildList (and host calls that return lists) not yet released.
int64_t liveResbufs();
// One line per bad release since the reset: a double release or a pointer never handed out.
std::vector<std::string> memoryProblems();

// ---- Command line
// Everything printed on the command line since the reset or the last takeCommandLine().
std::string commandLine();
// Returns commandLine() and empties it.
std::string takeCommandLine();
// When on (tools), command-line output also goes to standard output as it is printed.
void echoCommandLine(bool on);

// ---- Failures on purpose
// The calls that can fail form one table (platform/failable_calls.h, one list per stand-in
// folder). Makes the named host or Windows call ("acedDefun", "acedPutSym", "fopen", ...) fail:
// the call that comes nth from now fails, and so do the count-1 calls after it (count -1: every
// one). A name not in the table is a misuse: the test fails naming it. A plan replaces the
// earlier plan of the same call.
void failCall(const std::string& call, int nth = 1, int count = 1);
// True when the named call can be made to fail here: the stand-in host's calls always, the
// Windows calls only where the stand-in answers them. On Windows the system answers its own calls,
// so failCall refuses them as a misuse; tests that plan one skip there (qvtest::forEachFailure
// and QV_SKIP_UNLESS_FAILABLE do). A name not in the table is a misuse.
bool canFail(const std::string& call);
// Forgets every planned failure.
void clearFailures();
// Calls planned to fail that have not failed even once (the fixture fails a test that leaves one:
// the failure path it meant to test was never taken).
std::vector<std::string> unreachedFailures();
// How many times the named call was made since the reset (whether it failed or not), in every
// thread. A name not in the table is a misuse, and so is a call that cannot fail here (canFail):
// Windows does not count its own calls.
int callCount(const std::string& call);
// True while this thread is inside a call of the stand-in (a host or Windows call), whose own
// allocations are the system's: a test that fails the library's allocations passes them.
bool inStandInCall();

} // namespace sim

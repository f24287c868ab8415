// What qvhost is asked to do: its command-line options, and the help that describes them.
#pragma once

#include <string>
#include <vector>

namespace qvhost {

struct ConsoleOptions {
  std::vector<std::string> scripts;     // run in order; "-" is standard input
  std::vector<std::string> expressions; // --eval, run before the scripts
  std::string userDir;                  // the console's own per-user folder
  std::string lispDir;                  // lspdir$; empty: the family's installed support files
  std::string usrDir;                   // usrdir$; empty: userDir/user
  std::string tmpDir;                   // tmpdir$; empty: userDir/tmp
  std::string drawing;                  // a drawing to open; empty: a new one ("Drawing1.dwg")
  bool loadSupport = true;              // load the family's support LISP file
  bool keepRegistry = true;             // load and save userDir/registry.reg
  bool help = false;
};

// Reads the arguments after the program's name. False with a message for an unknown option or a
// missing value.
bool parseOptions(const std::vector<std::string>& args, ConsoleOptions* options,
                  std::string* message);
// The text of --help.
const char* helpText();
// The per-user folder when none is given: $XDG_CONFIG_HOME/quorvane, else $HOME/.quorvane, else
// ./.quorvane.
std::string defaultUserDir();

} // namespace qvhost

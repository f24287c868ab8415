// One run of the stand-in host for the console: started with the module loaded, a drawing open
// and the family's folders and support file in place; stopped with everything given back.
#pragma once

#include <string>

#include "console_options.h"

namespace qvhost {

class ConsoleSession {
public:
  explicit ConsoleSession(const ConsoleOptions& options) : options_(options) {}
  // Starts the host. False, with a message, when it cannot (a folder that cannot be made, a
  // drawing that does not open, a module the host refuses, a support file that fails).
  bool start(std::string* message);
  // Runs AutoLISP text, or a script file through load ("-": standard input). False, with the
  // place and the host's message, when it stops with an error; *quit when it called quit or exit.
  bool runText(const std::string& text, std::string* message, bool* quit);
  bool runScript(const std::string& script, std::string* message, bool* quit);
  // Unloads the module, saves the registry and checks that the host holds nothing any more.
  // False, with a message, for anything left or not saved.
  bool stop(std::string* message);

private:
  const ConsoleOptions& options_;
  bool moduleLoaded_ = false;
};

// A host folder as the family's symbols hold it: backslashes and a final backslash.
std::string hostFolderSymbol(const std::string& folder);

} // namespace qvhost

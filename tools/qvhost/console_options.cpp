// qvhost's options and its help text.
#include "console_options.h"

#include <cstdlib>

namespace qvhost {

const char* helpText() {
  return R"(Usage: qvhost [options] [script.lsp ...]

Runs the Quorvane module in the stand-in CAD host: starts the host, opens a drawing, loads the
module through its entry point (kInitAppMsg, then kLoadDwgMsg), sets the family's folder symbols
lspdir$, usrdir$ and tmpdir$, loads the family's support file qvanutil.lsp, and runs each
AutoLISP script named, in order. Everything the host prints on its command line goes to standard
output. At the end the module is unloaded (kUnloadDwgMsg, kUnloadAppMsg).

Without a script, on a terminal, qvhost is an interactive command line with the host's prompt
"Command: ": type AutoLISP expressions (a line may continue until the parentheses close),
"!name" to see a symbol's value, the name of a command defined as (defun c:name ...), or QUIT.
Dialogs, file dialogs, prompts and message boxes then ask you at the keyboard; an empty answer
cancels. Without a script and without a terminal, standard input is read as one script.

In a script the person's answers come from the queue of answers, filled beforehand by:
  (qvhost:answer "button" 1)          a button or dialog status (1 OK, 2 Cancel, 6 Yes, 7 No)
  (qvhost:answer "text" "abc")        a typed text or keyword
  (qvhost:answer "file" "C:\\x.txt")  the file chosen in a file dialog
  (qvhost:answer "point" 1.0 2.0 0.0) a point
  (qvhost:answer "tile" "key" "val")  a value set in a dialog's tile
  (qvhost:answer "press" "key")       a dialog button pressed
  (qvhost:answer "pick" ename '(1 2)) an entity picked at a point (nil: empty space)
  (qvhost:answer "cancel")            the person cancels
  (qvhost:answer "break" 1)           ESC pressed at the next check (0: not pressed)
and (qvhost:asked) lists what was asked so far, as (call prompt) pairs, a dialog once however
many steps it took. With the queue empty, a question is answered as a person who cancels. An
answer of another kind than the question's, or a dialog step no person could take, stops the
script with an error (exit status 1) that neither *error* nor vl-catch-all-apply catches; on the
interactive command line it is shown and the question is put to you instead.

Options:
  -h, --help          this text
  -e, --eval EXPR     evaluate AutoLISP text before the scripts (may be repeated)
  --user-dir DIR      the console's per-user folder (default $XDG_CONFIG_HOME/quorvane, else
                      ~/.quorvane); it holds user/, tmp/ and registry.reg
  --lspdir DIR        value of lspdir$ (default: the family's support files, lisp/)
  --usrdir DIR        value of usrdir$ (default: USER-DIR/user)
  --tmpdir DIR        value of tmpdir$ (default: USER-DIR/tmp)
  --drawing PATH      open this drawing instead of a new one
  --no-support        do not load qvanutil.lsp
  --no-registry       do not load or save USER-DIR/registry.reg

The registry of the stand-in Windows persists in USER-DIR/registry.reg: it is imported at start
and written back whole ("Windows Registry Editor Version 5.00") at the end. Folders are given to
the host as host paths with backslashes ("\home\me\.quorvane\user\"); support files and scripts
are found by load and findfile in the current folder, then in lspdir$ and usrdir$.

Exit status: 0 when every script ran (also after (quit) or (exit)); 1 when a script stopped with
an error (the message names the file, the line and the expression); 2 for a usage error or a
host that could not start; 3 when the host was left with memory, files or keys in use.
)";
}

std::string defaultUserDir() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
    return std::string(config) + "/quorvane";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return std::string(home) + "/.quorvane";
  }
  return ".quorvane";
}

bool parseOptions(const std::vector<std::string>& args, ConsoleOptions* options,
                  std::string* message) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string* value = nullptr;
    if (arg == "-h" || arg == "--help") {
      options->help = true;
      continue;
    }
    if (arg == "--no-support") {
      options->loadSupport = false;
      continue;
    }
    if (arg == "--no-registry") {
      options->keepRegistry = false;
      continue;
    }
    if (arg == "-e" || arg == "--eval") {
      options->expressions.emplace_back();
      value = &options->expressions.back();
    } else if (arg == "--user-dir") {
      value = &options->userDir;
    } else if (arg == "--lspdir") {
      value = &options->lispDir;
    } else if (arg == "--usrdir") {
      value = &options->usrDir;
    } else if (arg == "--tmpdir") {
      value = &options->tmpDir;
    } else if (arg == "--drawing") {
      value = &options->drawing;
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      *message = "unknown option " + arg + " (see qvhost --help)";
      return false;
    } else {
      options->scripts.push_back(arg);
      continue;
    }
    if (i + 1 >= args.size()) {
      *message = "option " + arg + " needs a value (see qvhost --help)";
      return false;
    }
    *value = args[++i];
  }
  if (options->userDir.empty()) {
    options->userDir = defaultUserDir();
  }
  return true;
}

} // namespace qvhost

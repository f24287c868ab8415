// The host's command line typed at a terminal: "Command: ", AutoLISP expressions (continued over
// lines until their parentheses close), "!symbol", and commands defined as c: functions.
#include "command_line_loop.h"

#include <string>

#include "console_person.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"

namespace qvhost {
namespace {

std::string upper(std::string text) {
  for (char& c : text) {
    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return text;
}

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return "";
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Parentheses still open at the end of the text (strings and comments skipped).
int openParentheses(const std::string& text) {
  int open = 0;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == ';') {
      const size_t end = text.find('\n', i);
      i = end == std::string::npos ? text.size() : end;
    } else if (c == '(') {
      ++open;
    } else if (c == ')') {
      --open;
    }
  }
  return open;
}

// Shows a value on the command line in pieces that fit the host's buffer.
void show(const std::string& value) {
  for (size_t at = 0; at < value.size(); at += 128) {
    acutPrintf("%s", value.substr(at, 128).c_str());
  }
}

// Evaluates typed text and shows its value as the host echoes it.
void evaluate(const std::string& text) {
  std::string value;
  sim::LispFailure failure;
  if (sim::runLisp(text, &value, &failure)) {
    show(value);
  }
}

} // namespace

int runCommandLine(std::FILE* in) {
  std::string line;
  while (true) {
    sim::takeCommandLine(); // what was shown is on the terminal; keep no copy
    acutPrintf("\nCommand: ");
    std::fflush(stdout);
    if (!readLine(in, &line)) {
      acutPrintf("\n");
      return 0;
    }
    std::string text = trimmed(line);
    if (text.empty()) {
      continue;
    }
    if (text[0] == '!') {
      evaluate(text.substr(1));
      continue;
    }
    if (text[0] == '(' || text[0] == '\'') {
      // A line may continue the expression: the host's prompt shows the open parentheses.
      for (int open = openParentheses(text); open > 0; open = openParentheses(text)) {
        acutPrintf("%s_> ", std::string(static_cast<size_t>(open), '(').c_str());
        std::fflush(stdout);
        if (!readLine(in, &line)) {
          break;
        }
        text += "\n" + line;
      }
      std::string value;
      sim::LispFailure failure;
      if (sim::runLisp(text, &value, &failure)) {
        show(value);
      } else if (failure.message == "; error: quit / exit abort") {
        return 0;
      }
      continue;
    }
    const std::string command = upper(text);
    if (command == "QUIT" || command == "EXIT") {
      return 0;
    }
    // A command is a c: function of AutoLISP; only a plain name is looked up.
    std::string type;
    const bool plain = command.find_first_of(" \t()\"';|.") == std::string::npos;
    if (plain) {
      sim::runLisp("(type c:" + command + ")", &type, nullptr);
    }
    if (type == "USUBR" || type == "SUBR") {
      evaluate("(c:" + command + ")");
    } else {
      acutPrintf("Unknown command \"%s\".  Press F1 for help.", command.c_str());
    }
  }
}

} // namespace qvhost

// Control surface of the stand-in host's AutoLISP interpreter, for tests and tools.
//
// Each document has its own interpreter: its symbols, its functions defined with defun, and the
// built-ins. Text given here is read and evaluated as loading a file does: expression after
// expression, output on the command line, the first error stopping the rest.
//
//   std::string error;
//   sim::evalLisp("(setq x (* 6 7))");                  // "42"
//   sim::evalLisp("(/ 1 0)", &error);                   // error == "; error: divide by zero"
#pragma once

#include <cstdint>
#include <string>

namespace sim {

// Reads and evaluates every expression of source in the current document and returns the last
// value as prin1 prints it ("" for none). On an error the report goes to the command line (or to
// the document's *error* function), the result is "", error gets the host's message ("; error:
// ...") and line the line of the expression that failed; without an error both are emptied.
std::string evalLisp(const std::string& source, std::string* error = nullptr, int* line = nullptr);
// Where and why an evaluation failed.
struct LispFailure {
  std::string message;    // the host's message, "; error: ..."
  std::string file;       // the file being loaded (load), empty for the text given itself
  int line = 0;           // where the top-level expression that failed starts in that file or text
  std::string expression; // the call that failed as prin1 prints it, shortened; may be empty
};
// As evalLisp: true with *value (when given) the last value as prin1 prints it; false on an error,
// described in *failure (when given).
bool runLisp(const std::string& source, std::string* value, LispFailure* failure);
// Stops the current document's run in progress, from inside a call it made (a console's misuse
// handler): once the built-in or host call in progress returns, the run ends with the error
// message, which neither *error* nor vl-catch-all-apply handles and which is not printed; runLisp
// describes it with the place and the call. False, with nothing changed, when no run is in
// progress.
bool stopLisp(const std::string& message);
// Reads every expression of source without evaluating any: false, with AutoLISP's message and
// the line, when the text is not well formed.
bool readLisp(const std::string& source, std::string* error = nullptr, int* line = nullptr);
// Bounds evaluation, for running text nobody checked (fuzzing): a run stops with an error after
// steps calls (0: no bound), and nesting deeper than depth levels gives the stack error (0: the
// host's own bound). Holds for every session until changed.
void limitLisp(int64_t steps, int depth);
// The interpreter's values alive in every session (a reset frees them all).
int64_t liveLispValues();
// text as an AutoLISP string literal, as prin1 prints it: quoted, with its quotes, backslashes and
// control characters escaped, so that a Windows path put into source keeps its separators.
std::string lispString(const std::string& text);

} // namespace sim

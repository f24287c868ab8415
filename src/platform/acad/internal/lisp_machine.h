// The stand-in's AutoLISP interpreter for one document: its symbols, the evaluator, errors as
// the host reports them, and output to the command line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/acad/adsdef.h"
#include "platform/acad/internal/lisp_cell.h"

namespace sim::detail {

// An AutoLISP error unwinding to the nearest vl-catch-all-apply or to the top level. message is
// the host's text without the "; error: " prefix.
struct LispThrow {
  std::string message;
  int line = 0;
  bool handled = false;   // *error* has already been called for it
  std::string file;       // the file being loaded where it happened; empty for text run directly
  std::string expression; // the call being evaluated, as prin1 prints it (shortened)
  int topLine = 0;        // the line where the top-level expression being evaluated starts
};

class LispMachine {
public:
  LispMachine();
  ~LispMachine();
  LispMachine(const LispMachine&) = delete;
  LispMachine& operator=(const LispMachine&) = delete;

  // The symbol of that name (upper-cased), made on first use; "NIL" is nil.
  LispRef intern(const std::string& name);
  // The symbol of that upper-cased name if it exists; null otherwise.
  LispRef findSymbol(const std::string& key) const;
  // Inline: the evaluator's commonest step is a symbol's value or a constant.
  LispRef eval(const LispRef& form) {
    countStep();
    if (form && form->kind == LispKind::Symbol) {
      return form->value;
    }
    if (form && form->kind == LispKind::Cons) {
      return evalCall(form);
    }
    return form;
  }
  // Calls a function value (built-in, user function, a symbol naming one, or a lambda list).
  LispRef apply(const LispRef& function, LispArgs& args);
  // Reads and evaluates every expression of source; last is the value of the last one, null when
  // the text has none. False on an error, described in failure (message without the "; error: "
  // prefix); the host's report has then been made.
  bool run(const std::string& source, std::optional<LispRef>* last, LispThrow* failure);
  // Reads and evaluates every expression of a file's text as load does, with file as the place
  // of its errors; the value of the last expression. Errors unwind as LispThrow.
  LispRef loadText(const std::string& source, const std::string& file);

  [[noreturn]] void fail(const std::string& message);
  // Reports an error that reached the top level: through *error*, or "; error: ..." without one;
  // nothing when *error* has already seen it.
  void report(const LispThrow& thrown);
  // "bad argument type: <predicate> <value>" (numberp and fixnump put a colon after the name).
  [[noreturn]] void badArgument(const char* predicate, const LispRef& value);
  // Checks the count of arguments of a built-in.
  void arity(const LispArgs& args, size_t least, size_t most);

  void defineSubr(const char* name, LispSubr subr);
  void defineSpecial(const char* name, LispSpecial special);
  // Writes text on the command line in pieces that fit the host's buffer.
  void write(const std::string& text);

  const LispRef& t() const { return t_; }
  LispRef truth(bool value) const { return value ? t_ : LispRef(); }

  // Counts one step of evaluation; beyond the bound of sim::limitLisp the run stops with an error.
  void countStep() {
    if (stepBound_ > 0 && ++steps_ > stepBound_) {
      stepLimitReached();
    }
  }

  // Stops the run in progress once the built-in or host call in progress returns (sim::stopLisp):
  // the error then neither reaches *error* nor is caught by vl-catch-all-apply, and nothing is
  // printed for it. False when no run is in progress.
  bool requestStop(const std::string& message);
  bool stopping() const { return !stopMessage_.empty(); }
  // Throws the stop requested, if any; called as each built-in or host call returns.
  void checkStop() {
    if (!stopMessage_.empty()) {
      stopNow();
    }
  }

  int catchDepth = 0; // vl-catch-all-apply frames open
  // Upper-cased names of the functions exposed to applications with vl-acad-defun.
  std::set<std::string> exposed;
  // Streams opened with open and not closed yet; the machine closes what is left when it ends.
  std::vector<std::FILE*> openFiles;

private:
  friend struct LispDepthGuard;
  LispRef evalCall(const LispRef& form);
  LispRef callUser(const LispRef& function, LispArgs& args);
  void callErrorHandler(const std::string& message);
  [[noreturn]] void stepLimitReached();
  [[noreturn]] void stopNow();
  // The call being evaluated as prin1 prints it, shortened to what a message line holds.
  std::string callText() const;

  std::map<std::string, LispRef> symbols_;
  LispRef t_;
  LispRef lambda_;
  LispRef slash_;
  LispRef errorHandler_;
  int depth_ = 0;
  int line_ = 0;
  const LispCell* form_ = nullptr; // the call being evaluated
  std::string file_;               // the file being loaded
  int64_t steps_ = 0;              // steps evaluated in this run
  int64_t stepBound_ = 0;          // sim::limitLisp's bound, read as each run starts
  static constexpr size_t kKeptArgFrames = 64;
  LispArgs argFrames_[kKeptArgFrames]; // argument vectors kept for reuse, one per nesting level
  size_t argDepth_ = 0;                // calls whose arguments are being evaluated or used
  int topLine_ = 0; // where the top-level expression of that file (or text) starts
  bool inErrorHandler_ = false;
  int runs_ = 0;            // runs in progress (run() within a call of a run)
  std::string stopMessage_; // the stop requested for the run in progress
};

// Argument checks of the built-ins: the value, or AutoLISP's bad-argument error.
int32_t needInteger(LispMachine& machine, const LispRef& value);
double needNumber(LispMachine& machine, const LispRef& value);
const std::string& needString(LispMachine& machine, const LispRef& value);
const LispRef& needList(LispMachine& machine, const LispRef& value); // nil or a cons
const LispRef& needSymbol(LispMachine& machine, const LispRef& value);
// The arguments of a special form (the rest of the form) as a vector of unevaluated parts.
LispArgs formArgs(const LispRef& form);

// Functions of modules and of the family (lisp_host_calls.cpp): whether the current document
// has one of that upper-cased name, and its call.
bool isHostFunction(const std::string& key);
LispRef callHostFunction(LispMachine& machine, const std::string& key, const LispArgs& args);

// The built-ins, by family (lisp_builtins_*.cpp).
void defineControlForms(LispMachine& machine);
void defineListFunctions(LispMachine& machine);
void defineNumberFunctions(LispMachine& machine);
void defineStringFunctions(LispMachine& machine);
void defineUnitFunctions(LispMachine& machine);
void defineFileFunctions(LispMachine& machine);
void defineHostFunctions(LispMachine& machine);
void defineRegistryFunctions(LispMachine& machine);
void defineEntityFunctions(LispMachine& machine);
void defineCommandFunction(LispMachine& machine); // lisp_builtins_command.cpp
void defineSelectionFunctions(LispMachine& machine);

// The open stream of a file value, or AutoLISP's bad-argument error (a closed file included).
std::FILE* needOpenFile(LispMachine& machine, const LispRef& value);
// Calls a function of the document's AutoLISP for an application (acedInvoke): the arguments and
// result in the host's list form. RTNONE when key names no function exposed with vl-acad-defun
// (nor a command "C:..."); RTERROR when the call fails (the error is reported as at the top
// level) or its result has no host form.
int invokeLispFunction(const std::string& key, const resbuf* args, resbuf** result);

// Deepest nesting of evaluation (and of the reader's lists) before AutoLISP's stack error; the
// error comes earlier when the thread's own stack runs short.
constexpr int kLispMaxDepth = 100000;
extern const char* const kLispStackMessage;
// Throws AutoLISP's stack error when depth is beyond the bound or the thread's stack is nearly
// used up.
void checkLispStack(int depth, int line);
// Marks the stack where the outermost reading or evaluation starts, while it lives.
class LispStackBase {
public:
  LispStackBase();
  ~LispStackBase();
  LispStackBase(const LispStackBase&) = delete;
  LispStackBase& operator=(const LispStackBase&) = delete;

private:
  uintptr_t saved_;
};

// The interpreter of the current document (made on first use); null with no document open.
LispMachine* currentLispMachine();
// Bounds every interpreter's runs: at most steps calls per run (0: no bound) and depth levels of
// nesting (at most kLispMaxDepth).
void limitLisp(int64_t steps, int depth);
// Cells alive once the machines of an ended session are gone.
int64_t liveLispCellsOfSession();

} // namespace sim::detail

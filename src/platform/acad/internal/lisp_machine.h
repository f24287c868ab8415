// The stand-in's AutoLISP interpreter for one document: its symbols, the evaluator, errors as
// the host reports them, and output to the command line.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/acad/internal/lisp_cell.h"

namespace sim::detail {

// An AutoLISP error unwinding to the nearest vl-catch-all-apply or to the top level. message is
// the host's text without the "; error: " prefix.
struct LispThrow {
  std::string message;
  int line = 0;
  bool handled = false; // *error* has already been called for it
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
  LispRef eval(const LispRef& form);
  // Calls a function value (built-in, user function, a symbol naming one, or a lambda list).
  LispRef apply(const LispRef& function, LispArgs& args);
  // Reads and evaluates every expression of source; last is the value of the last one, null when
  // the text has none. False on an error, whose message (with the "; error: " prefix) and line
  // are given; the host's report has then been made.
  bool run(const std::string& source, std::optional<LispRef>* last, std::string* error, int* line);

  [[noreturn]] void fail(const std::string& message);
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

  int catchDepth = 0; // vl-catch-all-apply frames open

private:
  friend struct LispDepthGuard;
  LispRef evalCall(const LispRef& form);
  LispRef callUser(const LispRef& function, LispArgs& args);
  void callErrorHandler(const std::string& message);

  std::map<std::string, LispRef> symbols_;
  LispRef t_;
  LispRef lambda_;
  LispRef slash_;
  LispRef errorHandler_;
  int depth_ = 0;
  int line_ = 0;
  bool inErrorHandler_ = false;
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
// Cells alive once the machines of an ended session are gone.
int64_t liveLispCellsOfSession();

} // namespace sim::detail

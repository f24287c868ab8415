// The evaluator of the stand-in's AutoLISP: symbols with dynamic binding, calls of built-ins and
// user functions, errors through *error*, and the depth bound.
#include "platform/acad/internal/lisp_machine.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/lisp_text.h"
#include "platform/internal/session.h"

namespace sim::detail {

const char* const kLispStackMessage =
    "Hard error occurred *** internal stack limit reached (simulated)";

namespace {

// Below this many bytes of the thread's stack left, evaluation stops with the stack error; what
// remains is for the error's own handling and the sanitizers' reports.
constexpr uintptr_t kStackReserve = 256 * 1024;
// Used when the thread's stack cannot be asked for: the stack evaluation may take.
constexpr uintptr_t kFallbackBudget = 512 * 1024;
// The lowest frame address evaluation may reach in this thread; 0 outside any evaluation.
thread_local uintptr_t stackLimit = 0;
// Bounds set through sim::limitLisp (fuzzing): calls per run (0: none) and nesting.
std::atomic<int64_t> stepBound{0};
std::atomic<int> depthBound{kLispMaxDepth};

uintptr_t stackHere() {
  return reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
}

// The lowest address this thread's stack may reach; 0 when the system does not say.
uintptr_t findStackFloor() {
  void* low = nullptr;
#ifdef _WIN32
  // The thread's stack is one reservation; its base is the lowest address the stack may reach.
  MEMORY_BASIC_INFORMATION region{};
  if (VirtualQuery(&region, &region, sizeof region) != 0) {
    low = region.AllocationBase;
  }
#else
  pthread_attr_t attributes;
  size_t size = 0;
  if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
    pthread_attr_getstack(&attributes, &low, &size);
    pthread_attr_destroy(&attributes);
  }
#endif
  return reinterpret_cast<uintptr_t>(low);
}

// Asked once per thread: on Linux, asking for the main thread's stack reads /proc/self/maps,
// which costs far more than a short evaluation.
uintptr_t threadStackFloor() {
  thread_local const uintptr_t floor = findStackFloor();
  return floor;
}

uintptr_t findStackLimit() {
  const uintptr_t here = stackHere();
  const uintptr_t floor = threadStackFloor();
  if (floor == 0 || here <= floor + kStackReserve) {
    return here > kFallbackBudget ? here - kFallbackBudget : 0;
  }
  return floor + kStackReserve;
}

} // namespace

LispStackBase::LispStackBase() : saved_(stackLimit) {
  if (stackLimit == 0) {
    stackLimit = findStackLimit();
  }
}

LispStackBase::~LispStackBase() {
  stackLimit = saved_;
}

namespace {

[[noreturn, gnu::noinline]] void throwStackError(int line) {
  // No handler runs this deep; the top level calls *error* once the stack is unwound.
  throw LispThrow{kLispStackMessage, line, false, "", "", 0};
}

// Inline: every call of a function passes here.
inline void checkStack(int depth, int line) {
  if (depth >= depthBound.load(std::memory_order_relaxed) || stackHere() < stackLimit)
      [[unlikely]] {
    throwStackError(line);
  }
}

} // namespace

void checkLispStack(int depth, int line) {
  checkStack(depth, line);
}

// Counts one level of evaluation and keeps the line of the form being evaluated.
struct LispDepthGuard {
  LispDepthGuard(LispMachine& machine, int line, const LispCell* form = nullptr)
      : machine_(machine), savedLine_(machine.line_), savedForm_(machine.form_) {
    checkStack(machine.depth_, machine.line_);
    ++machine.depth_;
    if (line > 0) {
      machine.line_ = line;
    }
    if (form != nullptr) {
      machine.form_ = form;
    }
  }
  ~LispDepthGuard() {
    --machine_.depth_;
    machine_.line_ = savedLine_;
    machine_.form_ = savedForm_;
  }
  LispDepthGuard(const LispDepthGuard&) = delete;
  LispDepthGuard& operator=(const LispDepthGuard&) = delete;

private:
  LispMachine& machine_;
  int savedLine_;
  const LispCell* savedForm_;
};

namespace {

// Set as the process exits: the Windows layer's state may be gone by the time the last
// interpreters end, and the system closes their files anyway.
std::atomic<bool> processExiting{false};

void noteProcessExit() {
  processExiting = true;
}

} // namespace

LispMachine::LispMachine() {
  // Registered after the sessions' state exists, so it runs before that state is destroyed.
  static const bool registered = std::atexit(noteProcessExit) == 0;
  (void)registered;
  stepBound_ = stepBound.load(std::memory_order_relaxed);
  t_ = intern("T");
  t_->value = t_;
  lambda_ = intern("LAMBDA");
  slash_ = intern("/");
  errorHandler_ = intern("*ERROR*");
  defineControlForms(*this);
  defineListFunctions(*this);
  defineNumberFunctions(*this);
  defineStringFunctions(*this);
  defineUnitFunctions(*this);
  defineFileFunctions(*this);
  defineHostFunctions(*this);
  defineRegistryFunctions(*this);
  defineEntityFunctions(*this);
  defineCommandFunction(*this);
  defineSelectionFunctions(*this);
}

LispMachine::~LispMachine() {
  for (std::FILE* stream : openFiles) {
    if (!processExiting) {
      std::fclose(stream);
    }
  }
  // Values may hold their own symbols: empty every symbol before the symbols go.
  for (auto& entry : symbols_) {
    entry.second->value = LispRef();
  }
}

LispRef LispMachine::intern(const std::string& name) {
  const std::string key = upperCase(name);
  if (key == "NIL") {
    return LispRef();
  }
  auto found = symbols_.find(key);
  if (found != symbols_.end()) {
    return found->second;
  }
  LispRef symbol = makeCell(LispKind::Symbol);
  symbol->text = key;
  symbols_.emplace(key, symbol);
  return symbol;
}

LispRef LispMachine::findSymbol(const std::string& key) const {
  auto found = symbols_.find(key);
  return found == symbols_.end() ? LispRef() : found->second;
}

void LispMachine::defineSubr(const char* name, LispSubr subr) {
  LispRef function = makeCell(LispKind::Subr);
  function->text = upperCase(name);
  function->subr = subr;
  intern(name)->value = function;
}

void LispMachine::defineSpecial(const char* name, LispSpecial special) {
  LispRef function = makeCell(LispKind::Subr);
  function->text = upperCase(name);
  function->special = special;
  intern(name)->value = function;
}

void LispMachine::write(const std::string& text) {
  // acutPrintf keeps 132 characters of one call.
  for (size_t at = 0; at < text.size(); at += 128) {
    acutPrintf("%s", text.substr(at, 128).c_str());
  }
}

void LispMachine::callErrorHandler(const std::string& message) {
  const LispRef handler = errorHandler_->value;
  if (!handler || inErrorHandler_) {
    return;
  }
  inErrorHandler_ = true;
  try {
    LispArgs args{makeString(message)};
    apply(handler, args);
  } catch (const LispThrow& inner) {
    write("; error: " + inner.message + "\n");
  }
  inErrorHandler_ = false;
}

void LispMachine::fail(const std::string& message) {
  // *error* runs where the error happened, before the locals of the failed calls are restored.
  const bool handled = catchDepth == 0 && errorHandler_->value && !inErrorHandler_;
  if (handled) {
    callErrorHandler(message);
  }
  throw LispThrow{message, line_, handled, file_, catchDepth == 0 ? callText() : "", topLine_};
}

std::string LispMachine::callText() const {
  if (form_ == nullptr) {
    return {};
  }
  std::string expression = printValue(LispRef(const_cast<LispCell*>(form_)), true);
  if (expression.size() > 72) {
    expression = expression.substr(0, 68) + " ...";
  }
  return expression;
}

bool LispMachine::requestStop(const std::string& message) {
  if (runs_ == 0) {
    return false;
  }
  if (stopMessage_.empty()) {
    stopMessage_ = message.empty() ? "stopped" : message;
  }
  return true;
}

void LispMachine::stopNow() {
  // Marked handled: *error* does not run and nothing is printed; the caller of the run reports it.
  throw LispThrow{stopMessage_, line_, true, file_, callText(), topLine_};
}

void LispMachine::badArgument(const char* predicate, const LispRef& value) {
  const bool colon = std::string(predicate) == "numberp" || std::string(predicate) == "fixnump";
  fail(std::string("bad argument type: ") + predicate + (colon ? ": " : " ") +
       printValue(value, true));
}

void LispMachine::arity(const LispArgs& args, size_t least, size_t most) {
  if (args.size() < least) {
    fail("too few arguments");
  }
  if (args.size() > most) {
    fail("too many arguments");
  }
}

void LispMachine::stepLimitReached() {
  fail("evaluation stopped after " + std::to_string(stepBound_) + " steps (simulated)");
}

LispRef LispMachine::evalCall(const LispRef& form) {
  LispDepthGuard guard(*this, form->line, form.get());
  const LispRef& head = form->car;
  LispRef function;
  if (isKind(head, LispKind::Symbol)) {
    function = head->value;
    if (!function && isHostFunction(head->text)) {
      function = head; // a module's or the family's function, called through the host
    } else if (!function) {
      fail("no function definition: " + head->text);
    }
  } else if (isCons(head) && head->car == lambda_) {
    function = head; // applied as a lambda list
  } else {
    function = eval(head);
  }
  if (isKind(function, LispKind::Subr) && function->special != nullptr) {
    return function->special(*this, form);
  }
  // A symbol whose value is a symbol naming a function calls that function: (setq f '+) (f 1 2).
  if (!(function == head) && !isKind(function, LispKind::Subr) &&
      !isKind(function, LispKind::UserFunction) && !isKind(function, LispKind::Symbol) &&
      !(isCons(function) && function->car == lambda_)) {
    fail("bad function: " + printValue(function, true));
  }
  // Each level of nesting keeps its argument vector for reuse: a call would otherwise allocate
  // one each time.
  struct Frame {
    LispMachine& machine;
    LispArgs* args;
    LispArgs own; // deeper than the vectors kept
    explicit Frame(LispMachine& m) : machine(m), args(&own) {
      if (machine.argDepth_ < kKeptArgFrames) {
        args = &machine.argFrames_[machine.argDepth_];
      }
      ++machine.argDepth_;
    }
    ~Frame() {
      args->clear();
      --machine.argDepth_;
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
  } frame(*this);
  LispArgs& args = *frame.args;
  const LispCell* rest = form->cdr.get();
  for (; rest != nullptr && rest->kind == LispKind::Cons; rest = rest->cdr.get()) {
    args.push_back(eval(rest->car));
  }
  return apply(function, args);
}

LispRef LispMachine::apply(const LispRef& function, LispArgs& args) {
  if (isKind(function, LispKind::Subr) && function->subr != nullptr) {
    LispDepthGuard guard(*this, 0);
    LispRef result = function->subr(*this, args);
    checkStop();
    return result;
  }
  if (isKind(function, LispKind::UserFunction)) {
    return callUser(function, args);
  }
  if (isCons(function) && function->car == lambda_) {
    // A quoted lambda list, as mapcar and apply take it.
    LispRef made = makeCell(LispKind::UserFunction);
    made->text = "-lambda-";
    made->car = car(function->cdr);
    made->cdr = cdr(function->cdr);
    return callUser(made, args);
  }
  if (isKind(function, LispKind::Symbol) && function->value &&
      function->value->kind != LispKind::Symbol) {
    return apply(function->value, args);
  }
  if (isKind(function, LispKind::Symbol) && !function->value) {
    if (isHostFunction(function->text)) {
      LispDepthGuard guard(*this, 0);
      LispRef result = callHostFunction(*this, function->text, args);
      checkStop();
      return result;
    }
    fail("no function definition: " + function->text);
  }
  fail("bad function: " + printValue(function, true));
}

LispRef LispMachine::callUser(const LispRef& function, LispArgs& args) {
  LispDepthGuard guard(*this, 0);
  // Parameters take the arguments, the locals after "/" start nil; all get their old values
  // back however the call ends.
  struct Saved {
    LispCell* symbol;
    LispRef value;
  };
  std::vector<Saved> saved;
  struct Restore {
    std::vector<Saved>& saved;
    ~Restore() {
      for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
        it->symbol->value = std::move(it->value);
      }
    }
  } restore{saved};
  size_t used = 0;
  bool locals = false;
  for (const LispCell* param = function->car.get();
       param != nullptr && param->kind == LispKind::Cons; param = param->cdr.get()) {
    LispCell* symbol = param->car.get();
    if (symbol == nullptr || symbol->kind != LispKind::Symbol) {
      continue;
    }
    if (symbol == slash_.get()) {
      locals = true;
      continue;
    }
    LispRef value;
    if (!locals) {
      if (used >= args.size()) {
        fail("too few arguments");
      }
      value = args[used++];
    }
    saved.push_back({symbol, std::exchange(symbol->value, std::move(value))});
  }
  if (used < args.size()) {
    fail("too many arguments");
  }
  LispRef result;
  for (const LispCell* body = function->cdr.get(); body != nullptr && body->kind == LispKind::Cons;
       body = body->cdr.get()) {
    result = eval(body->car);
  }
  return result;
}

bool LispMachine::run(const std::string& source, std::optional<LispRef>* last, LispThrow* failure) {
  LispStackBase stackBase;
  struct RunScope {
    LispMachine& machine;
    explicit RunScope(LispMachine& m) : machine(m) {
      if (machine.runs_++ == 0) {
        machine.stopMessage_.clear();
      }
    }
    ~RunScope() {
      if (--machine.runs_ == 0) {
        machine.stopMessage_.clear();
      }
    }
  } runScope(*this);
  LispReader reader(*this, source);
  steps_ = 0;
  stepBound_ = stepBound.load(std::memory_order_relaxed);
  try {
    try {
      LispRef form;
      while (reader.next(&form)) {
        line_ = form && form->kind == LispKind::Cons ? form->line : reader.line();
        topLine_ = line_;
        *last = eval(form);
      }
      return true;
    } catch (const std::bad_alloc&) {
      throw LispThrow{"insufficient memory", line_, false, file_, "", topLine_};
    }
  } catch (const LispThrow& thrown) {
    report(thrown);
    last->reset();
    if (failure != nullptr) {
      *failure = thrown;
    }
    return false;
  }
}

void LispMachine::report(const LispThrow& thrown) {
  if (thrown.handled) {
    return;
  }
  if (errorHandler_->value && !inErrorHandler_) {
    callErrorHandler(thrown.message);
  } else {
    write("; error: " + thrown.message + "\n");
  }
}

LispRef LispMachine::loadText(const std::string& source, const std::string& file) {
  struct FileScope {
    std::string& current;
    std::string saved;
    ~FileScope() { current = std::move(saved); }
  } scope{file_, std::exchange(file_, file)};
  const int savedTopLine = topLine_;
  LispReader reader(*this, source);
  LispRef result;
  try {
    LispRef form;
    while (reader.next(&form)) {
      line_ = form && form->kind == LispKind::Cons ? form->line : reader.line();
      topLine_ = line_;
      result = eval(form);
    }
  } catch (LispThrow& thrown) {
    if (thrown.file.empty()) {
      // The reader's and the stack's errors know no file: the reader's line is in this one.
      thrown.file = file;
      thrown.topLine = thrown.message == kLispStackMessage ? topLine_ : thrown.line;
    }
    topLine_ = savedTopLine;
    throw;
  }
  topLine_ = savedTopLine;
  return result;
}

namespace {

struct LispSessions {
  std::map<int, std::unique_ptr<LispMachine>> machines; // by document id
};

} // namespace

LispMachine* currentLispMachine() {
  Document* document = currentDocument(host());
  if (document == nullptr) {
    return nullptr;
  }
  auto& machines = session<LispSessions>().machines;
  auto& machine = machines[document->id];
  if (!machine) {
    machine = std::make_unique<LispMachine>();
    // The interpreters of closed documents go when a new one is made.
    std::erase_if(machines,
                  [&](const auto& entry) { return findDocument(host(), entry.first) == nullptr; });
  }
  return machines[document->id].get();
}

void limitLisp(int64_t steps, int depth) {
  stepBound = steps;
  depthBound = depth > 0 && depth < kLispMaxDepth ? depth : kLispMaxDepth;
}

int64_t liveLispCellsOfSession() {
  session<LispSessions>(); // a session ended by a reset frees its machines on the next use
  return liveLispCells();
}

} // namespace sim::detail

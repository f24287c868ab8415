// AutoLISP's special forms and the functions that call functions or end evaluation.
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_text.h"

namespace sim::detail {

int32_t needInteger(LispMachine& machine, const LispRef& value) {
  if (!isKind(value, LispKind::Integer)) {
    machine.badArgument("fixnump", value);
  }
  return value->integer;
}

double needNumber(LispMachine& machine, const LispRef& value) {
  if (!isNumber(value)) {
    machine.badArgument("numberp", value);
  }
  return value->kind == LispKind::Integer ? value->integer : value->real;
}

const std::string& needString(LispMachine& machine, const LispRef& value) {
  if (!isKind(value, LispKind::String)) {
    machine.badArgument("stringp", value);
  }
  return value->text;
}

const LispRef& needList(LispMachine& machine, const LispRef& value) {
  if (value && !isCons(value)) {
    machine.badArgument("listp", value);
  }
  return value;
}

const LispRef& needSymbol(LispMachine& machine, const LispRef& value) {
  if (!isKind(value, LispKind::Symbol)) {
    machine.badArgument("symbolp", value);
  }
  return value;
}

LispArgs formArgs(const LispRef& form) {
  LispArgs parts;
  for (const LispCell* rest = form->cdr.get(); rest != nullptr && rest->kind == LispKind::Cons;
       rest = rest->cdr.get()) {
    parts.push_back(rest->car);
  }
  return parts;
}

namespace {

LispRef evalBody(LispMachine& machine, const LispArgs& parts, size_t from) {
  LispRef result;
  for (size_t i = from; i < parts.size(); ++i) {
    result = machine.eval(parts[i]);
  }
  return result;
}

LispRef quoteForm(LispMachine& machine, const LispRef& form) {
  LispArgs parts = formArgs(form);
  machine.arity(parts, 1, 1);
  return parts[0];
}

LispRef makeFunction(const LispRef& params, const LispRef& body, std::string name) {
  LispRef function = makeCell(LispKind::UserFunction);
  function->text = std::move(name);
  function->car = params;
  function->cdr = body;
  return function;
}

LispRef lambdaForm(LispMachine& machine, const LispRef& form) {
  LispArgs parts = formArgs(form);
  machine.arity(parts, 1, SIZE_MAX);
  needList(machine, parts[0]);
  return makeFunction(parts[0], cdr(form->cdr), "-lambda-");
}

LispRef functionForm(LispMachine& machine, const LispRef& form) {
  LispArgs parts = formArgs(form);
  machine.arity(parts, 1, 1);
  if (isCons(parts[0]) && isKind(parts[0]->car, LispKind::Symbol) &&
      parts[0]->car->text == "LAMBDA") {
    return machine.eval(parts[0]);
  }
  return parts[0];
}

LispRef setqForm(LispMachine& machine, const LispRef& form) {
  // Walks the form itself: setq is the commonest form and needs no copy of its parts.
  const LispCell* rest = form->cdr.get();
  if (rest == nullptr) {
    machine.fail("too few arguments");
  }
  LispRef value;
  for (; rest != nullptr && rest->kind == LispKind::Cons; rest = rest->cdr.get()) {
    const LispCell* next = rest->cdr.get();
    if (next == nullptr || next->kind != LispKind::Cons) {
      machine.fail("too few arguments");
    }
    const LispRef& symbol = needSymbol(machine, rest->car);
    if (symbol == machine.t()) {
      machine.fail("attempt to set constant: T");
    }
    value = machine.eval(next->car);
    symbol->value = value;
    rest = next;
  }
  return value;
}

LispRef defunForm(LispMachine& machine, const LispRef& form) {
  LispArgs parts = formArgs(form);
  machine.arity(parts, 2, SIZE_MAX);
  const LispRef& name = needSymbol(machine, parts[0]);
  needList(machine, parts[1]);
  name->value = makeFunction(parts[1], cdr(cdr(form->cdr)), name->text);
  return name;
}

LispRef ifForm(LispMachine& machine, const LispRef& form) {
  LispArgs parts = formArgs(form);
  machine.arity(parts, 2, 3);
  if (machine.eval(parts[0])) {
    return machine.eval(parts[1]);
  }
  return parts.size() == 3 ? machine.eval(parts[2]) : LispRef();
}

LispRef condForm(LispMachine& machine, const LispRef& form) {
  for (const LispRef& clause : formArgs(form)) {
    if (!isCons(clause)) {
      machine.badArgument("listp", clause);
    }
    LispRef test = machine.eval(clause->car);
    if (test) {
      return clause->cdr ? evalBody(machine, formArgs(clause), 0) : test;
    }
  }
  return LispRef();
}

LispRef whileForm(LispMachine& machine, const LispRef& form) {
  LispArgs parts = formArgs(form);
  machine.arity(parts, 1, SIZE_MAX);
  LispRef result;
  while (machine.eval(parts[0])) {
    result = evalBody(machine, parts, 1);
  }
  return result;
}

LispRef repeatForm(LispMachine& machine, const LispRef& form) {
  LispArgs parts = formArgs(form);
  machine.arity(parts, 1, SIZE_MAX);
  const int32_t count = needInteger(machine, machine.eval(parts[0]));
  LispRef result;
  for (int32_t i = 0; i < count; ++i) {
    machine.countStep(); // an empty body still takes its turns
    result = evalBody(machine, parts, 1);
  }
  return result;
}

LispRef foreachForm(LispMachine& machine, const LispRef& form) {
  LispArgs parts = formArgs(form);
  machine.arity(parts, 2, SIZE_MAX);
  const LispRef& symbol = needSymbol(machine, parts[0]);
  const LispRef list = needList(machine, machine.eval(parts[1]));
  struct Restore {
    LispCell* symbol;
    LispRef old;
    ~Restore() { symbol->value = std::move(old); }
  } restore{symbol.get(), symbol->value};
  LispRef result;
  for (const LispCell* rest = list.get(); rest != nullptr && rest->kind == LispKind::Cons;
       rest = rest->cdr.get()) {
    symbol->value = rest->car;
    result = evalBody(machine, parts, 2);
  }
  return result;
}

LispRef prognForm(LispMachine& machine, const LispRef& form) {
  return evalBody(machine, formArgs(form), 0);
}

LispRef andForm(LispMachine& machine, const LispRef& form) {
  for (const LispRef& part : formArgs(form)) {
    if (!machine.eval(part)) {
      return LispRef();
    }
  }
  return machine.t();
}

LispRef orForm(LispMachine& machine, const LispRef& form) {
  for (const LispRef& part : formArgs(form)) {
    if (machine.eval(part)) {
      return machine.t();
    }
  }
  return LispRef();
}

LispRef notSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return machine.truth(!args[0]);
}

LispRef evalSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return machine.eval(args[0]);
}

LispArgs listToArgs(LispMachine& machine, const LispRef& list) {
  LispArgs out;
  const LispCell* rest = needList(machine, list).get();
  for (; rest != nullptr && rest->kind == LispKind::Cons; rest = rest->cdr.get()) {
    out.push_back(rest->car);
  }
  return out;
}

LispRef applySubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  LispArgs callArgs = listToArgs(machine, args[1]);
  return machine.apply(args[0], callArgs);
}

LispRef mapcarSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, SIZE_MAX);
  std::vector<const LispCell*> lists;
  for (size_t i = 1; i < args.size(); ++i) {
    lists.push_back(needList(machine, args[i]).get());
  }
  LispListBuilder results;
  for (;;) {
    LispArgs callArgs;
    for (const LispCell*& list : lists) {
      if (list == nullptr || list->kind != LispKind::Cons) {
        return results.take();
      }
      callArgs.push_back(list->car);
      list = list->cdr.get();
    }
    results.add(machine.apply(args[0], callArgs));
  }
}

LispRef catchAllApplySubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  LispArgs callArgs = listToArgs(machine, args[1]);
  struct Open {
    int& depth;
    explicit Open(int& d) : depth(d) { ++depth; }
    ~Open() { --depth; }
  };
  try {
    Open open(machine.catchDepth);
    return machine.apply(args[0], callArgs);
  } catch (const LispThrow& thrown) {
    if (machine.stopping()) {
      throw;
    }
    LispRef error = makeCell(LispKind::CatchAllError);
    error->text = thrown.message;
    return error;
  }
}

LispRef catchAllErrorPSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  return machine.truth(isKind(args[0], LispKind::CatchAllError));
}

LispRef catchAllErrorMessageSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  if (!isKind(args[0], LispKind::CatchAllError)) {
    machine.badArgument("vl-catch-all-apply-error-p", args[0]);
  }
  return makeString(args[0]->text);
}

LispRef exitSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 0, 1);
  machine.fail("quit / exit abort");
}

} // namespace

void defineControlForms(LispMachine& machine) {
  machine.defineSpecial("quote", quoteForm);
  machine.defineSpecial("function", functionForm);
  machine.defineSpecial("lambda", lambdaForm);
  machine.defineSpecial("setq", setqForm);
  machine.defineSpecial("defun", defunForm);
  machine.defineSpecial("if", ifForm);
  machine.defineSpecial("cond", condForm);
  machine.defineSpecial("while", whileForm);
  machine.defineSpecial("repeat", repeatForm);
  machine.defineSpecial("foreach", foreachForm);
  machine.defineSpecial("progn", prognForm);
  machine.defineSpecial("and", andForm);
  machine.defineSpecial("or", orForm);
  machine.defineSubr("not", notSubr);
  machine.defineSubr("null", notSubr);
  machine.defineSubr("eval", evalSubr);
  machine.defineSubr("apply", applySubr);
  machine.defineSubr("mapcar", mapcarSubr);
  machine.defineSubr("vl-catch-all-apply", catchAllApplySubr);
  machine.defineSubr("vl-catch-all-error-p", catchAllErrorPSubr);
  machine.defineSubr("vl-catch-all-error-message", catchAllErrorMessageSubr);
  machine.defineSubr("exit", exitSubr);
  machine.defineSubr("quit", exitSubr);
}

} // namespace sim::detail

// AutoLISP's calls of the host: system variables (getvar, setvar), the alert box, the file
// dialog (getfiled), and the functions that applications may call (vl-acad-defun, acedInvoke).
#include <cstring>
#include <new>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_resbuf.h"
#include "platform/acad/internal/lisp_text.h"
#include "platform/internal/session.h"

namespace sim::detail {
namespace {

LispRef getvarSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  resbuf value{};
  if (acedGetVar(needString(machine, args[0]).c_str(), &value) != RTNORM) {
    return LispRef(); // an unknown variable is nil
  }
  LispValue items;
  const bool read = readChain(&value, items);
  if (value.restype == RTSTR) {
    acad_free(value.resval.rstring);
  }
  return read ? valueFromItems(machine, items) : LispRef();
}

// The host's form of a value for a variable: a list of two or three numbers is a point.
bool variableValue(const LispRef& value, resbuf* out) {
  if (isKind(value, LispKind::Integer)) {
    const bool small = value->integer >= INT16_MIN && value->integer <= INT16_MAX;
    out->restype = small ? RTSHORT : RTLONG;
    if (small) {
      out->resval.rint = static_cast<short>(value->integer);
    } else {
      out->resval.rlong = value->integer;
    }
    return true;
  }
  if (isKind(value, LispKind::Real)) {
    out->restype = RTREAL;
    out->resval.rreal = value->real;
    return true;
  }
  if (isKind(value, LispKind::String)) {
    out->restype = RTSTR;
    out->resval.rstring = const_cast<char*>(value->text.c_str());
    return true;
  }
  int count = 0;
  for (const LispCell* rest = value.get(); rest != nullptr; rest = rest->cdr.get()) {
    if (rest->kind != LispKind::Cons || !isNumber(rest->car) || count == 3) {
      return false;
    }
    const LispCell* number = rest->car.get();
    out->resval.rpoint[count++] =
        number->kind == LispKind::Integer ? number->integer : number->real;
  }
  out->restype = count == 2 ? RTPOINT : RT3DPOINT;
  return count >= 2;
}

LispRef setvarSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 2, 2);
  const std::string& name = needString(machine, args[0]);
  resbuf value{};
  if (!variableValue(args[1], &value) || acedSetVar(name.c_str(), &value) != RTNORM) {
    machine.fail("AutoCAD variable setting rejected: " + printValue(args[0], true) + " " +
                 printValue(args[1], true));
  }
  return args[1];
}

LispRef alertSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  acedAlert(needString(machine, args[0]).c_str());
  return LispRef();
}

// (getfiled title default extension flags): the host's file dialog; the path chosen, or nil.
LispRef getfiledSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 4, 4);
  const std::string& title = needString(machine, args[0]);
  const std::string& defaultName = needString(machine, args[1]);
  const std::string& extension = needString(machine, args[2]);
  const int32_t flags = needInteger(machine, args[3]);
  const sim::Answer chosen =
      takeAnswer({"getfiled", sim::Answer::Kind::FileName, title, defaultName, extension, flags});
  if (chosen.kind != sim::Answer::Kind::FileName) {
    return LispRef();
  }
  return makeString(chosen.value);
}

LispRef acadDefunSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 1);
  const std::string name =
      isKind(args[0], LispKind::String) ? args[0]->text : needSymbol(machine, args[0])->text;
  machine.exposed.insert(upperCase(name));
  return machine.t();
}

// The values of a chain of arguments: each atom, or each RTLB ... RTLE list, is one value.
LispArgs argumentsOf(LispMachine& machine, const LispValue& items) {
  LispArgs values;
  int depth = 0;
  LispValue one;
  for (const LispItem& item : items) {
    one.push_back(item);
    depth += item.type == RTLB ? 1 : item.type == RTLE ? -1 : 0;
    if (depth <= 0) {
      values.push_back(valueFromItems(machine, one));
      one.clear();
      depth = 0;
    }
  }
  return values;
}

} // namespace

int invokeLispFunction(const std::string& key, const resbuf* args, resbuf** result) {
  *result = nullptr;
  LispMachine* machine = currentLispMachine();
  if (machine == nullptr) {
    return RTERROR;
  }
  const LispRef symbol = machine->findSymbol(key);
  const bool reachable = machine->exposed.count(key) != 0 || key.rfind("C:", 0) == 0;
  if (!symbol || !reachable || !isKind(symbol->value, LispKind::UserFunction)) {
    return RTNONE;
  }
  LispValue items;
  if (!readChain(args, items)) {
    return RTERROR;
  }
  LispStackBase stackBase;
  LispValue answer;
  try {
    LispArgs values = argumentsOf(*machine, items);
    const LispRef value = machine->apply(symbol->value, values);
    if (value && !itemsFromValue(value, &answer)) {
      return RTERROR; // a function or a file has no form in the host's lists
    }
  } catch (const LispThrow& thrown) {
    machine->report(thrown);
    return RTERROR;
  } catch (const std::bad_alloc&) {
    return RTERROR;
  }
  *result = makeChain(answer);
  return answer.empty() || *result != nullptr ? RTNORM : RTERROR;
}

void defineHostFunctions(LispMachine& machine) {
  machine.defineSubr("getvar", getvarSubr);
  machine.defineSubr("setvar", setvarSubr);
  machine.defineSubr("alert", alertSubr);
  machine.defineSubr("getfiled", getfiledSubr);
  machine.defineSubr("vl-acad-defun", acadDefunSubr);
}

} // namespace sim::detail

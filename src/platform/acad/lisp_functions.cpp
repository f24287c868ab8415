// AutoLISP functions: those a module defines (acedDefun, called back through its entry point),
// the family's own ones answered by C++ code, their calls (acedInvoke) and results (acedRet...).
#include "platform/acad/acedads.h"

#include <cstring>

#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/selection_sets.h"
#include "platform/internal/session.h"

namespace {

using namespace sim::detail;

// The kInvkSubrMsg being delivered, or null outside one.
Call* currentInvocation() {
  HostState& state = host();
  if (state.calls.empty() || state.calls.back().message != AcRx::kInvkSubrMsg) {
    return nullptr;
  }
  return &state.calls.back();
}

int setResult(const LispValue& value, FailableCall call) {
  if (shouldFail(call)) {
    return RTERROR;
  }
  Call* invocation = currentInvocation();
  if (invocation == nullptr) {
    return RTERROR;
  }
  invocation->result = value;
  invocation->hasResult = true;
  return RTNORM;
}

LispValue atomValue(short type) {
  return LispValue{atomOf(type)};
}

// Calls name with the arguments. callerModuleId is the module that asks (0: AutoLISP itself); a
// module cannot call back into itself this way.
int invokeFunction(const std::string& name, const resbuf* args, resbuf** result,
                   int callerModuleId) {
  *result = nullptr;
  HostState& state = host();
  const std::string key = upperCase(name);
  Document* document = currentDocument(state);
  if (document != nullptr) {
    auto defined = document->functions.find(key);
    if (defined != document->functions.end()) {
      const Definition definition = defined->second;
      Module* module = findModule(state, definition.moduleId);
      LispValue arguments;
      if (module == nullptr || definition.moduleId == callerModuleId ||
          !readChain(args, arguments)) {
        return RTERROR;
      }
      Call invocation;
      invocation.funcCode = definition.code;
      invocation.args = makeChain(arguments);
      if (!arguments.empty() && invocation.args == nullptr) {
        return RTERROR;
      }
      sendMessageOrDrop(*module, AcRx::kInvkSubrMsg, &invocation);
      acutRelRb(invocation.args);
      const bool isNil = invocation.result.size() == 1 && invocation.result[0].type == RTNIL;
      if (invocation.hasResult && !isNil) {
        *result = makeChain(invocation.result);
      }
      return RTNORM;
    }
  }
  // A function of the document's AutoLISP, when exposed to applications.
  const int lisp = invokeLispFunction(key, args, result);
  if (lisp != RTNONE) {
    return lisp;
  }
  auto family = state.familyFunctions.find(key);
  if (family == state.familyFunctions.end()) {
    return RTERROR;
  }
  const sim::LispFunction function = family->second; // the call may redefine it
  *result = function(args);
  return RTNORM;
}

} // namespace

int acedDefun(const char* name, short funcNumber) {
  if (shouldFail(FailableCall::acedDefun) || name == nullptr || name[0] == '\0' || funcNumber < 0) {
    return RTERROR;
  }
  HostState& state = host();
  Module* module = callingModule(state);
  Document* document = currentDocument(state);
  if (module == nullptr || document == nullptr) {
    return RTERROR;
  }
  const std::string key = upperCase(name);
  document->functions[key] = Definition{module->id, funcNumber};
  if (LispMachine* machine = currentLispMachine()) {
    if (LispRef symbol = machine->findSymbol(key)) {
      symbol->value = LispRef(); // the name now holds the function
    }
  }
  return RTNORM;
}

int acedUndef(const char* name, short funcNumber) {
  if (shouldFail(FailableCall::acedUndef) || name == nullptr) {
    return RTERROR;
  }
  HostState& state = host();
  Module* module = callingModule(state);
  Document* document = currentDocument(state);
  if (module == nullptr || document == nullptr) {
    return RTERROR;
  }
  auto found = document->functions.find(upperCase(name));
  if (found == document->functions.end() || found->second.moduleId != module->id ||
      found->second.code != funcNumber) {
    return RTERROR;
  }
  document->functions.erase(found);
  return RTNORM;
}

int acedGetFunCode() {
  Call* invocation = currentInvocation();
  return invocation == nullptr ? RTERROR : invocation->funcCode;
}

resbuf* acedGetArgs() {
  Call* invocation = currentInvocation();
  return invocation == nullptr ? nullptr : invocation->args;
}

int acedRetInt(int value) {
  LispItem item = atomOf(value >= -32768 && value <= 32767 ? RTSHORT : RTLONG);
  item.integer = value;
  return setResult(LispValue{item}, FailableCall::acedRetInt);
}

int acedRetReal(ads_real value) {
  LispItem item = atomOf(RTREAL);
  item.real = value;
  return setResult(LispValue{item}, FailableCall::acedRetReal);
}

int acedRetPoint(const ads_point point) {
  if (point == nullptr) {
    return RTERROR;
  }
  LispItem item = atomOf(RT3DPOINT);
  std::memcpy(item.point, point, sizeof item.point);
  return setResult(LispValue{item}, FailableCall::acedRetPoint);
}

int acedRetStr(const char* text) {
  if (text == nullptr) {
    return RTERROR;
  }
  LispItem item = atomOf(RTSTR);
  item.text = text;
  return setResult(LispValue{item}, FailableCall::acedRetStr);
}

int acedRetName(const ads_name name, int type) {
  if (name == nullptr || (type != RTENAME && type != RTPICKS)) {
    return RTERROR;
  }
  LispItem item = atomOf(static_cast<short>(type));
  item.name[0] = name[0];
  item.name[1] = name[1];
  const int status = setResult(LispValue{item}, FailableCall::acedRetName);
  if (status == RTNORM && type == RTPICKS) {
    handSelectionSetToLisp(name); // AutoLISP's value takes the set over
  }
  return status;
}

int acedRetNil() {
  return setResult(atomValue(RTNIL), FailableCall::acedRetNil);
}

int acedRetT() {
  return setResult(atomValue(RTT), FailableCall::acedRetT);
}

int acedRetVoid() {
  return setResult(atomValue(RTVOID), FailableCall::acedRetVoid);
}

int acedRetList(const resbuf* list) {
  LispValue items;
  if (!readChain(list, items)) {
    return RTERROR;
  }
  for (const LispItem& item : items) {
    // A 32-bit integer passes only between applications; AutoLISP receives none in a list.
    if (item.type == RTLONG || item.type == RTVOID) {
      return RTERROR;
    }
  }
  if (items.empty()) {
    return setResult(atomValue(RTNIL), FailableCall::acedRetList);
  }
  items.insert(items.begin(), atomOf(RTLB));
  items.push_back(atomOf(RTLE));
  return setResult(items, FailableCall::acedRetList);
}

int acedRetVal(const resbuf* value) {
  if (value == nullptr) {
    return RTERROR;
  }
  switch (value->restype) {
  case RTLONG: // the host does not return a 32-bit integer this way
  case RTLB:
  case RTLE:
  case RTDOTE:
    return RTERROR;
  default:
    break;
  }
  resbuf alone = *value;
  alone.rbnext = nullptr;
  LispValue items;
  if (!readChain(&alone, items)) {
    return RTERROR;
  }
  return setResult(items, FailableCall::acedRetVal);
}

int acedInvoke(const resbuf* args, resbuf** result) {
  if (result != nullptr) {
    *result = nullptr;
  }
  if (shouldFail(FailableCall::acedInvoke) || args == nullptr || result == nullptr ||
      args->restype != RTSTR || args->resval.rstring == nullptr) {
    return RTERROR;
  }
  Module* caller = callingModule(host());
  return invokeFunction(args->resval.rstring, args->rbnext, result, caller ? caller->id : 0);
}

namespace sim {

void defineLispFunction(const std::string& name, LispFunction function) {
  host().familyFunctions[upperCase(name)] = std::move(function);
}

void undefineLispFunction(const std::string& name) {
  host().familyFunctions.erase(upperCase(name));
}

int callLisp(const std::string& name, const resbuf* args, resbuf** result) {
  if (result == nullptr) {
    return RTERROR;
  }
  const bool outermost = host().calls.empty();
  const std::string expression = "(" + name + ")";
  if (outermost) {
    notifyEditorReactors([&](AcEditorReactor& r) { r.lispWillStart(expression.c_str()); });
  }
  const int status = invokeFunction(name, args, result, 0);
  if (outermost) {
    notifyEditorReactors([](AcEditorReactor& r) { r.lispEnded(); });
  }
  return status;
}

} // namespace sim

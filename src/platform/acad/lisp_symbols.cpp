// AutoLISP symbols of the current document: acedGetSym and acedPutSym read and write the
// symbols of the document's interpreter, converting values as the host does.
#include "platform/acad/acedads.h"

#include <cstring>
#include <new>

#include "platform/acad/acutads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/lisp_machine.h"
#include "platform/acad/internal/lisp_resbuf.h"
#include "platform/internal/session.h"

namespace {

using namespace sim::detail;

constexpr int kNullPointer = 72;
constexpr int kBadSymbolName = 83;
constexpr int kBadSymbolValue = 84;
constexpr int kBadType = 93;

// AutoLISP refuses these characters in a symbol's name (whitespace would end the name), and reads
// a name of digits, with or without a sign, as a number.
bool isSymbolName(const char* name) {
  if (name[0] == '\0' || std::strpbrk(name, " \t\r\n\f\v().'\";") != nullptr) {
    return false;
  }
  const char* digits = name + ((name[0] == '-' || name[0] == '+') ? 1 : 0);
  if (digits[0] != '\0' && std::strspn(digits, "0123456789") == std::strlen(digits)) {
    return false;
  }
  return upperCase(name) != "NIL";
}

// True when the items are one atom, or one whole list whose brackets pair up.
bool isOneValue(const LispValue& value) {
  if (value.size() == 1) {
    const short type = value[0].type;
    return type != RTLB && type != RTLE && type != RTDOTE && type != RTVOID;
  }
  int depth = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i].type == RTVOID) {
      return false;
    }
    depth += value[i].type == RTLB ? 1 : value[i].type == RTLE ? -1 : 0;
    if (depth < 0 || (depth == 0 && i + 1 < value.size())) {
      return false;
    }
  }
  return depth == 0 && !value.empty() && value.front().type == RTLB;
}

bool isFunctionName(HostState& state, const Document& document, const std::string& key) {
  return document.functions.count(key) != 0 || state.familyFunctions.count(key) != 0;
}

} // namespace

int acedGetSym(const char* name, resbuf** value) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedGetSym) || name == nullptr ||
      value == nullptr) {
    return RTERROR;
  }
  *value = nullptr;
  HostState& state = host();
  Document* document = currentDocument(state);
  LispMachine* machine = currentLispMachine();
  if (document == nullptr || machine == nullptr) {
    return RTERROR;
  }
  const std::string key = upperCase(name);
  if (isFunctionName(state, *document, key)) {
    setErrno(kBadSymbolValue);
    return RTERROR;
  }
  const LispRef symbol = machine->findSymbol(key);
  if (!symbol || !symbol->value) {
    return RTNORM;
  }
  LispValue items;
  if (!itemsFromValue(symbol->value, &items)) {
    setErrno(kBadSymbolValue); // a function or a file has no form in the host's lists
    return RTERROR;
  }
  *value = makeChain(items);
  return *value == nullptr ? RTERROR : RTNORM;
}

int acedPutSym(const char* name, resbuf* value) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedPutSym)) {
    return RTERROR;
  }
  if (name == nullptr || value == nullptr) {
    setErrno(kNullPointer);
    return RTERROR;
  }
  if (!isSymbolName(name)) {
    setErrno(kBadSymbolName);
    return RTERROR;
  }
  LispValue items;
  if (!sim::detail::readChain(value, items)) {
    setErrno(kBadType);
    return RTERROR;
  }
  if (items.size() > 1 && !isOneValue(items)) {
    // A plain chain of values becomes a list of them.
    items.insert(items.begin(), atomOf(RTLB));
    items.push_back(atomOf(RTLE));
  }
  if (!isOneValue(items)) {
    setErrno(kBadType);
    return RTERROR;
  }
  LispMachine* machine = currentLispMachine();
  if (machine == nullptr) {
    return RTERROR;
  }
  if (upperCase(name) == "T") {
    setErrno(kBadSymbolName); // T is a constant of AutoLISP
    return RTERROR;
  }
  try {
    LispRef converted = valueFromItems(*machine, items);
    machine->intern(name)->value = std::move(converted);
  } catch (const std::bad_alloc&) {
    return RTERROR;
  }
  return RTNORM;
}

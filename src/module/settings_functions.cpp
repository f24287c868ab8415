// Settings files and variable sets as AutoLISP functions: one value of a name=value property
// file, a small set of variables moved between a script and a file, the drawing or AutoLISP
// symbols, and the report folder of "config.pik".
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/result_lists.h"
#include "module/lisp_args.h"
#include "module/lisp_print.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/win/string_win.h"
#include "records/drawing_storage.h"
#include "settings/config_pik.h"
#include "settings/property_value.h"
#include "settings/variable_set.h"

namespace qv {

int lispPropertyRead() {
  LispArgs args;
  const char* path = nullptr;
  const char* name = nullptr;
  const char* fallback = nullptr;
  if (!args.text(path) || !args.text(name) || !args.optionalText(fallback) || !args.done()) {
    return acedRetNil();
  }
  std::string value;
  if (readPropertyValue(path, name, value) == 1) {
    return acedRetStr(value.c_str());
  }
  return fallback != nullptr ? acedRetStr(fallback) : acedRetNil();
}

namespace {

// Prints "; error: bad argument value: <text>" for a text argument whose value cannot be taken.
void refuseText(const char* text) {
  resbuf value{};
  value.restype = RTSTR;
  value.resval.rstring = const_cast<char*>(text);
  printLispError(("bad argument value: " + printLispValue(&value)).c_str());
}

// Refuses a name or text that would not read back as itself from a file of name=value lines.
bool checkPropertyLine(const char* name, const char* value) {
  if (isPropertyLine(name, value)) {
    return true;
  }
  refuseText(isPropertyLine(name, "") ? value : name);
  return false;
}

} // namespace

int lispPropertyWrite() {
  LispArgs args;
  const char* path = nullptr;
  const char* name = nullptr;
  const char* value = nullptr;
  if (!args.text(path) || !args.text(name) || !args.text(value) || !args.done() ||
      !checkPropertyLine(name, value)) {
    return acedRetNil();
  }
  return writePropertyValue(path, name, value) == 1 ? acedRetT() : acedRetNil();
}

int lispConfigPik() {
  LispArgs args;
  const char* folder = nullptr;
  if (!args.text(folder) || !args.done()) {
    return acedRetNil();
  }
  return updateConfigPikPath(folder) == 1 ? acedRetT() : acedRetNil();
}

namespace {

// A text loaded into a variable keeps at most this many characters, or as many as its default.
constexpr size_t kLoadedTextSize = 1024;

enum class Store { File, Drawing, Lisp };

// One variable of a script's list, held here while the set moves it.
struct Variable {
  const char* name = nullptr;
  int type = QvVariableSet::kText;
  int32_t integer = 0;
  double real = 0.0;
  std::vector<char> text; // the buffer, terminator included
};

// Reads (name . value) pairs, or (name value), into variables: the name a string, the value an
// integer, a real or a string, which gives the variable its type and first value. Text buffers
// take the text whole, and room for kLoadedTextSize when forLoad.
bool readVariables(LispArgs& args, const resbuf* list, bool forLoad,
                   std::vector<Variable>& variables) {
  if (list == nullptr) {
    return true;
  }
  for (const resbuf* item = list->rbnext; item != nullptr && item->restype != RTLE;
       item = skipValue(item)) {
    const resbuf* name = item->restype == RTLB ? item->rbnext : nullptr;
    const resbuf* value = name != nullptr ? name->rbnext : nullptr;
    if (value != nullptr && value->restype == RTDOTE) {
      value = value->rbnext;
    }
    if (name == nullptr || name->restype != RTSTR || value == nullptr || value->rbnext == nullptr ||
        value->rbnext->restype != RTLE) {
      return args.refuse("consp", item);
    }
    Variable variable;
    variable.name = name->resval.rstring;
    switch (value->restype) {
    case RTSHORT:
      variable.type = QvVariableSet::kInteger;
      variable.integer = value->resval.rint;
      break;
    case RTLONG:
      variable.type = QvVariableSet::kInteger;
      variable.integer = value->resval.rlong;
      break;
    case RTREAL:
      variable.type = QvVariableSet::kReal;
      variable.real = value->resval.rreal;
      break;
    case RTSTR: {
      const size_t length = std::strlen(value->resval.rstring);
      const size_t size = forLoad && length < kLoadedTextSize ? kLoadedTextSize : length + 1;
      variable.text.assign(size, '\0');
      std::memcpy(variable.text.data(), value->resval.rstring, length);
      break;
    }
    default:
      return args.refuse("consp", item);
    }
    variables.push_back(std::move(variable));
  }
  return true;
}

// The store keyword, "file", "drawing" or "lisp" in any case (a quoted symbol arrives as its
// name), and its place: the file's path or the drawing folder, none for "lisp".
bool readStore(LispArgs& args, Store& store, const char*& place) {
  const resbuf* keyword = nullptr;
  if (!args.any(keyword)) {
    return false;
  }
  const char* word = keyword->restype == RTSTR ? keyword->resval.rstring : "";
  if (_stricmp(word, "file") == 0) {
    store = Store::File;
  } else if (_stricmp(word, "drawing") == 0) {
    store = Store::Drawing;
  } else if (_stricmp(word, "lisp") == 0) {
    store = Store::Lisp;
    return true;
  } else {
    // The argument has the right type only when it is a text; a text that names no store is
    // the wrong value.
    if (keyword->restype != RTSTR) {
      return args.refuse("stringp", keyword);
    }
    printLispError(("bad argument value: " + printLispValue(keyword)).c_str());
    return false;
  }
  return args.text(place);
}

// The set over the variables, in the script's order (the set sweeps its newest entry first).
// False when memory ran out.
bool bindVariables(QvVariableSet& set, std::vector<Variable>& variables) {
  for (size_t i = variables.size(); i-- > 0;) {
    Variable& variable = variables[i];
    int added = 0;
    if (variable.type == QvVariableSet::kInteger) {
      added = set.addInteger(variable.name, &variable.integer, nullptr);
    } else if (variable.type == QvVariableSet::kReal) {
      added = set.addReal(variable.name, &variable.real, nullptr);
    } else {
      added = set.addText(variable.name, variable.text.data(),
                          static_cast<int>(variable.text.size()), nullptr);
    }
    if (added != 1) {
      return false;
    }
  }
  return true;
}

// The text the drawing keeps for a variable, as the set prints it; empty texts are not kept.
std::string storedText(const Variable& variable) {
  char number[64];
  if (variable.type == QvVariableSet::kInteger) {
    std::snprintf(number, sizeof number, "%d", variable.integer);
    return number;
  }
  if (variable.type == QvVariableSet::kReal) {
    std::string text(static_cast<size_t>(std::snprintf(nullptr, 0, "%f", variable.real)), '\0');
    std::snprintf(text.data(), text.size() + 1, "%f", variable.real);
    return text;
  }
  return variable.text.data();
}

// Whether the drawing holds every non-empty variable at base\name as the set stored it: the
// storage tells a refusal only with its alert.
bool keptInDrawing(const char* base, const std::vector<Variable>& variables) {
  for (const Variable& variable : variables) {
    const std::string expected = storedText(variable);
    if (expected.empty()) {
      continue;
    }
    const std::string path = std::string(base) + "\\" + variable.name;
    resbuf* entry = readStorageEntry(path.c_str(), nullptr);
    const resbuf* item = findResbufByType(entry, 1);
    const bool same =
        item != nullptr && item->resval.rstring != nullptr && expected == item->resval.rstring;
    acutRelRb(entry);
    if (!same) {
      return false;
    }
  }
  return true;
}

// Whether every symbol now holds its variable's value: a refused symbol only prints a message.
bool keptInLisp(const std::vector<Variable>& variables) {
  std::vector<Variable> read;
  read.reserve(variables.size());
  for (const Variable& variable : variables) {
    Variable copy;
    copy.name = variable.name;
    copy.type = variable.type;
    copy.text.assign(variable.text.size(), '\0');
    read.push_back(std::move(copy));
  }
  QvVariableSet set(nullptr, nullptr, nullptr);
  if (!bindVariables(set, read)) {
    return false;
  }
  set.loadFromLisp();
  for (size_t i = 0; i < variables.size(); ++i) {
    const Variable& want = variables[i];
    const Variable& got = read[i];
    if (want.integer != got.integer || want.real != got.real || want.text != got.text) {
      return false;
    }
  }
  return true;
}

// The arguments of cf:varsave and cf:varload: the variables and where they are kept.
struct VariableCall {
  std::vector<Variable> variables;
  Store store = Store::Lisp;
  const char* place = "";
};

// Reads the call's arguments; false when one was wrong (the error is printed).
bool readVariableCall(bool forLoad, VariableCall& call) {
  LispArgs args;
  const resbuf* list = nullptr;
  return args.list(list) && readVariables(args, list, forLoad, call.variables) &&
         readStore(args, call.store, call.place) && args.done();
}

// Moves the set's values into its store (save) or out of it. False when the file could not be
// written or read; the drawing and the symbols tell nothing back here.
bool moveVariables(QvVariableSet& set, Store store, bool save) {
  switch (store) {
  case Store::File:
    return (save ? set.writeFile() : set.readFile()) == 1;
  case Store::Drawing:
    save ? set.saveToDrawing() : set.loadFromDrawing();
    return true;
  case Store::Lisp:
    save ? set.saveToLisp() : set.loadFromLisp();
    return true;
  }
  return false;
}

// Binds the call's variables to a set over its store and moves them; false when memory ran out
// (printed) or the move failed.
bool runVariableCall(VariableCall& call, bool save) {
  QvVariableSet set(call.store == Store::File ? call.place : nullptr, nullptr,
                    call.store == Store::Drawing ? call.place : nullptr);
  if (!bindVariables(set, call.variables)) {
    printLispError("insufficient memory");
    return false;
  }
  return moveVariables(set, call.store, save);
}

} // namespace

int lispVariablesSave() {
  VariableCall call;
  if (!readVariableCall(false, call)) {
    return acedRetNil();
  }
  if (call.store == Store::File) {
    // A name or text that would not read back as itself would break the file's lines.
    for (const Variable& variable : call.variables) {
      if (!checkPropertyLine(variable.name, variable.text.empty() ? "" : variable.text.data())) {
        return acedRetNil();
      }
    }
  }
  bool kept = runVariableCall(call, true);
  if (kept && call.store == Store::Drawing) {
    kept = keptInDrawing(call.place, call.variables);
  } else if (kept && call.store == Store::Lisp) {
    kept = keptInLisp(call.variables);
  }
  return kept ? acedRetT() : acedRetNil();
}

int lispVariablesLoad() {
  VariableCall call;
  if (!readVariableCall(true, call) || !runVariableCall(call, false)) {
    return acedRetNil();
  }
  LispResult result;
  result.open();
  for (const Variable& variable : call.variables) {
    result.open();
    result.text(variable.name);
    result.dot();
    if (variable.type == QvVariableSet::kInteger) {
      result.integer(variable.integer);
    } else if (variable.type == QvVariableSet::kReal) {
      result.real(variable.real);
    } else {
      result.text(variable.text.data());
    }
    result.close();
  }
  result.close();
  return result.answer();
}

} // namespace qv

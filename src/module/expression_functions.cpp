// The expression evaluator as an AutoLISP function, over variables a script passes as an
// association list: (cf:evaluate "[width]*2+1" '(("width" . 3.5))).
#include <cstring>
#include <string>

#include "expr/evaluate_expression.h"
#include "module/lisp_args.h"
#include "module/lisp_print.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/win/string_win.h"
#include "support/read_decimal.h"

namespace qv {

namespace {

// The variables of the evaluation in progress (their list's RTLB item), or null. The evaluator
// takes plain functions, so they read the list from here; evaluations never overlap.
const resbuf* heldVariables = nullptr;

// The value item of the variable of that name (case ignored), or null.
const resbuf* findVariable(const char* name) {
  if (heldVariables == nullptr) {
    return nullptr;
  }
  for (const resbuf* pair = heldVariables->rbnext; pair != nullptr && pair->restype == RTLB;
       pair = skipValue(pair)) {
    const resbuf* key = pair->rbnext;
    const resbuf* value = key != nullptr ? key->rbnext : nullptr;
    if (value != nullptr && value->restype == RTDOTE) {
      value = value->rbnext;
    }
    if (key != nullptr && key->restype == RTSTR && value != nullptr &&
        _stricmp(key->resval.rstring, name) == 0) {
      return value;
    }
  }
  return nullptr;
}

// The whole text as a number, or EVAL_NO_VALUE.
double numberOf(const char* text) {
  char* end = nullptr;
  const double value = readDecimal(text, &end);
  return end != text && *end == '\0' ? value : EVAL_NO_VALUE;
}

double variableValue(const char* text) {
  const double number = numberOf(text);
  if (!isNoValue(number)) {
    return number;
  }
  const resbuf* value = findVariable(text);
  if (value == nullptr) {
    return EVAL_NO_VALUE;
  }
  switch (value->restype) {
  case RTSHORT:
    return value->resval.rint;
  case RTLONG:
    return value->resval.rlong;
  case RTREAL:
    return value->resval.rreal;
  case RTSTR:
    return numberOf(value->resval.rstring);
  default:
    return EVAL_NO_VALUE;
  }
}

// The text of the variable named by the left side of a LIKE test, else that side itself;
// upper-cased, so that a variable's text meets the (upper-cased) pattern without regard to case,
// as a quoted text does.
int variableText(const char* text, char* output) {
  const resbuf* value = findVariable(text);
  std::string converted = text;
  if (value != nullptr && value->restype == RTSTR) {
    converted = value->resval.rstring;
  } else if (value != nullptr && value->restype != RTLB) {
    converted = printLispValue(value);
  }
  std::strncpy(output, converted.c_str(), convertedStringSize - 1);
  output[convertedStringSize - 1] = '\0';
  _strupr(output);
  return 1;
}

// Holds the variables for one evaluation and lets them go however it ends.
class HeldVariables {
public:
  explicit HeldVariables(const resbuf* list) { heldVariables = list; }
  HeldVariables(const HeldVariables&) = delete;
  HeldVariables& operator=(const HeldVariables&) = delete;
  ~HeldVariables() { heldVariables = nullptr; }
};

} // namespace

int lispEvaluate() {
  LispArgs args;
  const char* expression = nullptr;
  const resbuf* variables = nullptr;
  if (!args.text(expression) || !args.optionalList(variables) || !args.done()) {
    return acedRetNil();
  }
  const HeldVariables held(variables);
  const double value = EvaluateExpression(expression, variableValue, variableText);
  return isNoValue(value) ? acedRetNil() : acedRetReal(value);
}

} // namespace qv

// The evaluator's top level: parenthesized groups first (each by a nested evaluation), then the
// reduction of what is left, whose final text the caller's function reads.
#include "expr/evaluate_expression.h"

#include <cstring>

#include "expr/internal/expression_text.h"
#include "expr/internal/held_functions.h"
#include "expr/internal/reduce_expression.h"
#include "platform/acad/acutads.h"

namespace qv {

double EvaluateExpression(const char* expression, EvaluationFunction evaluate,
                          StringConversionFunction convert) {
  HeldFunctionsScope held(evaluate, convert);
  if (evaluate == nullptr) {
    acutPrintf("Evaluation function is not set\n");
    return EVAL_NO_VALUE;
  }
  if (expression == nullptr) {
    return EVAL_NO_VALUE;
  }
  HostText text = copyText(TextPiece{expression, std::strlen(expression)});
  if (!text) {
    return EVAL_NO_VALUE;
  }
  for (;;) {
    const char* current = text.get();
    const char* close = std::strchr(current, ')');
    if (close == nullptr) {
      break;
    }
    // The first ")" closes the innermost group that closes first.
    const char* open = close;
    while (open > current && open[-1] != '(') {
      --open;
    }
    if (open == current) {
      acutPrintf("Parentheses do not match.\n");
      return EVAL_NO_VALUE;
    }
    HostText inner = copyText(TextPiece{open, static_cast<size_t>(close - open)});
    if (!inner) {
      return EVAL_NO_VALUE;
    }
    const double value = EvaluateExpression(inner.get(), evaluate, convert);
    held.reinstall();
    if (isNoValue(value)) {
      return value;
    }
    double holder = 0.0;
    HostText next = joinValue(TextPiece{current, static_cast<size_t>(open - 1 - current)}, value,
                              TextPiece{close + 1, std::strlen(close + 1)}, holder);
    if (!next) {
      return EVAL_NO_VALUE;
    }
    text = std::move(next);
  }
  double holder = 0.0;
  reduceExpression(text, holder);
  if (isNoValue(holder)) {
    return holder;
  }
  return evaluateHeld(text.get(), holder);
}

} // namespace qv

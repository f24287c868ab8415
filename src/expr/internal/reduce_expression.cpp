// Reduction of a text without parentheses, step by step.
#include "expr/internal/reduce_expression.h"

#include <cstring>

#include "expr/internal/if_then_else.h"
#include "expr/internal/like_test.h"
#include "expr/internal/operator_level.h"
#include "platform/acad/acutads.h"
#include "text/print_pieces.h"
#include "text/text_trim.h"

namespace qv {

namespace {

// Highest first; each string is one level, its operators applied together left to right.
constexpr const char* operatorLevels[] = {"^", "/*", "+-", "<", ">", "!", "=", "|", "&"};

// Replaces each "[name]" by the held function's value of name, innermost first.
void substituteVariables(HostText& text, double& holder) {
  for (;;) {
    const char* current = text.get();
    const char* close = std::strchr(current, ']');
    if (close == nullptr) {
      return;
    }
    const char* open = close;
    while (open > current && open[-1] != '[') {
      --open;
    }
    if (open == current) {
      acutPrintf("Brackets do not match.\n");
      holder = EVAL_NO_VALUE;
      return;
    }
    HostText name = copyText(TextPiece{open, static_cast<size_t>(close - open)});
    if (!name) {
      holder = EVAL_NO_VALUE;
      return;
    }
    const double value = evaluateHeld(name.get(), holder);
    if (isNoValue(holder)) {
      return;
    }
    if (isNoValue(value)) {
      PrintLong("Unable to evaluate a value of variable '%s'.\n", name.get());
      return;
    }
    HostText next = joinValue(TextPiece{current, static_cast<size_t>(open - 1 - current)}, value,
                              TextPiece{close + 1, std::strlen(close + 1)}, holder);
    if (!next) {
      return;
    }
    text = std::move(next);
  }
}

} // namespace

void reduceExpression(HostText& text, double& holder) {
  TrimText(text.get());
  substituteVariables(text, holder);
  if (isNoValue(holder)) {
    return;
  }
  applyLikeTest(text, holder);
  for (const char* level : operatorLevels) {
    if (isNoValue(holder)) {
      return;
    }
    applyOperatorLevel(text, level, holder);
  }
  if (!isNoValue(holder)) {
    applyIfThenElse(text, holder);
  }
}

} // namespace qv

// The if/then/else form of the evaluator: "if C then X [else Y]". Internal to the evaluator.
#pragma once

#include "expr/internal/expression_text.h"

namespace qv {

// When the words of text (split at runs of spaces) are "if", a condition, "then" and a value,
// optionally followed by "else" and a value ("if", "then", "else" in any case): sets holder to
// the held function's value of the then-value when the condition's leading digits read exactly 1,
// else to that of the else-value (EVAL_NO_VALUE without one), and replaces text by holder printed
// with "%.14f". Any other text is left alone. A failed host allocation sets holder to
// EVAL_NO_VALUE.
void applyIfThenElse(HostText& text, double& holder);

} // namespace qv

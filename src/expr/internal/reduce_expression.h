// Reduction of a text without parentheses: variables, the LIKE test, the operator levels and
// if/then/else. Internal to the evaluator.
#pragma once

#include "expr/internal/expression_text.h"

namespace qv {

// Trims text and rewrites it step by step towards one value. Sets holder to EVAL_NO_VALUE when a
// step fails (each step prints its own message). A "]" without a "[" before it prints "Brackets
// do not match.\n" and fails; a bracketed name that the held function cannot evaluate prints
// "Unable to evaluate a value of variable '%s'.\n" and stops the substitution of names without
// failing. The operator levels and if/then/else run only while holder is not EVAL_NO_VALUE.
void reduceExpression(HostText& text, double& holder);

} // namespace qv

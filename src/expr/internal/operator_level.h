// One operator level of the evaluator: rewrites every use of the level's operators in a text
// (left to right) by its value. Internal to the evaluator.
#pragma once

#include "expr/internal/expression_text.h"

namespace qv {

// Applies the operators of set (one level: "^", "/*", "+-", "<", ">", "!", "=", "|" or "&") to
// text until none is left. Operands run between the arithmetic characters "+-*/^"; a "-" first
// in the text is a sign. On failure sets holder to EVAL_NO_VALUE and leaves text as it was at
// that step: a missing operand (message "\nWarning: Variable name or real value is missing: ..."),
// no held function ("Evaluation function is not set\n"), a negative base of "^" ("Can not
// evaluate the power of negative numbers.\n"); quietly for an operand the evaluation function
// cannot read, division by zero, a result that is not finite, and a failed host allocation.
void applyOperatorLevel(HostText& text, const char* set, double& holder);

} // namespace qv

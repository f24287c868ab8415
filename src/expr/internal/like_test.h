// The LIKE test of the evaluator: "if A [not] like P then ..." becomes "if 1 THEN ..." or
// "if 0 THEN ...". Internal to the evaluator.
#pragma once

#include "expr/internal/expression_text.h"

namespace qv {

// When text has the form of a LIKE test (first word "if", at least one word before the word
// "like", the word "then" at least two words after it; words are the pieces between spaces,
// any case), replaces it by "if %d" and the upper-cased rest from the space before "THEN", with
// 1 when the left side matches the pattern (inverted by a "not" right before "like"). Both sides
// come from an upper-cased copy; a quoted left side loses its quotes, an unquoted one is
// converted by the held string conversion function. Without one, prints "String conversion
// function is not defined\n" and sets holder to EVAL_NO_VALUE. Other texts are left alone.
void applyLikeTest(HostText& text, double& holder);

} // namespace qv

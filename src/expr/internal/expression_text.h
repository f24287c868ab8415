// The evaluator's working texts: host-allocated copies, joins at exact length, numbers printed
// with "%.14f", and the calls of the held evaluation function. Internal to the evaluator.
#pragma once

#include <cstddef>
#include <memory>

#include "expr/evaluate_expression.h"

namespace qv {

struct HostTextFree {
  void operator()(char* text) const;
};

// A working text owned by the evaluator, allocated with acad_malloc and freed with acad_free.
using HostText = std::unique_ptr<char, HostTextFree>;

// A piece of a text: length characters from begin (not NUL-terminated).
struct TextPiece {
  const char* begin = "";
  size_t length = 0;
};

// A new NUL-terminated copy of the piece; null when the host allocation fails.
HostText copyText(TextPiece piece);

// A new text first + middle + last, allocated at its exact length; null when allocation fails.
HostText joinText(TextPiece first, TextPiece middle, TextPiece last);

// A new text before + value printed with "%.14f" + after, allocated at its exact length. A value
// that is not a finite number (it would print as "inf" or "nan", which no later step reads as a
// number) or a failed allocation gives null and sets holder to EVAL_NO_VALUE.
HostText joinValue(TextPiece before, double value, TextPiece after, double& holder);

// True for the characters that bound operands whatever the operator: "+-*/^".
bool isArithmetic(char c);

// True when the piece holds only spaces, carriage returns and line feeds (it trims to nothing).
bool trimsToEmpty(TextPiece piece);

// The held evaluation function's value of text. When no function is held (a caller's function
// ran an evaluation of its own, which cleared it) prints "Evaluation function is not set\n", sets
// holder to EVAL_NO_VALUE and gives EVAL_NO_VALUE.
double evaluateHeld(const char* text, double& holder);

} // namespace qv

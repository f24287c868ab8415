// The evaluator's working texts and its calls of the held evaluation function.
#include "expr/internal/expression_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "expr/internal/held_functions.h"
#include "platform/acad/acutads.h"

namespace qv {

void HostTextFree::operator()(char* text) const {
  acad_free(text);
}

HostText copyText(TextPiece piece) {
  return joinText(piece, TextPiece{}, TextPiece{});
}

HostText joinText(TextPiece first, TextPiece middle, TextPiece last) {
  const size_t length = first.length + middle.length + last.length;
  HostText joined(static_cast<char*>(acad_malloc(length + 1)));
  if (!joined) {
    return joined;
  }
  char* out = joined.get();
  std::memcpy(out, first.begin, first.length);
  std::memcpy(out + first.length, middle.begin, middle.length);
  std::memcpy(out + first.length + middle.length, last.begin, last.length);
  out[length] = '\0';
  return joined;
}

HostText joinValue(TextPiece before, double value, TextPiece after, double& holder) {
  if (!std::isfinite(value)) {
    holder = EVAL_NO_VALUE;
    return HostText();
  }
  // The largest double prints 309 digits and the decimals: far below the buffer's size.
  char printed[2048];
  const int written = std::snprintf(printed, sizeof printed, "%.14f", value);
  HostText joined = joinText(before, TextPiece{printed, static_cast<size_t>(written)}, after);
  if (!joined) {
    holder = EVAL_NO_VALUE;
  }
  return joined;
}

bool isArithmetic(char c) {
  return c != '\0' && std::strchr("+-*/^", c) != nullptr;
}

bool trimsToEmpty(TextPiece piece) {
  for (size_t i = 0; i < piece.length; ++i) {
    const char c = piece.begin[i];
    if (c != ' ' && c != '\r' && c != '\n') {
      return false;
    }
  }
  return true;
}

double evaluateHeld(const char* text, double& holder) {
  const EvaluationFunction evaluate = heldEvaluationFunction();
  if (evaluate == nullptr) {
    acutPrintf("Evaluation function is not set\n");
    holder = EVAL_NO_VALUE;
    return EVAL_NO_VALUE;
  }
  return evaluate(text);
}

} // namespace qv

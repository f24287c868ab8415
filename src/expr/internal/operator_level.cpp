// One operator level: find the leftmost operator, cut its operands at the arithmetic characters,
// evaluate them through the held function, and join the value back into the text.
#include "expr/internal/operator_level.h"

#include <cmath>
#include <cstring>

#include "expr/internal/held_functions.h"
#include "platform/acad/acutads.h"
#include "text/print_pieces.h"
#include "text/replace.h"
#include "text/text_trim.h"

namespace qv {

namespace {

// One operator found in the text, with its operands and what lies around them.
struct Operation {
  char op = '\0';
  TextPiece left;
  TextPiece right;
  TextPiece leftRemainder;
  TextPiece rightRemainder;
  bool negateLeft = false;
};

TextPiece piece(const char* text, size_t from, size_t to) {
  return TextPiece{text + from, to - from};
}

// The end of the operand that starts at from: the next arithmetic character, where a "-" in
// first place belongs to the operand (2*-3).
size_t operandEnd(const char* text, size_t from) {
  size_t end = from;
  if (text[end] == '-') {
    ++end;
  }
  while (text[end] != '\0' && !isArithmetic(text[end])) {
    ++end;
  }
  return end;
}

// Splits text around its leftmost operator of set at position at.
Operation splitAt(const char* text, size_t at, const char* set) {
  Operation found;
  size_t rightStart = at + 1;
  found.op = text[at];
  if (at == 0 && text[0] == '-') {
    // A leading minus is a sign: -X op Y takes -X as its left operand, and -X alone is 0.0 - X.
    const size_t next = 1 + std::strcspn(text + 1, set);
    if (text[next] != '\0') {
      found.left = piece(text, 1, next);
      found.negateLeft = true;
      found.op = text[next];
      rightStart = next + 1;
    } else {
      found.left = TextPiece{"0.0", 3};
      rightStart = 1;
    }
  } else {
    size_t cut = at;
    while (cut > 0 && !isArithmetic(text[cut - 1])) {
      --cut;
    }
    found.leftRemainder = piece(text, 0, cut);
    found.left = piece(text, cut, at);
  }
  const size_t rightEnd = operandEnd(text, rightStart);
  found.right = piece(text, rightStart, rightEnd);
  found.rightRemainder = piece(text, rightEnd, rightEnd + std::strlen(text + rightEnd));
  return found;
}

// True when the piece, trimmed of leading spaces and trailing spaces and line ends, is "-".
bool trimsToMinus(TextPiece text) {
  size_t from = 0;
  while (from < text.length && text.begin[from] == ' ') {
    ++from;
  }
  return from < text.length && text.begin[from] == '-' &&
         trimsToEmpty(TextPiece{text.begin + from + 1, text.length - from - 1});
}

// The value of a op b; EVAL_NO_VALUE (holder too) when it cannot be computed.
double compute(char op, double a, double b, double& holder) {
  double value = 0.0;
  switch (op) {
  case '^':
    if (a < 0.0) {
      acutPrintf("Can not evaluate the power of negative numbers.\n");
      holder = EVAL_NO_VALUE;
      return EVAL_NO_VALUE;
    }
    if (a == 0.0) {
      value = b > 0.0 ? 0.0 : 1.0;
    } else {
      value = std::pow(a, b);
    }
    break;
  case '*':
    value = a * b;
    break;
  case '/':
    if (b == 0.0) {
      holder = EVAL_NO_VALUE;
      return EVAL_NO_VALUE;
    }
    value = a / b;
    break;
  case '+':
    value = a + b;
    break;
  case '-':
    value = a - b;
    break;
  case '<':
    value = a < b ? 1.0 : 0.0;
    break;
  case '>':
    value = a > b ? 1.0 : 0.0;
    break;
  case '!':
    value = a != b ? 1.0 : 0.0;
    break;
  case '=':
    value = a == b ? 1.0 : 0.0;
    break;
  case '|':
    value = a != 0.0 || b != 0.0 ? 1.0 : 0.0;
    break;
  case '&':
    value = a != 0.0 && b != 0.0 ? 1.0 : 0.0;
    break;
  default:
    break;
  }
  return value;
}

// The held function's value of the operand, trimmed; EVAL_NO_VALUE (holder too) on failure.
double operandValue(TextPiece operand, double& holder) {
  HostText copy = copyText(operand);
  if (!copy) {
    holder = EVAL_NO_VALUE;
    return EVAL_NO_VALUE;
  }
  TrimText(copy.get());
  return evaluateHeld(copy.get(), holder);
}

// Performs one operation of the level; false when the level is done or has failed.
bool applyOnce(HostText& text, const char* set, double& holder) {
  const char* current = text.get();
  const size_t at = std::strcspn(current, set);
  if (current[at] == '\0') {
    return false;
  }
  const Operation found = splitAt(current, at, set);
  if (found.left.length == 0 || found.right.length == 0) {
    HostText left = copyText(found.left);
    HostText right = copyText(found.right);
    if (left && right) {
      PrintLong("\nWarning: Variable name or real value is missing: %s Token1: %s Token2: %s",
                current, left.get(), right.get());
    }
    holder = EVAL_NO_VALUE;
    return false;
  }
  if (heldEvaluationFunction() == nullptr) {
    acutPrintf("Evaluation function is not set\n");
    holder = EVAL_NO_VALUE;
    return false;
  }
  const double a = operandValue(found.left, holder);
  const double b = operandValue(found.right, holder);
  if (isNoValue(a) || isNoValue(b) || isNoValue(holder)) {
    holder = EVAL_NO_VALUE;
    return false;
  }
  const double value = compute(found.op, found.negateLeft ? -a : a, b, holder);
  if (isNoValue(holder)) {
    return false;
  }
  HostText next = joinValue(found.leftRemainder, value, found.rightRemainder, holder);
  if (!next) {
    return false;
  }
  if (value < 0.0) {
    if (trimsToMinus(found.leftRemainder)) {
      // A minus before a negative value: -2*-3 became --6.0..., which is 6.0...
      std::memmove(next.get(), next.get() + 2, std::strlen(next.get() + 2) + 1);
    } else {
      ReplaceAll(next.get(), "--", "+");
    }
  }
  const bool done = trimsToEmpty(found.leftRemainder) && trimsToEmpty(found.rightRemainder);
  text = std::move(next);
  return !done;
}

} // namespace

void applyOperatorLevel(HostText& text, const char* set, double& holder) {
  while (applyOnce(text, set, holder)) {
  }
}

} // namespace qv

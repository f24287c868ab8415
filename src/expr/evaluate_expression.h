// The expression evaluator: one-line expressions over named variables, evaluated by rewriting the
// text step by step until one number is left. Operands mean what the caller's function says.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace qv {

// The "no value" marker: the result of every failed evaluation, and what an EvaluationFunction
// returns when it cannot give a value. Compare with isNoValue, which tests all 64 bits.
inline constexpr double EVAL_NO_VALUE = 98765432.1;

// True when value is EVAL_NO_VALUE bit for bit (0x41978C29E0666666); nothing else is.
constexpr bool isNoValue(double value) {
  return std::bit_cast<uint64_t>(value) == 0x41978C29E0666666ull;
}

// The caller's meaning of an operand: the value of a NUL-terminated text, or EVAL_NO_VALUE.
// It is handed bracketed variable names, operand texts (trimmed), the branch words of
// if/then/else and the final text, so it must read "%.14f" numbers with a leading "-" as well as
// the caller's own names. It must not call EvaluateExpression itself.
using EvaluationFunction = double (*)(const char* text);

// Size of the buffer a StringConversionFunction writes into.
inline constexpr size_t convertedStringSize = 1024;

// The string value of the left side of a LIKE test: text is that side, upper-cased; the function
// writes the value, NUL-terminated, into output (convertedStringSize bytes). Its result is unused.
using StringConversionFunction = int (*)(const char* text, char* output);

// The value of expression, or EVAL_NO_VALUE after any failure. The language:
// - "(" ")" group (innermost first); "[name]" is the value of the variable name;
// - operators by level, each level left to right: "^"; "*" "/"; "+" "-"; "<"; ">"; "!" (not
//   equal); "="; "|" (or); "&" (and). Comparisons and logic give 1 or 0. Operands run between
//   the arithmetic characters "+-*/^" only, so combined conditions need parentheses:
//   (1<2)&(3<4);
// - "if C then X [else Y]" with C a number (parenthesize anything else) and X, Y single words:
//   X when C is exactly 1, else Y (EVAL_NO_VALUE when there is no else);
// - "if A [not] like P then X [else Y]": A (quoted, or converted by convert) against the
//   wildcard pattern P (see MatchWildcard), both upper-cased.
// Every failure prints its message through acutPrintf, except division by zero, an operand that
// evaluate cannot read, and a result that is not a finite number (an overflow), which fail
// quietly. A base 0 power gives 0 for a positive exponent and 1 otherwise; a negative base fails.
// A null evaluate prints "Evaluation function is not set\n"; a null expression gives
// EVAL_NO_VALUE. convert may be null: a LIKE test that needs it then prints "String conversion
// function is not defined\n" and the evaluation fails. If a host allocation fails, the evaluation
// gives EVAL_NO_VALUE. Evaluations must not overlap: the two functions are held process-wide for
// the length of the call and cleared when it returns.
double EvaluateExpression(const char* expression, EvaluationFunction evaluate,
                          StringConversionFunction convert);

} // namespace qv

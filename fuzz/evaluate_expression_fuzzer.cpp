// Fuzz target of the expression evaluator: any text up to its first NUL is an expression; what
// follows a NUL is a wildcard pattern matched against it. Stops on a value that is neither a
// finite number nor the no-value marker, on a held function left behind, and on a leaked block.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "expr/expr.h"
#include "expr/internal/held_functions.h"
#include "platform/acad/adscodes.h"
#include "platform/sim.h"
#include "support/read_decimal.h"

namespace {

// Decimal numbers (readDecimal) (the whole text, finite) and a few names, as a caller's would.
double readValue(const char* text) {
  if (std::strcmp(text, "x") == 0 || std::strcmp(text, "X") == 0) {
    return 3.0;
  }
  if (std::strcmp(text, "y") == 0 || std::strcmp(text, "Y") == 0) {
    return -2.0;
  }
  if (std::strcmp(text, "zero") == 0) {
    return 0.0;
  }
  char* end = nullptr;
  const double value = qv::readDecimal(text, &end);
  if (end == text || *end != '\0' || !std::isfinite(value)) {
    return qv::EVAL_NO_VALUE;
  }
  return value;
}

int convertName(const char* text, char* output) {
  std::strncpy(output, text, qv::convertedStringSize - 1);
  output[qv::convertedStringSize - 1] = '\0';
  return 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string expression = input.substr(0, input.find('\0'));
  const double value = qv::EvaluateExpression(expression.c_str(), readValue, convertName);
  if (!qv::isNoValue(value) && !std::isfinite(value)) {
    std::abort();
  }
  if (qv::heldEvaluationFunction() != nullptr || qv::heldStringConversionFunction() != nullptr) {
    std::abort();
  }
  if (expression.size() < input.size()) {
    const std::string pattern = input.substr(expression.size() + 1);
    const int match = qv::MatchWildcard(expression.c_str(), pattern.c_str());
    if (match != RTNORM && match != RTERROR) {
      std::abort();
    }
  }
  sim::takeCommandLine();
  if (sim::liveBlocks() != 0 || !sim::memoryProblems().empty()) {
    std::abort();
  }
  return 0;
}

// EvaluateExpression on a typical condition, a LIKE test, and long sums: each step rewrites the
// whole text, so the time of a sum grows with the square of its length (see the fitted big O).
#include <cstdlib>
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "expr/expr.h"

namespace {

double readValue(const char* text) {
  if (std::strcmp(text, "x") == 0) {
    return 3.0;
  }
  if (std::strcmp(text, "y") == 0) {
    return -2.0;
  }
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  return end == text || *end != '\0' ? qv::EVAL_NO_VALUE : value;
}

int convertName(const char* text, char* output) {
  std::strncpy(output, text, qv::convertedStringSize - 1);
  output[qv::convertedStringSize - 1] = '\0';
  return 1;
}

// Runs expression, checking its value once before timing.
void runExpression(benchmark::State& state, const std::string& expression, double expected) {
  const double first = qv::EvaluateExpression(expression.c_str(), readValue, convertName);
  if (first != expected) {
    state.SkipWithError(("wrong value for " + expression.substr(0, 40)).c_str());
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::EvaluateExpression(expression.c_str(), readValue, convertName));
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(expression.size()));
}

void BM_EvaluateExpression_Condition(benchmark::State& state) {
  runExpression(state, "if ((([x]*4+1)>([x]^2))&([x]!0)) then [x] else 0", 3.0);
}
BENCHMARK(BM_EvaluateExpression_Condition);

void BM_EvaluateExpression_LikeTest(benchmark::State& state) {
  runExpression(state, "if name not like \"A?C*\" then 1 else 0", 1.0);
}
BENCHMARK(BM_EvaluateExpression_LikeTest);

// 1+2+...+n; the complexity is fitted against the length of the text.
void BM_EvaluateExpression_Sum(benchmark::State& state) {
  const int64_t terms = state.range(0);
  std::string expression = "1";
  for (int64_t term = 2; term <= terms; ++term) {
    expression += '+';
    expression += std::to_string(term);
  }
  runExpression(state, expression, static_cast<double>(terms * (terms + 1) / 2));
  state.SetComplexityN(static_cast<int64_t>(expression.size()));
  state.counters["chars"] = static_cast<double>(expression.size());
}
BENCHMARK(BM_EvaluateExpression_Sum)
    ->Arg(125)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(16000)
    ->Complexity(benchmark::oAuto);

} // namespace

// The cost of a LISP call into a module function (the argument list built, the call dispatched
// through the module's entry point, the result handed back and released) against a direct C++
// call of the same service, for a formatter and for the expression evaluator.
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "expr/evaluate_expression.h"
#include "host/module_entry.h"
#include "platform/acad/acutads.h"
#include "platform/acad/sim_lisp.h"
#include "platform/sim.h"
#include "support/read_decimal.h"
#include "text/feet_inches.h"

namespace {

// A fresh host with the module loaded; false (the benchmark skipped) when it will not load.
bool loadModule(benchmark::State& state) {
  sim::reset();
  if (!sim::loadModule(acrxEntryPoint)) {
    state.SkipWithError("the module did not load");
    return false;
  }
  return true;
}

void unloadModule(benchmark::State& state) {
  sim::unloadModule(acrxEntryPoint);
  if (sim::liveBlocks() != 0 || sim::liveResbufs() != 0) {
    state.SkipWithError("host memory left live");
  }
}

// One host-side call: the list built, the call made, the result checked and released.
bool callOnce(const char* name, resbuf* args, const char* expected) {
  resbuf* result = nullptr;
  const int status = sim::callLisp(name, args, &result);
  acutRelRb(args);
  const bool right = status == RTNORM && result != nullptr &&
                     (result->restype == RTSTR ? std::strcmp(result->resval.rstring, expected) == 0
                                               : result->restype == RTREAL);
  acutRelRb(result);
  return right;
}

void BM_ModuleCall_FeetInches(benchmark::State& state) {
  if (!loadModule(state)) {
    return;
  }
  if (!callOnce("cf:feetinches", acutBuildList(RTREAL, 3.5, RTNONE), "3'6\"")) {
    state.SkipWithError("wrong answer");
  }
  for (auto _ : state) {
    resbuf* result = nullptr;
    resbuf* args = acutBuildList(RTREAL, 3.5, RTNONE);
    benchmark::DoNotOptimize(sim::callLisp("cf:feetinches", args, &result));
    acutRelRb(args);
    acutRelRb(result);
  }
  state.SetItemsProcessed(state.iterations());
  unloadModule(state);
}
BENCHMARK(BM_ModuleCall_FeetInches);

// The same call written as AutoLISP text: read, evaluated, converted both ways.
void BM_ModuleCall_FeetInchesFromLispText(benchmark::State& state) {
  if (!loadModule(state)) {
    return;
  }
  if (sim::evalLisp("(cf:feetinches 3.5)") != "\"3'6\\\"\"") {
    state.SkipWithError("wrong answer");
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(sim::evalLisp("(cf:feetinches 3.5)"));
  }
  state.SetItemsProcessed(state.iterations());
  unloadModule(state);
}
BENCHMARK(BM_ModuleCall_FeetInchesFromLispText);

void BM_DirectCall_FeetInches(benchmark::State& state) {
  char text[qv::kQuantityTextMax];
  qv::FormatFeetInches(3.5, text);
  if (std::strcmp(text, "3'6\"") != 0) {
    state.SkipWithError("wrong answer");
  }
  for (auto _ : state) {
    qv::FormatFeetInches(3.5, text);
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DirectCall_FeetInches);

const char* const kExpression = "if (([a]*2)>[b]) then 1 else 0";

// The direct caller's variables: a is 3, b is 5.
double readVariable(const char* text) {
  if (std::strcmp(text, "a") == 0) {
    return 3.0;
  }
  if (std::strcmp(text, "b") == 0) {
    return 5.0;
  }
  char* end = nullptr;
  const double value = qv::readDecimal(text, &end);
  return end != text && *end == '\0' ? value : qv::EVAL_NO_VALUE;
}

resbuf* evaluateArguments() {
  return acutBuildList(RTSTR, kExpression, RTLB, RTLB, RTSTR, "a", RTDOTE, RTREAL, 3.0, RTLE, RTLB,
                       RTSTR, "b", RTDOTE, RTREAL, 5.0, RTLE, RTLE, RTNONE);
}

void BM_ModuleCall_Evaluate(benchmark::State& state) {
  if (!loadModule(state)) {
    return;
  }
  if (!callOnce("cf:evaluate", evaluateArguments(), nullptr)) {
    state.SkipWithError("wrong answer");
  }
  for (auto _ : state) {
    resbuf* result = nullptr;
    resbuf* args = evaluateArguments();
    benchmark::DoNotOptimize(sim::callLisp("cf:evaluate", args, &result));
    acutRelRb(args);
    acutRelRb(result);
  }
  state.SetItemsProcessed(state.iterations());
  unloadModule(state);
}
BENCHMARK(BM_ModuleCall_Evaluate);

void BM_DirectCall_Evaluate(benchmark::State& state) {
  sim::reset();
  if (qv::EvaluateExpression(kExpression, readVariable, nullptr) != 1.0) {
    state.SkipWithError("wrong answer");
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::EvaluateExpression(kExpression, readVariable, nullptr));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DirectCall_Evaluate);

} // namespace

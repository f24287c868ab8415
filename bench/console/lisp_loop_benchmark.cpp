// The console's AutoLISP against Python: a loop of 1,000,000 iterations summing its counter, run
// by qvhost and by python3 as whole programs (start included), and by the interpreter in this
// process; the start of each program alone is measured too.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/sim.h"

namespace {

const char* const kLispLoop =
    "(setq i 0 s 0) (while (< i 1000000) (setq s (+ s i) i (1+ i))) (princ s)";
const char* const kPythonLoop = "i = 0\ns = 0\nwhile i < 1000000:\n    s = s + i\n    i = i + 1\n"
                                "print(s, end='')";
// The sum wraps at 32 bits in AutoLISP; Python's integers do not.
const char* const kLispSum = "1783293664";
const char* const kPythonSum = "499999500000";

// Runs a command and returns its standard output.
std::string run(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char piece[256];
    size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, pipe)) > 0) {
      output.append(piece, got);
    }
    pclose(pipe);
  }
  return output;
}

std::string qvhostCommand(const std::string& lisp) {
  return std::string(QVHOST) + " --no-registry --no-support --user-dir /tmp/qvhost-bench -e '" +
         lisp + "' 2>&1";
}

std::string pythonCommand(const std::string& python) {
  return "python3 -c \"" + python + "\" 2>&1";
}

void measureCommand(benchmark::State& state, const std::string& command, const char* expected) {
  const std::string output = run(command);
  if (output.find(expected) == std::string::npos) {
    state.SkipWithError(("unexpected output: " + output).c_str());
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(run(command));
  }
  state.SetItemsProcessed(state.iterations() * (expected[0] == '\0' ? 1 : 1000000));
}

void BM_LispLoop_Qvhost(benchmark::State& state) {
  measureCommand(state, qvhostCommand(kLispLoop), kLispSum);
}

void BM_LispLoop_Python(benchmark::State& state) {
  measureCommand(state, pythonCommand(kPythonLoop), kPythonSum);
}

void BM_Start_Qvhost(benchmark::State& state) {
  measureCommand(state, qvhostCommand("(princ)"), "");
}

void BM_Start_Python(benchmark::State& state) {
  measureCommand(state, pythonCommand("pass"), "");
}

void BM_LispLoop_InProcess(benchmark::State& state) {
  sim::reset();
  if (sim::evalLisp(kLispLoop) != kLispSum) {
    state.SkipWithError("wrong sum");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(sim::evalLisp(kLispLoop));
    sim::takeCommandLine();
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
  sim::reset();
}

BENCHMARK(BM_LispLoop_Qvhost)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LispLoop_Python)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Start_Qvhost)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_Start_Python)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_LispLoop_InProcess)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

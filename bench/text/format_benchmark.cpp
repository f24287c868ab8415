// FormatAlloc and msString::Format against snprintf into a malloc'ed buffer, for a short and a long
// result. Each benchmark also times the snprintf baseline over as many calls and reports the ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "text/text.h"

namespace {

const char* const kShortFormat = "%s=%d (%.3f)";
const char* const kLongFormat = "%s|%d|%.6f|%s";

struct Case {
  const char* format;
  std::string first;
  int number;
  double real;
  std::string last;
  size_t bufferSize;
};

Case shortCase() {
  return {kShortFormat, "north", 42, 3.14159, "", 64};
}
Case longCase() {
  return {kLongFormat, std::string(2500, 'a'), -123456, 2.718281828, std::string(2500, 'b'), 8192};
}

// The baseline at its best: one snprintf into a malloc'ed buffer that the caller already knows to
// be large enough. (glibc's snprintf is many times slower when the buffer is too small or when it
// is only asked for the length, so neither is used here.)
char* snprintfAlloc(const Case& c) {
  char* text = static_cast<char*>(std::malloc(c.bufferSize));
  std::snprintf(text, c.bufferSize, c.format, c.first.c_str(), c.number, c.real, c.last.c_str());
  return text;
}

char* formatAlloc(const Case& c) {
  return qv::FormatAlloc(c.format, c.first.c_str(), c.number, c.real, c.last.c_str());
}

// Processor time per call (the machine is shared, so wall-clock time would count other work).
template <class Body> double nanosPerCall(int64_t calls, Body body) {
  const std::clock_t start = std::clock();
  for (int64_t i = 0; i < calls; ++i) {
    body();
  }
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  return seconds * 1e9 / static_cast<double>(calls);
}

double baselineNanos(const Case& c, int64_t calls) {
  return nanosPerCall(calls, [&] {
    char* text = snprintfAlloc(c);
    benchmark::DoNotOptimize(text);
    std::free(text);
  });
}

// Checks once, before timing, that the library prints what the C library prints.
bool sameAsSnprintf(const Case& c, const char* ours) {
  char* expected = snprintfAlloc(c);
  const bool same = ours != nullptr && std::strcmp(expected, ours) == 0;
  std::free(expected);
  return same;
}

void reportRatio(benchmark::State& state, const Case& c, double oursNanos, size_t length) {
  const double baseline = baselineNanos(c, state.iterations());
  state.counters["ns_per_call"] = oursNanos;
  state.counters["snprintf_ns"] = baseline;
  state.counters["ratio_vs_snprintf"] = oursNanos / baseline;
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(length));
}

void runFormatAlloc(benchmark::State& state, const Case& c) {
  sim::reset();
  char* check = formatAlloc(c);
  if (!sameAsSnprintf(c, check)) {
    state.SkipWithError("FormatAlloc differs from snprintf");
    acad_free(check);
    return;
  }
  const size_t length = std::strlen(check);
  acad_free(check);
  const auto body = [&] {
    char* text = formatAlloc(c);
    benchmark::DoNotOptimize(text);
    acad_free(text);
  };
  for (auto _ : state) {
    body();
  }
  reportRatio(state, c, nanosPerCall(state.iterations(), body), length);
}

void runMsStringFormat(benchmark::State& state, const Case& c) {
  sim::reset();
  {
    qv::msString check;
    if (check.Format(c.format, c.first.c_str(), c.number, c.real, c.last.c_str()) != 1 ||
        !sameAsSnprintf(c, check)) {
      state.SkipWithError("msString::Format differs from snprintf");
      return;
    }
  }
  qv::msString target;
  size_t length = 0;
  const auto body = [&] {
    target.Format(c.format, c.first.c_str(), c.number, c.real, c.last.c_str());
    benchmark::DoNotOptimize(static_cast<const char*>(target));
  };
  for (auto _ : state) {
    body();
  }
  length = static_cast<size_t>(target.GetLength());
  reportRatio(state, c, nanosPerCall(state.iterations(), body), length);
}

void BM_FormatAlloc_Short(benchmark::State& state) {
  runFormatAlloc(state, shortCase());
}
void BM_FormatAlloc_Long(benchmark::State& state) {
  runFormatAlloc(state, longCase());
}
void BM_MsStringFormat_Short(benchmark::State& state) {
  runMsStringFormat(state, shortCase());
}
void BM_MsStringFormat_Long(benchmark::State& state) {
  runMsStringFormat(state, longCase());
}

BENCHMARK(BM_FormatAlloc_Short);
BENCHMARK(BM_FormatAlloc_Long);
BENCHMARK(BM_MsStringFormat_Short);
BENCHMARK(BM_MsStringFormat_Long);

} // namespace

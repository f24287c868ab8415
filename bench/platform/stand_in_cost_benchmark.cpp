// The stand-in's own cost: the host allocator's counted pair and a result-buffer list against the
// C library's malloc/free doing the same allocations, and a counted call with nothing planned.
#include <cstdlib>
#include <cstring>

#include <benchmark/benchmark.h>

#include "platform/acad/acutads.h"
#include "platform/internal/session.h"
#include "platform/sim.h"

namespace {

constexpr size_t kBlockSize = 48;

void BM_MallocFree(benchmark::State& state) {
  for (auto _ : state) {
    void* block = std::malloc(kBlockSize);
    benchmark::DoNotOptimize(block);
    std::free(block);
  }
}
BENCHMARK(BM_MallocFree);

void BM_AcadMallocFree(benchmark::State& state) {
  sim::reset();
  for (auto _ : state) {
    void* block = acad_malloc(kBlockSize);
    benchmark::DoNotOptimize(block);
    acad_free(block);
  }
  if (sim::liveBlocks() != 0) {
    state.SkipWithError("host blocks left live");
  }
}
BENCHMARK(BM_AcadMallocFree);

// The peer of a three-item list: three buffers and the string's copy from malloc, then freed.
void BM_MallocListOfThree(benchmark::State& state) {
  for (auto _ : state) {
    resbuf* items[3];
    for (resbuf*& item : items) {
      item = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    }
    items[0]->resval.rstring = static_cast<char*>(std::malloc(5));
    std::memcpy(items[0]->resval.rstring, "name", 5);
    benchmark::DoNotOptimize(items[0]->resval.rstring);
    std::free(items[0]->resval.rstring);
    for (resbuf* item : items) {
      std::free(item);
    }
  }
}
BENCHMARK(BM_MallocListOfThree);

void BM_BuildListOfThreeAndRelease(benchmark::State& state) {
  sim::reset();
  for (auto _ : state) {
    resbuf* list = acutBuildList(RTSTR, "name", RTSHORT, 7, RTREAL, 2.5, RTNONE);
    benchmark::DoNotOptimize(list);
    acutRelRb(list);
  }
  if (sim::liveResbufs() != 0 || sim::liveBlocks() != 0) {
    state.SkipWithError("result buffers left live");
  }
}
BENCHMARK(BM_BuildListOfThreeAndRelease);

void BM_CountedCallNothingPlanned(benchmark::State& state) {
  sim::reset();
  for (auto _ : state) {
    benchmark::DoNotOptimize(sim::detail::shouldFail(sim::detail::FailableCall::fwrite));
  }
}
BENCHMARK(BM_CountedCallNothingPlanned);

} // namespace

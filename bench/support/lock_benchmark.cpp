// Cost of the support classes on one thread: a SingleLock round on a CriticalSection against a
// std::mutex round, an Event set-and-wait round, and the byte sum of a 1 KiB text.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <mutex>
#include <string>

#include "support/support.h"

namespace {

void BM_SingleLock_Uncontended(benchmark::State& state) {
  qv::CriticalSection section;
  long long counter = 0;
  for (auto _ : state) {
    qv::SingleLock guard(&section, true);
    benchmark::DoNotOptimize(++counter);
  }
  if (counter != static_cast<long long>(state.iterations())) {
    state.SkipWithError("lost increments");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SingleLock_Uncontended);

void BM_StdMutex_Uncontended(benchmark::State& state) {
  std::mutex mutex;
  long long counter = 0;
  for (auto _ : state) {
    std::lock_guard<std::mutex> guard(mutex);
    benchmark::DoNotOptimize(++counter);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StdMutex_Uncontended);

void BM_Event_SetThenWait(benchmark::State& state) {
  qv::CriticalSection section;
  qv::Event event(section);
  qv::SingleLock guard(&section, true);
  event.set();
  if (event.wait(0) != WAIT_OBJECT_0) {
    state.SkipWithError("a set was not seen by the next wait");
    return;
  }
  for (auto _ : state) {
    event.set();
    benchmark::DoNotOptimize(event.wait(0));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Event_SetThenWait);

void BM_ByteSumText_Text1K(benchmark::State& state) {
  const std::string text(1024, 'q');
  std::string buffer = text;
  qv::byteSumText(buffer.data());
  if (std::strtoll(buffer.c_str(), nullptr, 10) != 1024LL * 'q') {
    state.SkipWithError("wrong sum");
    return;
  }
  for (auto _ : state) {
    buffer = text;
    benchmark::DoNotOptimize(qv::byteSumText(buffer.data()));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ByteSumText_Text1K);

} // namespace

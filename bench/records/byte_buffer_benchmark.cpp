// QvByteBuffer read back record by record with consume, in the chunk form and the XML form, at
// doubling sizes; "doubling" is the time against the half size of the same form (2 for reading
// that costs time in the number of records).
#include <cstdio>
#include <ctime>
#include <map>
#include <string>

#include <benchmark/benchmark.h>

#include "records/records.h"

namespace {

// Survey-point records as the buffer's users hand them over: an id and four typed fields.
void writePoints(qv::QvByteBuffer& buffer, int n, int chunkForm) {
  char text[32];
  for (int i = 0; i < n; ++i) {
    qv::QvUniRecord record;
    record.setId(std::to_string(i + 1).c_str());
    std::snprintf(text, sizeof text, "%.3f", 5000.0 + i * 0.25);
    record.setField("north", text, 0, "real");
    std::snprintf(text, sizeof text, "%.3f", 2000.0 + i * 0.5);
    record.setField("east", text, 0, "real");
    record.setField("elev", "101.250", 0, "real");
    record.setField("desc", "TREE & <oak>", 0, nullptr);
    buffer.writeRecord(&record, chunkForm);
  }
}

// Reads every record with consume; the number read.
int readAll(qv::QvByteBuffer& buffer) {
  int read = 0;
  for (;;) {
    qv::QvUniRecord record;
    const int status = buffer.readRecord(&record, 0, 1);
    if (status == qv::kReadLast || status == qv::kReadMore) {
      ++read;
    }
    if (status != qv::kReadMore) {
      return read;
    }
  }
}

std::map<std::string, double> cpuOf;

double cpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void readBack(benchmark::State& state, int chunkForm) {
  const int n = static_cast<int>(state.range(0));
  const std::string name = chunkForm != 0 ? "chunk" : "xml";
  double seconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto* buffer = new qv::QvByteBuffer;
    writePoints(*buffer, n, chunkForm);
    state.ResumeTiming();
    const double started = cpuSeconds();
    const int read = readAll(*buffer);
    seconds += cpuSeconds() - started;
    state.PauseTiming();
    delete buffer;
    if (read != n) {
      state.SkipWithError("the buffer gave another number of records than was written");
      return;
    }
    state.ResumeTiming();
  }
  seconds /= static_cast<double>(state.iterations());
  cpuOf[name + std::to_string(n)] = seconds;
  state.counters["cpu_s"] = seconds;
  auto half = cpuOf.find(name + std::to_string(n / 2));
  if (half != cpuOf.end() && half->second > 0) {
    state.counters["doubling"] = seconds / half->second;
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_ByteBufferReadBack_Chunk(benchmark::State& state) {
  readBack(state, 1);
}

void BM_ByteBufferReadBack_Xml(benchmark::State& state) {
  readBack(state, 0);
}

BENCHMARK(BM_ByteBufferReadBack_Chunk)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteBufferReadBack_Xml)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond);

} // namespace

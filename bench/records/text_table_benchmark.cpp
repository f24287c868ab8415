// readTextTable of a comma-delimited point file (id, northing, easting, elevation, description),
// against splitting each line into a new vector of strings and against libcsv, at doubling sizes.
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "records/records.h"

#ifdef QV_HAVE_LIBCSV
#include <csv.h>
#endif

namespace {

// The point files made in this run, removed when it ends.
struct PointFiles {
  std::vector<std::pair<int, std::string>> made;
  std::vector<int64_t> sizes;
  ~PointFiles() {
    for (const auto& file : made) {
      std::remove(file.second.c_str());
    }
  }
} pointFiles;

// The point file of n lines, CR LF ended as it comes from Windows; made once per size.
const std::string& pointFile(int n, int64_t* bytes = nullptr) {
  auto& made = pointFiles.made;
  auto& sizes = pointFiles.sizes;
  for (size_t i = 0; i < made.size(); ++i) {
    if (made[i].first == n) {
      if (bytes != nullptr) {
        *bytes = sizes[i];
      }
      return made[i].second;
    }
  }
  const std::string path =
      "/tmp/qv-bench-points-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".csv";
  static const char* const codes[] = {"TREE", "MH", "FH", "EP", "BLDG", "CL", "TBM", "FENCE"};
  std::mt19937 random(20240602u);
  std::ofstream out(path, std::ios::binary);
  char line[128];
  int64_t total = 0;
  for (int i = 0; i < n; ++i) {
    const int length =
        std::snprintf(line, sizeof line, "%d,%.3f,%.3f,%.3f,%s %u\r\n", i + 1,
                      5000.0 + (random() % 10000000) / 1000.0,
                      2000.0 + (random() % 10000000) / 1000.0, 100.0 + (random() % 50000) / 1000.0,
                      codes[random() % 8], static_cast<unsigned>(random() % 1000));
    out.write(line, length);
    total += length;
  }
  made.emplace_back(n, path);
  sizes.push_back(total);
  if (bytes != nullptr) {
    *bytes = total;
  }
  return made.back().second;
}

void report(benchmark::State& state, int n) {
  int64_t bytes = 0;
  pointFile(n, &bytes);
  state.SetItemsProcessed(state.iterations() * n);
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_ReadTextTable_PointFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string& path = pointFile(n);
  {
    qv::IQvUniRecord* table = qv::readTextTable(path.c_str(), ',', nullptr, 0, 0, 0, 0);
    int32_t id = 0;
    if (table == nullptr || table->countRecords() != n || !table->getFieldLong("1", id) ||
        id != 1 || table->firstField()->next()->next()->next()->next() == nullptr) {
      state.SkipWithError("readTextTable gave a wrong table");
      return;
    }
    table->releaseChain();
  }
  for (auto _ : state) {
    qv::IQvUniRecord* table = qv::readTextTable(path.c_str(), ',', nullptr, 0, 0, 0, 0);
    benchmark::DoNotOptimize(table);
    table->releaseChain();
  }
  report(state, n);
}

// The peer: each line read with std::getline, its CR dropped, and split into a new vector of
// strings; all rows kept until the file is read, as the table keeps its records.
std::vector<std::vector<std::string>> splitLines(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t cut; (cut = line.find(',', start)) != std::string::npos; start = cut + 1) {
      fields.emplace_back(line, start, cut - start);
    }
    fields.emplace_back(line, start);
    rows.push_back(std::move(fields));
  }
  return rows;
}

void BM_SplitIntoVectors_PointFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string& path = pointFile(n);
  {
    const auto rows = splitLines(path);
    if (static_cast<int>(rows.size()) != n || rows[0].size() != 5 || rows[0][0] != "1") {
      state.SkipWithError("the split gave wrong rows");
      return;
    }
  }
  for (auto _ : state) {
    auto rows = splitLines(path);
    benchmark::DoNotOptimize(rows.data());
  }
  report(state, n);
}

#ifdef QV_HAVE_LIBCSV
struct CsvRows {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> current;
};

std::vector<std::vector<std::string>> parseWithLibcsv(const std::string& path) {
  csv_parser parser;
  csv_init(&parser, CSV_APPEND_NULL);
  CsvRows out;
  auto onField = [](void* text, size_t length, void* data) {
    static_cast<CsvRows*>(data)->current.emplace_back(static_cast<const char*>(text), length);
  };
  auto onRow = [](int, void* data) {
    auto* rows = static_cast<CsvRows*>(data);
    rows->rows.push_back(std::move(rows->current));
    rows->current.clear();
  };
  FILE* file = std::fopen(path.c_str(), "rb");
  std::vector<char> buffer(64 * 1024);
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
    csv_parse(&parser, buffer.data(), got, onField, onRow, &out);
  }
  csv_fini(&parser, onField, onRow, &out);
  csv_free(&parser);
  std::fclose(file);
  return std::move(out.rows);
}

void BM_Libcsv_PointFile(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string& path = pointFile(n);
  {
    const auto rows = parseWithLibcsv(path);
    if (static_cast<int>(rows.size()) != n || rows[0].size() != 5 || rows[0][0] != "1") {
      state.SkipWithError("libcsv gave wrong rows");
      return;
    }
  }
  for (auto _ : state) {
    auto rows = parseWithLibcsv(path);
    benchmark::DoNotOptimize(rows.data());
  }
  report(state, n);
}
BENCHMARK(BM_Libcsv_PointFile)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_ReadTextTable_PointFile)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitIntoVectors_PointFile)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

} // namespace

// Drawing storage: n text entries spread over 100 folders written with writeStorageText and read
// back with readStorageText, in a new drawing each time. Folder and entry lookups go through the
// host's dictionaries, so the cost should grow as n log n. The peer is a plain two-level
// std::map with the same case-blind keys: what the storage costs above the lookups themselves.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/sim.h"
#include "records/records.h"

namespace {

constexpr int kFolders = 100;

std::vector<std::string> keyPaths(int n) {
  std::vector<std::string> paths;
  paths.reserve(static_cast<size_t>(n));
  char path[64];
  for (int i = 0; i < n; ++i) {
    std::snprintf(path, sizeof path, "Project\\Folder%03d\\entry%06d", i % kFolders, i);
    paths.push_back(path);
  }
  return paths;
}

void BM_StoreAndReadTexts(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<std::string> paths = keyPaths(n);
  char buffer[256];
  for (auto _ : state) {
    state.PauseTiming();
    const int document = sim::openDocument("C:\\bench\\storage.dwg");
    state.ResumeTiming();
    for (const std::string& path : paths) {
      qv::writeStorageText(path.c_str(), path.c_str(), nullptr);
    }
    for (const std::string& path : paths) {
      qv::readStorageText(path.c_str(), buffer, sizeof buffer, nullptr);
      benchmark::DoNotOptimize(buffer);
    }
    state.PauseTiming();
    sim::closeDocument(document);
    state.ResumeTiming();
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}

struct CaseBlindLess {
  static unsigned char fold(char c) {
    return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
  bool operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return fold(x) < fold(y); });
  }
};

void BM_PeerTwoLevelMap(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<std::string> paths = keyPaths(n);
  char buffer[256];
  for (auto _ : state) {
    std::map<std::string, std::map<std::string, std::string, CaseBlindLess>, CaseBlindLess> store;
    for (const std::string& path : paths) {
      const size_t cut = path.rfind('\\');
      store[path.substr(0, cut)][path.substr(cut + 1)] = path;
    }
    for (const std::string& path : paths) {
      const size_t cut = path.rfind('\\');
      const std::string& text = store[path.substr(0, cut)][path.substr(cut + 1)];
      std::snprintf(buffer, sizeof buffer, "%s", text.c_str());
      benchmark::DoNotOptimize(buffer);
    }
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_StoreAndReadTexts)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(10000)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_PeerTwoLevelMap)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(10000)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

} // namespace

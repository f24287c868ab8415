// Settings: n text entries over 100 folders of the drawing storage, and a variable set of n
// entries (integers, reals and texts by turns) saved to and loaded from each of its stores. Every
// store looks its entries up by name in ordered tables, so the cost should grow as n log n.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "records/drawing_storage.h"
#include "settings/settings.h"

namespace {

constexpr int kFolders = 100;
constexpr int kTextCapacity = 32;

void BM_StorageTexts(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<std::string> paths;
  char path[64];
  for (int i = 0; i < n; ++i) {
    std::snprintf(path, sizeof path, "Settings\\Folder%03d\\entry%06d", i % kFolders, i);
    paths.push_back(path);
  }
  char buffer[64];
  for (auto _ : state) {
    state.PauseTiming();
    const int document = sim::openDocument("C:\\bench\\settings.dwg");
    state.ResumeTiming();
    for (const std::string& p : paths) {
      qv::writeStorageText(p.c_str(), p.c_str(), nullptr);
    }
    for (const std::string& p : paths) {
      qv::readStorageText(p.c_str(), buffer, sizeof buffer, nullptr);
      benchmark::DoNotOptimize(buffer);
    }
    state.PauseTiming();
    sim::closeDocument(document);
    state.ResumeTiming();
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}

// n variables bound to one set, with a file in a folder of their own.
class Variables {
public:
  explicit Variables(int n)
      : folder_(std::filesystem::temp_directory_path() / "qvbench-settings"),
        set_("B:\\vars.txt", "QVBENCH", "Bench"), integers_(n), reals_(n),
        texts_(static_cast<size_t>(n) * kTextCapacity) {
    std::filesystem::create_directories(folder_);
    sim::mapDrive('B', folder_.string());
    char name[32];
    for (int i = 0; i < n; ++i) {
      std::snprintf(name, sizeof name, "var%06d", i);
      names_.push_back(name);
      integers_[i] = i * 7;
      reals_[i] = i / 8.0;
      std::snprintf(&texts_[static_cast<size_t>(i) * kTextCapacity], kTextCapacity, "text %d", i);
    }
    for (int i = 0; i < n; ++i) {
      const char* group = i % 2 == 0 ? "even" : nullptr;
      if (i % 3 == 0) {
        set_.addInteger(names_[i].c_str(), &integers_[i], group);
      } else if (i % 3 == 1) {
        set_.addReal(names_[i].c_str(), &reals_[i], group);
      } else {
        set_.addText(names_[i].c_str(), &texts_[static_cast<size_t>(i) * kTextCapacity],
                     kTextCapacity, group);
      }
    }
  }
  ~Variables() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  qv::QvVariableSet& set() { return set_; }
  // True when every variable holds what the constructor gave it.
  bool intact() const {
    char expected[kTextCapacity];
    for (size_t i = 0; i < names_.size(); ++i) {
      std::snprintf(expected, sizeof expected, "text %zu", i);
      if ((i % 3 == 0 && integers_[i] != static_cast<int32_t>(i) * 7) ||
          (i % 3 == 1 && reals_[i] != static_cast<double>(i) / 8.0) ||
          (i % 3 == 2 && std::strcmp(&texts_[i * kTextCapacity], expected) != 0)) {
        return false;
      }
    }
    return true;
  }

private:
  std::filesystem::path folder_;
  qv::QvVariableSet set_;
  std::vector<std::string> names_;
  std::vector<int32_t> integers_;
  std::vector<double> reals_;
  std::vector<char> texts_;
};

enum class Store { kFile, kDrawing, kLisp, kXdata };

// One save and one load through the store.
bool roundTrip(Variables& variables, Store store, std::vector<resbuf>& items) {
  qv::QvVariableSet& set = variables.set();
  switch (store) {
  case Store::kFile:
    return set.writeFile() == 1 && set.readFile() == 1;
  case Store::kDrawing:
    return set.saveToDrawing() == 1 && set.loadFromDrawing() == 1;
  case Store::kLisp:
    return set.saveToLisp() == 1 && set.loadFromLisp() == 1;
  case Store::kXdata:
    return set.buildXdata(items.data(), static_cast<int>(items.size()), 1, nullptr, 1) > 0 &&
           set.loadFromXdata(items.data(), 1, nullptr) == 1;
  }
  return false;
}

void BM_VariableSet(benchmark::State& state, Store store) {
  const int n = static_cast<int>(state.range(0));
  sim::reset();
  const int document = sim::openDocument("C:\\bench\\variables.dwg");
  Variables variables(n);
  std::vector<resbuf> items(static_cast<size_t>(n) + 2);
  if (!roundTrip(variables, store, items) || !variables.intact()) {
    state.SkipWithError("the variables did not come back as they went");
  }
  sim::takeCommandLine();
  for (auto _ : state) {
    benchmark::DoNotOptimize(roundTrip(variables, store, items));
  }
  sim::takeCommandLine();
  sim::closeDocument(document);
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_StorageTexts)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

#define QV_VARIABLE_SET_BENCHMARK(store)                                                           \
  BENCHMARK_CAPTURE(BM_VariableSet, store, Store::k##store)                                        \
      ->Arg(1000)                                                                                  \
      ->Arg(10000)                                                                                 \
      ->Complexity(benchmark::oNLogN)                                                              \
      ->Unit(benchmark::kMillisecond)

QV_VARIABLE_SET_BENCHMARK(File);
QV_VARIABLE_SET_BENCHMARK(Drawing);
QV_VARIABLE_SET_BENCHMARK(Lisp);
QV_VARIABLE_SET_BENCHMARK(Xdata);

} // namespace

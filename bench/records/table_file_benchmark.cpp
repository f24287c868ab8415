// readTableFile and writeTableFile of a table of survey points (four value elements a record)
// against pugixml's load_file and save_file, with each reader's peak memory, at doubling sizes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <string>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "records/records.h"

#ifdef QV_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

namespace {

constexpr int kFieldsPerRecord = 4;

// The temporary folder of this run with the table files made in it, removed when the run ends.
struct BenchFolder {
  std::string path;
  std::map<int, std::string> tables; // records -> file made by writeTableFile
  std::map<int, int64_t> bytes;      // records -> size of that file
  std::map<int, int64_t> valueChars; // records -> characters in all field values
  std::map<std::string, double> cpu; // benchmark and size -> CPU seconds an iteration
  BenchFolder() {
    char name[] = "/tmp/qv-bench-xml-XXXXXX";
    if (::mkdtemp(name) != nullptr) {
      path = name;
    }
  }
  ~BenchFolder() {
    for (const auto& table : tables) {
      std::remove(table.second.c_str());
    }
    std::remove((path + "/ours.xml").c_str());
    std::remove((path + "/pugixml.xml").c_str());
    if (!path.empty()) {
      ::rmdir(path.c_str());
    }
  }
} folder;

// Runs work in a forked child, so that this process keeps no memory of it. Returns the child's
// peak resident size in bytes (its high-water mark, which starts at what it shares with this
// process), or -1 when the child failed.
int64_t peakOfChild(const std::function<bool()>& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::_exit(work() ? 0 : 1);
  }
  if (child < 0) {
    return -1;
  }
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return -1;
  }
  return static_cast<int64_t>(usage.ru_maxrss) * 1024;
}

// A table of n survey points: id, then north, east and elev typed "real" and an untyped desc,
// some holding "&" to be escaped.
qv::IQvUniTable* makeTable(int n) {
  static const char* const codes[] = {"TREE", "MH", "FH", "EP", "BLDG", "CL", "R&D", "FENCE"};
  auto* table = new qv::QvUniTable;
  table->setId("points");
  table->setType("survey");
  table->setDesc("benchmark points");
  uint32_t seed = 20240602u;
  auto random = [&seed]() {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  char text[64];
  for (int i = 0; i < n; ++i) {
    auto* record = new qv::QvUniRecord;
    std::snprintf(text, sizeof text, "P%d", i + 1);
    record->setId(text);
    record->setFieldReal("north", 5000.0 + (random() % 10000000) / 1000.0, 0, "real");
    record->setFieldReal("east", 2000.0 + (random() % 10000000) / 1000.0, 0, "real");
    record->setFieldReal("elev", 100.0 + (random() % 50000) / 1000.0, 0, "real");
    std::snprintf(text, sizeof text, "%s %u", codes[random() % 8], random() % 100000);
    record->setField("desc", text, 0, nullptr);
    table->addRecord(record);
  }
  return table;
}

// Calls visit with every field of every record of the chain, children included.
template <typename Visit> void forEachField(const qv::IQvUniRecord* record, Visit&& visit) {
  for (; record != nullptr; record = record->next()) {
    for (const qv::IQvUniField* field = record->firstField(); field != nullptr;
         field = field->next()) {
      visit(field);
    }
    forEachField(record->firstChild(), visit);
  }
}

struct Walk {
  int64_t fields = 0;
  int64_t chars = 0;
};

Walk walkTables(const qv::IQvUniTable* table) {
  Walk walk;
  for (; table != nullptr; table = table->next()) {
    forEachField(table->firstRecord(), [&walk](const qv::IQvUniField* field) {
      ++walk.fields;
      walk.chars += static_cast<int64_t>(std::strlen(field->getValue()));
    });
  }
  return walk;
}

// The table file of n records, made once per size by writeTableFile in a child process, so that
// building the table leaves nothing behind in this one.
const std::string& tableFile(int n) {
  auto made = folder.tables.find(n);
  if (made != folder.tables.end()) {
    return made->second;
  }
  const std::string path = folder.path + "/points-" + std::to_string(n) + ".xml";
  if (peakOfChild([&]() {
        qv::IQvUniTable* table = makeTable(n);
        const int written = qv::writeTableFile(path.c_str(), table);
        table->releaseChain();
        return written == 1;
      }) < 0) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    std::exit(1);
  }
  // The values' length is taken from the file as read back, which the checks compare against.
  qv::IQvUniTable* table = qv::readTableFile(path.c_str());
  folder.valueChars[n] = walkTables(table).chars;
  table->releaseChain();
  ::malloc_trim(0);
  FILE* file = std::fopen(path.c_str(), "rb");
  std::fseek(file, 0, SEEK_END);
  folder.bytes[n] = std::ftell(file);
  std::fclose(file);
  return folder.tables[n] = path;
}

double cpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Items, bytes, CPU seconds an iteration; the ratio against the peer timed earlier in the run, and
// the doubling against the half size of the same benchmark, when those ran.
void report(benchmark::State& state, const char* name, const char* peer, double started) {
  const int n = static_cast<int>(state.range(0));
  const double seconds = (cpuSeconds() - started) / static_cast<double>(state.iterations());
  folder.cpu[name + std::to_string(n)] = seconds;
  state.counters["cpu_s"] = seconds;
  if (peer != nullptr) {
    auto found = folder.cpu.find(peer + std::to_string(n));
    if (found != folder.cpu.end()) {
      state.counters["ratio_vs_pugixml"] = seconds / found->second;
    }
  }
  auto half = folder.cpu.find(name + std::to_string(n / 2));
  if (half != folder.cpu.end()) {
    state.counters["doubling"] = seconds / half->second;
  }
  state.SetItemsProcessed(state.iterations() * n);
  state.SetBytesProcessed(state.iterations() * folder.bytes[n]);
}

// readTableFile, then every field's value looked at, then the chain released.
Walk readAndWalk(const std::string& path) {
  qv::IQvUniTable* tables = qv::readTableFile(path.c_str());
  const Walk walk = walkTables(tables);
  if (tables != nullptr) {
    tables->releaseChain();
  }
  return walk;
}

bool readIsRight(const Walk& walk, int n) {
  return walk.fields == static_cast<int64_t>(n) * kFieldsPerRecord &&
         walk.chars == folder.valueChars[n];
}

void BM_ReadTableFile_Points(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string& path = tableFile(n);
  if (!readIsRight(readAndWalk(path), n)) {
    state.SkipWithError("readTableFile gave a wrong table");
    return;
  }
  const double started = cpuSeconds();
  for (auto _ : state) {
    benchmark::DoNotOptimize(readAndWalk(path));
  }
  report(state, "read", "pugixml-load", started);
}

void BM_WriteTableFile_Points(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  qv::IQvUniTable* table = qv::readTableFile(tableFile(n).c_str());
  const std::string out = folder.path + "/ours.xml";
  if (qv::writeTableFile(out.c_str(), table) != 1 || !readIsRight(readAndWalk(out), n)) {
    state.SkipWithError("writeTableFile wrote a wrong file");
    table->releaseChain();
    return;
  }
  const double started = cpuSeconds();
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::writeTableFile(out.c_str(), table));
  }
  report(state, "write", "pugixml-save", started);
  table->releaseChain();
  ::malloc_trim(0);
}

#ifdef QV_HAVE_PUGIXML
// Every attribute's value of the tree looked at; returns the value elements met.
int64_t walkNodes(const pugi::xml_node& node, int64_t& chars) {
  int64_t values = 0;
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    for (pugi::xml_attribute a = child.first_attribute(); a; a = a.next_attribute()) {
      chars += static_cast<int64_t>(std::strlen(a.value()));
    }
    values += std::strcmp(child.name(), "value") == 0 ? 1 : 0;
    values += walkNodes(child, chars);
  }
  return values;
}

// load_file, then every attribute looked at, then the document freed.
int64_t loadAndWalk(const std::string& path) {
  pugi::xml_document document;
  if (!document.load_file(path.c_str())) {
    return -1;
  }
  int64_t chars = 0;
  return walkNodes(document, chars);
}

void BM_PugixmlLoad_Points(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string& path = tableFile(n);
  if (loadAndWalk(path) != static_cast<int64_t>(n) * kFieldsPerRecord) {
    state.SkipWithError("pugixml read a wrong tree");
    return;
  }
  const double started = cpuSeconds();
  for (auto _ : state) {
    benchmark::DoNotOptimize(loadAndWalk(path));
  }
  report(state, "pugixml-load", nullptr, started);
}

// The same document, each element on a line of its own without indentation, as our writer does.
void BM_PugixmlSave_Points(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  auto* document = new pugi::xml_document;
  const std::string out = folder.path + "/pugixml.xml";
  if (!document->load_file(tableFile(n).c_str()) || !document->save_file(out.c_str(), "") ||
      loadAndWalk(out) != static_cast<int64_t>(n) * kFieldsPerRecord) {
    state.SkipWithError("pugixml saved a wrong file");
    delete document;
    return;
  }
  const double started = cpuSeconds();
  for (auto _ : state) {
    benchmark::DoNotOptimize(document->save_file(out.c_str(), ""));
  }
  report(state, "pugixml-save", nullptr, started);
  delete document;
  ::malloc_trim(0);
}

// Peak memory of each reader, each in a child of its own; peak_MB is the child's high-water mark,
// above_start_MB what it grew by over a child that reads nothing.
struct Peaks {
  int64_t start = -1;
  int64_t pugixml = -1;
};
Peaks peaks;

int64_t startPeak() {
  if (peaks.start < 0) {
    peaks.start = peakOfChild([]() { return true; });
  }
  return peaks.start;
}

void reportPeak(benchmark::State& state, int64_t peak) {
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["above_start_MB"] = static_cast<double>(peak - startPeak()) / 1e6;
}

void BM_PugixmlLoad_PeakMemory(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string& path = tableFile(n);
  startPeak();
  for (auto _ : state) {
    peaks.pugixml = peakOfChild([&]() { return loadAndWalk(path) == static_cast<int64_t>(n) * 4; });
  }
  if (peaks.pugixml < 0) {
    state.SkipWithError("pugixml read a wrong tree");
    return;
  }
  reportPeak(state, peaks.pugixml);
}
#endif

void BM_ReadTableFile_PeakMemory(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string& path = tableFile(n);
  int64_t peak = -1;
  for (auto _ : state) {
    peak = peakOfChild([&]() { return readIsRight(readAndWalk(path), n); });
  }
  if (peak < 0) {
    state.SkipWithError("readTableFile gave a wrong table");
    return;
  }
#ifdef QV_HAVE_PUGIXML
  reportPeak(state, peak);
  if (peaks.pugixml > 0) {
    state.counters["ratio_vs_pugixml"] =
        static_cast<double>(peak - startPeak()) / static_cast<double>(peaks.pugixml - startPeak());
  }
#else
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
#endif
}

// Peaks first, while this process holds nothing but the files' names; then each peer before the
// library, so that the library's benchmark can report the ratio.
#ifdef QV_HAVE_PUGIXML
BENCHMARK(BM_PugixmlLoad_PeakMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_ReadTableFile_PeakMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
#ifdef QV_HAVE_PUGIXML
BENCHMARK(BM_PugixmlLoad_Points)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_ReadTableFile_Points)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
#ifdef QV_HAVE_PUGIXML
BENCHMARK(BM_PugixmlSave_Points)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_WriteTableFile_Points)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

// File selection: buildFileLists for a drawing whose project file holds n lines naming data files
// spread over 10 folders of n / 10 files each, and rememberFolder with a "getfile.xml" of n
// records. The first looks each line's folder and file up once in ordered sets, the second reads
// and rewrites the table once, so both should grow in proportion to n (n log n at most).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "host/folders.h"
#include "platform/sim.h"
#include "settings/settings.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 10;

// A drive C: of its own holding the drawing C:\Jobs\Site.dwg, its project file and the data files;
// the user folder is C:\User\.
class FileWorld {
public:
  explicit FileWorld(int n)
      : root_(fs::temp_directory_path() / ("qvbench-files-" + std::to_string(n))) {
    fs::remove_all(root_);
    fs::create_directories(root_ / "Jobs");
    fs::create_directories(root_ / "User");
    std::ofstream project(root_ / "Jobs" / "Site.ini", std::ios::binary);
    for (int i = 0; i < n; ++i) {
      const std::string folder = "D" + std::to_string(i % kFolders);
      const std::string file = "F" + std::to_string(i) + ".CRD";
      fs::create_directories(root_ / folder);
      std::ofstream(root_ / folder / file) << "x";
      project << "PROJECT=C:\\" << folder << "\\" << file << "\n";
    }
    std::ofstream table(root_ / "User" / "getfile.xml", std::ios::binary);
    table << "<?xml version=\"1.0\" encoding=\"us-ascii\" ?>\n<maradel_xml version=\"1.0\">\n"
             "<table id=\"getfile\" >\n";
    for (int i = 0; i < n; ++i) {
      table << "<record id=\"e" << i << "\" >\n<value name=\"path\" value=\"C:\\D" << i % kFolders
            << "\\\"></value>\n</record>\n";
    }
    table << "</table>\n</maradel_xml>\n";
  }
  ~FileWorld() { fs::remove_all(root_); }

  // A fresh host session with the drawing open and the user folder known.
  void open() const {
    sim::reset();
    sim::mapDrive('C', root_.string());
    sim::openDocument("C:\\Jobs\\Site.dwg");
    sim::evalLisp("(setq usrdir$ \"C:\\\\User\\\\\")");
    qv::userFolder[0] = '\0';
  }

private:
  fs::path root_;
};

void BM_BuildFileLists(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const FileWorld world(n);
  world.open();
  for (auto _ : state) {
    qv::IQvUniRecord* places = nullptr;
    qv::IQvUniRecord* recent = nullptr;
    if (qv::buildFileLists("crd", &places, &recent) != 1 || recent == nullptr ||
        recent->countRecords() != n) {
      state.SkipWithError("buildFileLists gave wrong lists");
      break;
    }
    places->releaseChain();
    recent->releaseChain();
  }
  sim::reset();
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_RememberFolder(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const FileWorld world(n);
  world.open();
  int i = 0;
  char path[64];
  for (auto _ : state) {
    // An extension already in the table: the record is updated and the table rewritten.
    std::snprintf(path, sizeof path, "C:\\D%d\\X.e%d", i % kFolders, (i * 7919) % n);
    ++i;
    if (qv::rememberFolder(path) != 1) {
      state.SkipWithError("rememberFolder failed");
      break;
    }
  }
  sim::reset();
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_BuildFileLists)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RememberFolder)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

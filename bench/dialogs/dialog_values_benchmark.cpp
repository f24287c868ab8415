// Dialog memory: saving and restoring a dialog of 50 tiles while the shared value file holds n
// records of other dialogs. A save copies the whole file and a restore reads it whole, so the
// cost should grow in proportion to n. The peer copies the same file line by line with the C++
// streams: the floor of reading and writing that much text.
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "dialogs/dialogs.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"

namespace {

constexpr int kTiles = 50;

const std::filesystem::path& folder() {
  static const std::filesystem::path made = [] {
    const auto path = std::filesystem::temp_directory_path() / "qv-bench-dialogs";
    std::filesystem::create_directories(path);
    std::ofstream dcl(path / "bench.dcl");
    dcl << "d : dialog {\n  label = \"Bench\";\n";
    for (int tile = 0; tile < kTiles; ++tile) {
      dcl << "  : edit_box { key = \"tile" << tile << "\"; }\n";
    }
    dcl << "  ok_cancel;\n}\n";
    return path;
  }();
  return made;
}

void writeOtherRecords(int n) {
  std::ofstream out(folder() / "dialogs.ini", std::ios::binary | std::ios::trunc);
  for (int record = 0; record < n; ++record) {
    out << "other" << record % 100 << ",dialog" << record << ",key" << record % 7
        << ",'a remembered value'\r\n";
  }
}

void putFolder(const char* symbol) {
  resbuf* value = acutBuildList(RTSTR, (folder().string() + "/").c_str(), RTNONE);
  acedPutSym(symbol, value);
  acutRelRb(value);
}

// A session with the folders set and the bench dialog made; the dialog is discarded at the end.
class BenchDialog {
public:
  explicit BenchDialog(int records) {
    sim::reset();
    putFolder("lspdir$");
    putFolder("usrdir$");
    writeOtherRecords(records);
    ads_load_dialog((folder() / "bench.dcl").c_str(), &id_);
    ads_new_dialog("d", id_, NULLCB, &dialog_);
    for (int tile = 0; tile < kTiles; ++tile) {
      const std::string key = "tile" + std::to_string(tile);
      ads_set_tile(dialog_, key.c_str(), ("value, 'of' " + key).c_str());
    }
  }
  ~BenchDialog() {
    int status = 0;
    ads_start_dialog(dialog_, &status); // nobody answers: cancelled
    ads_unload_dialog(id_);
  }
  ads_hdlg dialog() const { return dialog_; }

private:
  int id_ = -1;
  ads_hdlg dialog_ = BAD_DIALOG;
};

void BM_SaveDialogValues(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  BenchDialog bench(n);
  qv::saveDialogValues(bench.dialog(), "bench", "d", 1);
  if (std::filesystem::file_size(folder() / "dialogs.ini") == 0) {
    state.SkipWithError("nothing saved");
  }
  for (auto _ : state) {
    qv::saveDialogValues(bench.dialog(), "bench", "d", 1);
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * (n + kTiles));
}

void BM_RestoreDialogValues(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  BenchDialog bench(n);
  qv::saveDialogValues(bench.dialog(), "bench", "d", 1);
  if (qv::restoreDialogValues(bench.dialog(), "bench", "d", 1) != 1) {
    state.SkipWithError("nothing restored");
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::restoreDialogValues(bench.dialog(), "bench", "d", 1));
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * (n + kTiles));
}

void BM_CopyLinesPeer(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  writeOtherRecords(n);
  for (auto _ : state) {
    std::ifstream in(folder() / "dialogs.ini");
    std::ofstream out(folder() / "peer.new", std::ios::trunc);
    std::string line;
    while (std::getline(in, line)) {
      out << line << '\n';
    }
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
}

} // namespace

BENCHMARK(BM_SaveDialogValues)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();
BENCHMARK(BM_RestoreDialogValues)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();
BENCHMARK(BM_CopyLinesPeer)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

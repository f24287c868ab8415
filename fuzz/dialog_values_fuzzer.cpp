// Fuzzes the dialog memory's readers: the input is read as a DCL file by the tile scan and as both
// value files by readStoredTileValue, restoreDialogValues and saveDialogValues, without a crash, a
// leak, a stream or a dialog left open.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "dialogs/dialogs.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"

namespace {

const std::filesystem::path& folder() {
  static const std::filesystem::path made = [] {
    const auto path =
        std::filesystem::temp_directory_path() / ("qv-fuzz-dialogs-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    std::ofstream(path / "fixed.dcl") << "d : dialog {\n"
                                         "  : edit_box { key = \"k1\"; }\n"
                                         "  : edit_box { key = \"k2\"; }\n"
                                         "  ok_cancel;\n"
                                         "}\n";
    return path;
  }();
  return made;
}

void write(const char* name, const uint8_t* data, size_t size) {
  std::ofstream(folder() / name, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void putFolder(const char* symbol) {
  resbuf* value = acutBuildList(RTSTR, (folder().string() + "/").c_str(), RTNONE);
  acedPutSym(symbol, value);
  acutRelRb(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sim::reset();
  putFolder("lspdir$");
  putFolder("usrdir$");
  write("f.dcl", data, size);
  write("dialogs.ini", data, size);
  write("f.ini", data, size);

  std::vector<qv::TileKeys> bodies;
  for (bool ignoreCase : {false, true}) {
    qv::scanDialogTiles((folder() / "f.dcl").string().c_str(), "d", ignoreCase, bodies);
  }
  char value[16];
  for (int where : {0, 1, 2}) {
    qv::readStoredTileValue("f", "d", where, "k1", value, sizeof value);
  }

  int id = -1;
  if (ads_load_dialog((folder() / "fixed.dcl").string().c_str(), &id) != RTNORM) {
    std::abort();
  }
  ads_hdlg dialog = BAD_DIALOG;
  ads_new_dialog("d", id, NULLCB, &dialog);
  qv::restoreDialogValues(dialog, "f", "d", 0);
  qv::saveDialogValues(dialog, "f", "d", 1); // the keys of the input's DCL text
  qv::saveTileValue(dialog, "f", "d", "k2", 0);
  int status = 0;
  ads_start_dialog(dialog, &status);
  ads_unload_dialog(id);

  // The saved tile's file was rewritten: every line it copied ends with its line end.
  std::ifstream in(folder() / "f.ini", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (text.empty() || text.back() != '\n') {
    std::abort();
  }
  if (sim::openFiles() != 0 || sim::loadedDialogs() != 0 || sim::openDialogs() != 0 ||
      sim::liveResbufs() != 0 || sim::liveBlocks() != 0) {
    std::abort();
  }
  return 0;
}

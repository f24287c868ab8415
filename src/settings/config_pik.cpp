// The folder lines of "config.pik".
#include "settings/config_pik.h"

#include <algorithm>
#include <new>
#include <string>

#include "platform/win/windows.h"
#include "settings/internal/text_line.h"
#include "settings/settings_store.h"
#include "support/file_rewrite.h"

namespace qv {

namespace {

constexpr int kDriveLine = 3;
constexpr int kFolderLine = 4;

int rewriteConfigPik(const std::string& installation, std::string folder) {
  std::replace(folder.begin(), folder.end(), '/', '\\');
  const std::string configPath = installation + "config.pik";
  FILE* in = _fsopen(configPath.c_str(), "r", _SH_DENYNO);
  if (in == nullptr) {
    return 0;
  }
  QvFileRewrite rewrite(configPath.c_str(), (installation + "qvanrprt.tmp").c_str(), "w");
  FILE* out = rewrite.file();
  if (out == nullptr) {
    fclose(in);
    return 0;
  }
  const size_t colon = folder.find(':');
  const std::string drive = colon != std::string::npos ? folder.substr(0, colon + 1) : "";
  const std::string kept = colon != std::string::npos ? folder.substr(colon + 1) : folder;
  std::string line;
  bool ended = false;
  for (int number = 1; settingsfile::readWholeLine(in, line, &ended); ++number) {
    if (number == kDriveLine && !drive.empty()) {
      fprintf(out, "%s\n", drive.c_str());
    } else if (number == kFolderLine) {
      fprintf(out, "%s\n", kept.c_str());
    } else {
      fwrite(line.data(), 1, line.size(), out);
      if (ended) {
        fputc('\n', out);
      }
    }
  }
  const bool readWhole = ferror(in) == 0;
  fclose(in);
  if (!readWhole) {
    rewrite.abandon();
    return 0;
  }
  return rewrite.commit();
}

} // namespace

int updateConfigPikPath(const char* folder) {
  try {
    std::string installation = installPath();
    if (installation.empty()) {
      return 0; // no installation folder: its file is nowhere
    }
    if (installation.back() != '/' && installation.back() != '\\') {
      installation += '\\';
    }
    return rewriteConfigPik(installation, folder != nullptr ? folder : "");
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

} // namespace qv

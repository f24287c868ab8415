// The drawing's project file.
#include "host/project_file.h"

#include <cstring>
#include <vector>

#include "host/folders.h"
#include "host/internal/upper_text.h"
#include "host/sys_vars.h"
#include "platform/win/windows.h"
#include "support/file_rewrite.h"

namespace qv {
namespace {

std::string trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Reads the whole file as lines, each without its line end. False when it cannot be opened or a
// read fails.
bool readLines(const std::string& path, std::vector<std::string>& lines) {
  FILE* in = _fsopen(path.c_str(), "r", _SH_DENYWR);
  if (in == nullptr) {
    return false;
  }
  std::string line;
  char piece[512];
  while (fgets(piece, sizeof piece, in) != nullptr) {
    line += piece;
    if (!line.empty() && line.back() == '\n') {
      line.pop_back();
      lines.push_back(line);
      line.clear();
    }
  }
  if (!line.empty()) {
    lines.push_back(line);
  }
  const bool whole = ferror(in) == 0;
  fclose(in);
  return whole;
}

bool writeLines(FILE* out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (fputs(line.c_str(), out) < 0 || fputc('\n', out) == EOF) {
      return false;
    }
  }
  return true;
}

void put(const std::string& text, char* output, size_t size) {
  const size_t length = std::min(text.size(), size - 1);
  std::memcpy(output, text.data(), length);
  output[length] = '\0';
}

} // namespace

bool projectFilePath(std::string& path) {
  path.clear();
  int32_t titled = 0;
  char prefix[MAX_PATH];
  char name[MAX_PATH];
  if (getSysVarShort(&titled, "DWGTITLED") == 0 || titled == 0 ||
      getSysVarString(prefix, "DWGPREFIX") == 0 || getSysVarString(name, "DWGNAME") == 0) {
    return false;
  }
  std::string full = std::string(prefix) + name;
  if (upperText(full).find("DRAWING.DWG") != std::string::npos) {
    return false;
  }
  const std::string drawing(name);
  const size_t dot = drawing.find_last_of('.');
  if (dot != std::string::npos && dot > 0) {
    full.resize(full.size() - drawing.size() + dot + 1);
    full += "ini";
  } else {
    full += ".ini";
  }
  path = full;
  return true;
}

void projectFileFolder(const char* extension, char* folder, size_t size) {
  if (folder == nullptr || size == 0) {
    return;
  }
  folder[0] = '\0';
  std::string path;
  std::vector<std::string> lines;
  if (extension == nullptr || !projectFilePath(path)) {
    return;
  }
  readLines(path, lines);
  const std::string wanted = upperText(std::string(".") + extension + "\n");
  for (const std::string& line : lines) {
    const std::string text = upperText(line) + "\n";
    const size_t equals = text.find('=');
    if (equals == std::string::npos || text.find(wanted) == std::string::npos) {
      continue;
    }
    std::string value = text.substr(equals + 1);
    for (char& c : value) {
      c = c == '/' ? '\\' : c;
    }
    const size_t cut = value.find_last_of('\\');
    put(cut == std::string::npos ? std::string() : value.substr(0, cut + 1), folder, size);
    return;
  }
}

void recordProjectFile(const char* chosen) {
  std::string path;
  if (chosen == nullptr || !projectFilePath(path)) {
    return;
  }
  const std::string newLine = "PROJECT=" + upperText(chosen);
  std::vector<std::string> lines;
  if (!readLines(path, lines)) {
    // Only a missing file starts anew: a history that cannot be read is not overwritten.
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
        GetLastError() != ERROR_FILE_NOT_FOUND) {
      return;
    }
    lines.clear();
  }
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    const std::string text = trimmed(line);
    if (text != newLine) {
      kept.push_back(text);
    }
  }
  if (userFolder[0] != '\0') {
    if (FILE* temp = _fsopen((std::string(userFolder) + "temp.txt").c_str(), "w", _SH_DENYWR)) {
      writeLines(temp, kept);
      fclose(temp);
    }
  }
  kept.insert(kept.begin(), newLine);
  QvFileRewrite rewrite(path.c_str(), nullptr);
  if (rewrite.file() != nullptr && writeLines(rewrite.file(), kept)) {
    rewrite.commit();
  }
}

} // namespace qv

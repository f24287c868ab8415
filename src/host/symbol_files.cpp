// Point-symbol drawings.
#include "host/symbol_files.h"

#include <cstring>
#include <string>

#include "host/folders.h"
#include "host/internal/upper_text.h"
#include "host/lisp_symbols.h"
#include "host/sys_vars.h"
#include "platform/acad/acutads.h"
#include "platform/win/share.h"
#include "platform/win/stdio_win.h"
#include "platform/win/windows.h"

namespace qv {
namespace {

// The host's command line takes at most this many characters per print.
constexpr size_t kPrintPiece = 100;

void put(const std::string& text, char* output, size_t size) {
  const size_t length = std::min(text.size(), size - 1);
  std::memcpy(output, text.data(), length);
  output[length] = '\0';
}

void warnMissing(const std::string& candidate) {
  acutPrintf("\nWarning: Symbol '");
  for (size_t at = 0; at < candidate.size(); at += kPrintPiece) {
    acutPrintf("%s", candidate.substr(at, kPrintPiece).c_str());
  }
  acutPrintf("' does not exist.\n");
}

bool isFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The index line (upper-cased, read whole) that names the key before its '|': the text before the
// '|'; empty when there is none.
std::string indexedSymbol(const std::string& key) {
  const std::string path = std::string(userFolder) + "symbols.dta";
  FILE* in = userFolder[0] != '\0' ? _fsopen(path.c_str(), "r", _SH_DENYWR) : nullptr;
  if (in == nullptr) {
    return {};
  }
  std::string found;
  std::string line;
  char piece[512];
  bool more = true;
  while (found.empty() && more) {
    more = fgets(piece, sizeof piece, in) != nullptr;
    if (more) {
      line += piece;
      if (line.back() != '\n') {
        continue;
      }
    }
    const std::string text = upperText(line);
    const size_t bar = text.find('|');
    if (bar != std::string::npos && text.find(key) < bar) {
      found = text.substr(0, bar);
    }
    line.clear();
  }
  fclose(in);
  return found;
}

} // namespace

void symbolPath(char* output, size_t size, const char* name, int quiet, const char* folder) {
  if (output == nullptr || size == 0) {
    return;
  }
  output[0] = '\0';
  if (name == nullptr) {
    return;
  }
  const std::string symbol(name);
  std::string candidate = upperText(
      symbol.find('\\') != std::string::npos ? symbol : std::string(folder ? folder : "") + symbol);
  if (candidate.find(".DWG") == std::string::npos) {
    candidate += ".DWG";
  }
  if (isFile(candidate)) {
    put(candidate.substr(0, candidate.find(".DWG")), output, size);
  } else if (quiet == 0) {
    warnMissing(candidate);
  }
}

void findSymbolFile(char* output, size_t size, const char* name, int quiet) {
  if (output == nullptr || size == 0) {
    return;
  }
  output[0] = '\0';
  if (name == nullptr) {
    return;
  }
  char folder[MAX_PATH] = "";
  getLispString(folder, "psname");
  symbolPath(output, size, name, quiet, folder);
  if (output[0] == '\0' && std::strchr(name, '\\') == nullptr) {
    std::string key = "\\" + upperText(name);
    if (key.find(".DWG") == std::string::npos) {
      key += ".DWG";
    }
    put(indexedSymbol(key), output, size);
  }
  if (output[0] != '\0') {
    return;
  }
  char support[4096] = "";
  getSysVarString(support, "ACADPREFIX");
  const std::string folders(support);
  size_t start = 0;
  while (output[0] == '\0' && start < folders.size()) {
    size_t end = folders.find(';', start);
    end = end == std::string::npos ? folders.size() : end;
    std::string one = folders.substr(start, end - start);
    if (!one.empty()) {
      if (one.back() != '\\') {
        one += '\\';
      }
      symbolPath(output, size, name, quiet, one.c_str());
    }
    start = end + 1;
  }
}

} // namespace qv

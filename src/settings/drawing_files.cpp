// Working-file names of the current drawing.
#include "settings/drawing_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>
#include <string>

#include "host/folders.h"
#include "host/lisp_symbols.h"
#include "host/sys_vars.h"
#include "platform/win/windows.h"
#include "settings/internal/text_line.h"
#include "settings/internal/value_text.h"

namespace qv {

namespace {

using settingsfile::copyCapped;

// The temporary folder as the last surfaceFilePath read it.
char temporaryFolder[kFolderBufferSize];

// The next token of text delimited by any of delimiters, as strtok finds it (leading delimiters
// passed over); null when none is left.
const char* nextToken(std::string& text, size_t& at, const char* delimiters) {
  const size_t start = text.find_first_not_of(delimiters, at);
  if (start == std::string::npos) {
    at = text.size();
    return nullptr;
  }
  const size_t end = text.find_first_of(delimiters, start);
  if (end == std::string::npos) {
    at = text.size();
  } else {
    text[end] = '\0';
    at = end + 1;
  }
  return text.c_str() + start;
}

void readStateLine(std::string line, int* existFlag, int* finalFlag, char* existName,
                   char* finalName, size_t nameSize) {
  line += '\n';
  size_t at = 0;
  const char* key = nextToken(line, at, "=");
  const bool exist = key != nullptr && std::strcmp(key, "exist") == 0;
  if (!exist && (key == nullptr || std::strcmp(key, "final") != 0)) {
    return;
  }
  if (const char* flag = nextToken(line, at, "|")) {
    *(exist ? existFlag : finalFlag) = std::atoi(flag);
  }
  if (const char* name = nextToken(line, at, "\n")) {
    copyCapped(exist ? existName : finalName, nameSize, name);
  }
}

bool oneOf(const char* kind, std::initializer_list<const char*> kinds) {
  for (const char* each : kinds) {
    if (std::strcmp(kind, each) == 0) {
      return true;
    }
  }
  return false;
}

const char* surfaceExtension() {
  char binary[64];
  getLispString(binary, "is_binary_tin");
  return std::atoi(binary) == 1 ? "tin" : "flt";
}

} // namespace

char* productIniName(char* buffer, size_t size) {
  if (buffer != nullptr && size > 0) {
    copyCapped(buffer, size, "quorvane.ini");
  }
  return buffer;
}

int drawingBaseName(char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  char name[MAX_PATH];
  getSysVarString(name, "DWGNAME");
  const size_t length = std::strlen(name);
  if (length >= 5) {
    name[length - 4] = '\0';
  }
  copyCapped(buffer, size, name);
  return static_cast<int>(length);
}

void readSurfaceState(const char* path, int* existFlag, int* finalFlag, char* existName,
                      char* finalName, size_t nameSize) {
  *existFlag = 0;
  *finalFlag = 1;
  if (nameSize > 0) {
    existName[0] = finalName[0] = '\0';
  }
  FILE* in = path != nullptr ? _fsopen(path, "r", _SH_DENYNO) : nullptr;
  if (in == nullptr) {
    return;
  }
  try {
    std::string line;
    while (settingsfile::readWholeLine(in, line)) {
      readStateLine(line, existFlag, finalFlag, existName, finalName, nameSize);
    }
  } catch (const std::bad_alloc&) {
    // What was read so far stands.
  }
  fclose(in);
}

void surfaceFilePath(char* path, size_t size, const char* kind, const char* namePart, int number) {
  if (path == nullptr || size == 0) {
    return;
  }
  path[0] = '\0';
  if (kind == nullptr) {
    return;
  }
  const char* extension = surfaceExtension();
  getLispString(temporaryFolder, "tmpdir$");
  char base[MAX_PATH];
  drawingBaseName(base);
  char statePath[kFolderBufferSize + MAX_PATH + 16];
  std::snprintf(statePath, sizeof statePath, "%s%s-surf.ini", temporaryFolder, base);
  int existFlag = 0;
  int finalFlag = 1;
  char existName[MAX_PATH];
  char finalName[MAX_PATH];
  readSurfaceState(statePath, &existFlag, &finalFlag, existName, finalName);
  if (number == -1) {
    existFlag = 0;
    finalFlag = 1;
  }
  // The kinds the family names are written in lower case, whatever case they were asked in.
  char named[3];
  copyCapped(named, sizeof named, kind);
  _strlwr(named);
  char suffix[MAX_PATH];
  copyCapped(suffix, sizeof suffix, kind);
  if (std::strlen(kind) == 2) {
    if (oneOf(named, {"ex", "og"})) {
      copyCapped(suffix, sizeof suffix, existFlag != 0 ? existName : named);
    } else if (oneOf(named, {"fn", "bs", "zn", "ze"})) {
      copyCapped(suffix, sizeof suffix, finalFlag != 1 ? finalName : named);
    } else if (std::strcmp(named, "ch") == 0) {
      std::snprintf(suffix, sizeof suffix, "ch%d", number);
    } else if (std::strcmp(named, "ox") == 0) {
      std::snprintf(suffix, sizeof suffix, "ox");
    }
  }
  std::snprintf(path, size, "%s%s%s-%s.%s", temporaryFolder, base,
                namePart != nullptr ? namePart : "", suffix, extension);
}

char* changeExtension(char* path, size_t size, const char* extension) {
  if (path == nullptr || size == 0) {
    return path;
  }
  size_t length = strnlen(path, size - 1);
  path[length] = '\0';
  size_t dot = length;
  for (size_t i = length; i-- > 0 && path[i] != '\\' && path[i] != '/';) {
    if (path[i] == '.') {
      dot = i;
      break;
    }
  }
  if (dot == length) {
    if (length + 1 >= size) {
      return path + length;
    }
    path[length] = '.';
    path[length + 1] = '\0';
  }
  char* start = path + dot + 1;
  copyCapped(start, size - (dot + 1), extension != nullptr ? extension : "");
  return start;
}

} // namespace qv

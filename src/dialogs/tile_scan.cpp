// The tile scan of DCL files.
#include "dialogs/tile_scan.h"

#include <new>

#include "dialogs/internal/text_lines.h"
#include "platform/win/string_win.h"

namespace qv {

namespace {

bool holds(const std::string& line, const char* part) {
  return line.find(part) != std::string::npos;
}

bool isDialogHeader(const std::string& line) {
  return holds(line, ":") && holds(line, "{") && holds(line, "dialog");
}

std::string headerName(const std::string& line) {
  std::string name = line.substr(0, line.find(':'));
  name.erase(0, name.find_first_not_of(' '));
  const size_t last = name.find_last_not_of(" \r\n");
  name.erase(last == std::string::npos ? 0 : last + 1);
  return name;
}

bool namesDialog(const std::string& line, const char* dialogName, bool ignoreCase) {
  const std::string name = headerName(line);
  return ignoreCase ? _stricmp(name.c_str(), dialogName) == 0 : name == dialogName;
}

// The text between the line's first two double quotes when it sets a key; empty otherwise.
std::string keyOf(const std::string& line) {
  if (!holds(line, "=") || !holds(line, ";") || !holds(line, "key")) {
    return {};
  }
  const size_t open = line.find('"');
  const size_t close = open == std::string::npos ? open : line.find('"', open + 1);
  return close == std::string::npos ? std::string() : line.substr(open + 1, close - open - 1);
}

class Scan {
public:
  explicit Scan(FILE* in) : in_(in) {}

  // The next line: one handed back first, else one read.
  bool next(std::string& line) {
    if (heldBack_) {
      heldBack_ = false;
      line.swap(held_);
      return true;
    }
    return dialogfiles::readLine(in_, line);
  }
  // A header that ended a body is looked at again as a header.
  void handBack(std::string& line) {
    held_.swap(line);
    heldBack_ = true;
  }

private:
  FILE* in_;
  std::string held_;
  bool heldBack_ = false;
};

void readBodies(FILE* in, const char* dialogName, bool ignoreCase, std::vector<TileKeys>& bodies) {
  Scan scan(in);
  std::string line;
  while (scan.next(line)) {
    if (!isDialogHeader(line) || !namesDialog(line, dialogName, ignoreCase)) {
      continue;
    }
    TileKeys& keys = bodies.emplace_back();
    if (!scan.next(line)) { // the first line of the body is never looked at for a key
      break;
    }
    if (isDialogHeader(line)) {
      scan.handBack(line);
      continue;
    }
    while (scan.next(line)) {
      if (isDialogHeader(line)) {
        scan.handBack(line);
        break;
      }
      std::string key = keyOf(line);
      if (!key.empty()) {
        keys.push_back(std::move(key));
      }
    }
  }
}

} // namespace

bool scanDialogTiles(const char* path, const char* dialogName, bool ignoreCase,
                     std::vector<TileKeys>& bodies) {
  bodies.clear();
  if (path == nullptr || dialogName == nullptr) {
    return false;
  }
  FILE* in = dialogfiles::openForReading(path);
  if (in == nullptr) {
    return false;
  }
  bool whole = true;
  try {
    readBodies(in, dialogName, ignoreCase, bodies);
    whole = !std::ferror(in);
  } catch (const std::bad_alloc&) {
    whole = false;
  }
  std::fclose(in);
  if (!whole) {
    bodies.clear();
  }
  return whole;
}

} // namespace qv

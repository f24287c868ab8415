// Whole-line reading of text files.
#include "dialogs/internal/text_lines.h"

#include <cerrno>
#include <cstring>

namespace qv::dialogfiles {

bool readLine(FILE* in, std::string& line) {
  line.clear();
  char piece[512];
  bool any = false;
  while (std::fgets(piece, sizeof piece, in) != nullptr) {
    any = true;
    const size_t length = std::strlen(piece);
    if (length > 0 && piece[length - 1] == '\n') {
      line.append(piece, length - 1);
      return true;
    }
    line.append(piece, length);
  }
  return any && !std::ferror(in);
}

FILE* openForReading(const std::string& path) {
  return _fsopen(path.c_str(), "r", _SH_DENYNO);
}

bool wasMissing() {
  return errno == ENOENT;
}

} // namespace qv::dialogfiles

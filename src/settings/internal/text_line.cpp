// Whole lines of a text stream.
#include "settings/internal/text_line.h"

#include <cstring>

namespace qv::settingsfile {

bool readWholeLine(FILE* file, std::string& line, bool* ended) {
  line.clear();
  if (ended != nullptr) {
    *ended = false;
  }
  char piece[256];
  bool any = false;
  while (fgets(piece, sizeof piece, file) != nullptr) {
    any = true;
    const size_t length = std::strlen(piece);
    if (length > 0 && piece[length - 1] == '\n') {
      line.append(piece, length - 1);
      if (ended != nullptr) {
        *ended = true;
      }
      return true;
    }
    line.append(piece, length);
  }
  return any && ferror(file) == 0;
}

} // namespace qv::settingsfile

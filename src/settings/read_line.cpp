// One line of a text stream into a buffer of fixed size.
#include "settings/read_line.h"

#include <cstring>
#include <new>
#include <string>

#include "settings/internal/text_line.h"
#include "settings/internal/value_text.h"

namespace qv {

int readLine(FILE* stream, char* buffer, int size) {
  if (stream == nullptr || buffer == nullptr || size <= 0) {
    return 0;
  }
  buffer[0] = '\0';
  try {
    std::string line;
    if (!settingsfile::readWholeLine(stream, line)) {
      return 0;
    }
    settingsfile::copyCapped(buffer, static_cast<size_t>(size), line.c_str());
    return static_cast<int>(std::strlen(buffer));
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

} // namespace qv

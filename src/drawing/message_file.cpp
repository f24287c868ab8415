#include "drawing/message_file.h"

#include <cstdio>

#include "platform/win/share.h"
#include "platform/win/stdio_win.h"

namespace qv {

void appendMessage(const char* text, int newline) {
  if (text == nullptr) {
    return;
  }
  FILE* file = _fsopen("message.txt", "a", _SH_DENYNO);
  if (file == nullptr) {
    return;
  }
  std::fprintf(file, newline == 1 ? "%s\n" : "%s", text);
  std::fclose(file);
}

} // namespace qv

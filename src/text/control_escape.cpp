// EscapeControl and UnescapeControl.
#include "text/control_escape.h"

namespace qv {

int EscapeControl(const char* text, char* output) {
  char* out = output;
  for (const char* p = text == nullptr ? "" : text; *p != '\0'; ++p) {
    switch (*p) {
    case '\n':
      *out++ = '\\';
      *out++ = 'n';
      break;
    case '\t':
      *out++ = '\\';
      *out++ = 't';
      break;
    case '\\':
      *out++ = '\\';
      *out++ = '\\';
      break;
    default:
      *out++ = *p;
      break;
    }
  }
  *out = '\0';
  return static_cast<int>(out - output);
}

int UnescapeControl(const char* text, char* output) {
  char* out = output;
  const char* p = text == nullptr ? "" : text;
  while (*p != '\0') {
    if (*p == '\n') {
      ++p;
    } else if (p[0] == '\\' && p[1] == '\\') {
      *out++ = '\\';
      p += 2;
    } else if (p[0] == '\\' && p[1] == 'n') {
      *out++ = '\n';
      p += 2;
    } else if (p[0] == '\\' && p[1] == 't') {
      *out++ = '\t';
      p += 2;
    } else {
      *out++ = *p++;
    }
  }
  *out = '\0';
  return static_cast<int>(out - output);
}

} // namespace qv

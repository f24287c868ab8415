// ToForwardSlashes and ShortenPath.
#include "text/text_paths.h"

#include <cstring>

#include "platform/acad/acutads.h"
#include "platform/win/string_win.h"

namespace qv {

namespace {

char lower(char c) {
  char one[2] = {c, '\0'};
  return *_strlwr(one);
}
char upper(char c) {
  char one[2] = {c, '\0'};
  return *_strupr(one);
}
bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

// The capitalised path into out (room for the path's length + 2); returns its length.
size_t capitalise(const char* path, char* out) {
  char* at = out;
  if (path[0] == '\\') {
    *at++ = '\\';
    if (path[1] == '\\') {
      *at++ = '\\';
    }
  }
  const char* p = path;
  bool first = true;
  while (*p != '\0') {
    while (isSeparator(*p)) {
      ++p;
    }
    if (*p == '\0') {
      break;
    }
    if (!first) {
      *at++ = '\\';
    }
    first = false;
    *at++ = upper(*p++);
    while (*p != '\0' && !isSeparator(*p)) {
      *at++ = lower(*p++);
    }
  }
  *at = '\0';
  return static_cast<size_t>(at - out);
}

} // namespace

int ToForwardSlashes(char* text) {
  if (text == nullptr) {
    return 0;
  }
  size_t length = 0;
  for (; text[length] != '\0'; ++length) {
    if (text[length] == '\\') {
      text[length] = '/';
    }
  }
  return static_cast<int>(length);
}

int ShortenPath(const char* path, char* output, int maximum) {
  output[0] = '\0';
  if (path == nullptr) {
    return 0;
  }
  const size_t pathLength = std::strlen(path);
  char* full = static_cast<char*>(acad_malloc(pathLength + 3));
  if (full == nullptr) {
    return 0;
  }
  const size_t length = capitalise(path, full);
  size_t written = 0;
  if (maximum <= 0 || length >= static_cast<size_t>(maximum)) {
    char* at = output;
    if (path[0] == '\\' && path[1] == '\\') {
      *at++ = '\\';
      *at++ = '\\';
    } else if (path[0] != '\0' && path[1] == ':') {
      *at++ = upper(path[0]);
      *at++ = ':';
    }
    std::memcpy(at, "...", 3);
    at += 3;
    const size_t tail = maximum > 7 ? static_cast<size_t>(maximum - 7) : 0;
    const size_t kept = tail < length ? tail : length;
    std::memcpy(at, full + length - kept, kept);
    at += kept;
    *at = '\0';
    written = static_cast<size_t>(at - output);
  } else {
    std::memcpy(output, full, length + 1);
    written = length;
  }
  acad_free(full);
  if (written == 2) {
    output[2] = '\\';
    output[3] = '\0';
    written = 3;
  }
  return static_cast<int>(written);
}

} // namespace qv

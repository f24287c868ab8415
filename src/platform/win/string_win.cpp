// The runtime's case-blind text calls: the one place where letters are folded.
#include "platform/win/string_win.h"

#include <cerrno>

namespace {

unsigned char lower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

unsigned char upper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

} // namespace

int _strnicmp(const char* a, const char* b, size_t count) {
  if (a == nullptr || b == nullptr) {
    errno = EINVAL;
    return _NLSCMPERROR;
  }
  const auto* left = reinterpret_cast<const unsigned char*>(a);
  const auto* right = reinterpret_cast<const unsigned char*>(b);
  for (size_t i = 0; i < count; ++i) {
    const int l = lower(left[i]);
    const int r = lower(right[i]);
    if (l != r || l == 0) {
      return l - r;
    }
  }
  return 0;
}

int _stricmp(const char* a, const char* b) {
  return _strnicmp(a, b, static_cast<size_t>(-1));
}

char* _strupr(char* text) {
  if (text == nullptr) {
    errno = EINVAL;
    return nullptr;
  }
  for (char* p = text; *p != '\0'; ++p) {
    *p = static_cast<char>(upper(static_cast<unsigned char>(*p)));
  }
  return text;
}

char* _strlwr(char* text) {
  if (text == nullptr) {
    errno = EINVAL;
    return nullptr;
  }
  for (char* p = text; *p != '\0'; ++p) {
    *p = static_cast<char>(lower(static_cast<unsigned char>(*p)));
  }
  return text;
}

// ReplaceAll over a caller's buffer and over an msString, and EscapeQuoted.
#include "text/replace.h"

#include <cstring>

#include "platform/acad/acutads.h"

namespace qv {

namespace {

// The number of occurrences found left to right without overlapping.
size_t countOccurrences(const char* text, const char* find, size_t findLength) {
  size_t count = 0;
  for (const char* at = std::strstr(text, find); at != nullptr;
       at = std::strstr(at + findLength, find)) {
    ++count;
  }
  return count;
}

// Writes text with every occurrence replaced into out (room for the result and its terminator).
void writeReplaced(const char* text, const char* find, size_t findLength, const char* replacement,
                   size_t replacementLength, char* out) {
  const char* from = text;
  for (const char* at = std::strstr(from, find); at != nullptr; at = std::strstr(from, find)) {
    const size_t kept = static_cast<size_t>(at - from);
    std::memmove(out, from, kept);
    out += kept;
    std::memcpy(out, replacement, replacementLength);
    out += replacementLength;
    from = at + findLength;
  }
  std::memmove(out, from, std::strlen(from) + 1);
}

// The replaced text in a new host block; null when memory runs out.
char* replacedCopy(const char* text, const char* find, size_t findLength, const char* replacement,
                   size_t count) {
  const size_t replacementLength = std::strlen(replacement);
  const size_t length = std::strlen(text) - count * findLength + count * replacementLength;
  char* out = static_cast<char*>(acad_malloc(length + 1));
  if (out != nullptr) {
    writeReplaced(text, find, findLength, replacement, replacementLength, out);
  }
  return out;
}

} // namespace

int ReplaceAll(char* text, const char* find, const char* replacement) {
  if (text == nullptr || find == nullptr || *find == '\0') {
    return 0;
  }
  if (replacement == nullptr) {
    replacement = "";
  }
  const size_t findLength = std::strlen(find);
  const size_t count = countOccurrences(text, find, findLength);
  if (count == 0) {
    return 0;
  }
  const size_t replacementLength = std::strlen(replacement);
  if (replacementLength <= findLength) {
    // The write position never passes the read position, so this works in place.
    writeReplaced(text, find, findLength, replacement, replacementLength, text);
    return static_cast<int>(count);
  }
  char* replaced = replacedCopy(text, find, findLength, replacement, count);
  if (replaced == nullptr) {
    return -1;
  }
  std::strcpy(text, replaced);
  acad_free(replaced);
  return static_cast<int>(count);
}

int ReplaceAll(msString& text, const char* find, const char* replacement) {
  if (find == nullptr || *find == '\0') {
    return 0;
  }
  const size_t findLength = std::strlen(find);
  const size_t count = countOccurrences(text, find, findLength);
  if (count == 0) {
    return 0;
  }
  char* replaced =
      replacedCopy(text, find, findLength, replacement == nullptr ? "" : replacement, count);
  if (replaced == nullptr) {
    return -1;
  }
  const int assigned = text.Assign(replaced);
  acad_free(replaced);
  return assigned == 1 ? static_cast<int>(count) : -1;
}

int EscapeQuoted(const char* text, char* output) {
  char* out = output;
  for (const char* p = text == nullptr ? "" : text; *p != '\0'; ++p) {
    if (*p == '\\') {
      *out++ = '\\';
    } else if (*p == '\'') {
      *out++ = '\'';
    } else if (*p == '>') {
      *out++ = '\\';
    }
    *out++ = *p;
  }
  *out = '\0';
  return static_cast<int>(out - output);
}

int EscapeQuoted(msString& text) {
  char* escaped = static_cast<char*>(acad_malloc(2 * static_cast<size_t>(text.GetLength()) + 1));
  if (escaped == nullptr) {
    return 0;
  }
  EscapeQuoted(text, escaped);
  const int assigned = text.Assign(escaped);
  acad_free(escaped);
  return assigned;
}

} // namespace qv

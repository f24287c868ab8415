// Trimming and in-place character edits.
#include "text/text_trim.h"
#include "platform/win/string_win.h"

#include <cstring>

namespace qv {

namespace {

// RemoveChar leaves texts from this length on as they are.
constexpr size_t kRemoveCharLimit = 322;

bool isLineEnd(char c) {
  return c == '\r' || c == '\n';
}

void cutTrailing(char* text, bool (*drop)(char)) {
  size_t length = std::strlen(text);
  while (length > 0 && drop(text[length - 1])) {
    text[--length] = '\0';
  }
}

} // namespace

void TrimText(char* text) {
  if (text == nullptr) {
    return;
  }
  cutTrailing(text, [](char c) { return c == ' ' || isLineEnd(c); });
  size_t skip = 0;
  while (text[skip] == ' ') {
    ++skip;
  }
  if (skip > 0) {
    std::memmove(text, text + skip, std::strlen(text + skip) + 1);
  }
}

void TrimText(msString& text) {
  if (!text.IsEmpty()) {
    TrimText(&text[0]);
  }
}

void StripLineEnd(char* text) {
  if (text != nullptr) {
    cutTrailing(text, isLineEnd);
  }
}

void TrimTrailingChar(char* text, char c) {
  if (text == nullptr || c == '\0') {
    return;
  }
  size_t length = std::strlen(text);
  size_t kept = length;
  while (kept > 0 && text[kept - 1] == c) {
    --kept;
  }
  if (kept > 0) {
    text[kept] = '\0';
  }
}

void RemoveChar(char* text, char c) {
  if (text == nullptr || c == '\0' || std::strlen(text) >= kRemoveCharLimit) {
    return;
  }
  char* out = text;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != c) {
      *out++ = *p;
    }
  }
  *out = '\0';
}

void RemoveSpaces(char* text) {
  RemoveChar(text, ' ');
}

void StripLeadingZeros(char* text) {
  if (text == nullptr) {
    return;
  }
  TrimText(text);
  size_t zeros = 0;
  while (text[zeros] == '0') {
    ++zeros;
  }
  if (zeros == 0) {
    return;
  }
  if (text[zeros] == '\0') {
    --zeros; // keep the last zero
  }
  std::memmove(text, text + zeros, std::strlen(text + zeros) + 1);
}

void UpperText(char* text) {
  if (text != nullptr) {
    _strupr(text);
  }
}

void UpperText(msString& text) {
  text.MakeUpper();
}

void LowerText(char* text) {
  if (text != nullptr) {
    _strlwr(text);
  }
}

} // namespace qv

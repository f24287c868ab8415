// Fields, quoted words, ranges, keywords and the first number of a text.
#include "text/text_words.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/acad/acutads.h"
#include "platform/win/string_win.h"
#include "support/read_decimal.h"

namespace qv {

namespace {

constexpr double kNoValue = 98765432.1;

bool isWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A new host text of length bytes from text.
char* copyOf(const char* text, size_t length) {
  char* copy = static_cast<char*>(acad_malloc(length + 1));
  if (copy != nullptr) {
    std::memcpy(copy, text, length);
    copy[length] = '\0';
  }
  return copy;
}

// The n-th field (from 1): its start and length. False when there is none.
bool findField(const char* text, char separator, int n, const char*& start, size_t& length) {
  if (text == nullptr || n < 1) {
    return false;
  }
  const char* field = text;
  for (int i = 1; i < n; ++i) {
    const char* next = std::strchr(field, separator);
    if (next == nullptr || separator == '\0') {
      return false;
    }
    field = next + 1;
  }
  const char* end = separator == '\0' ? nullptr : std::strchr(field, separator);
  start = field;
  length = end == nullptr ? std::strlen(field) : static_cast<size_t>(end - field);
  return true;
}

// a holds no NUL in its aLength characters, so a match of them means b is at least that long.
bool equalsNoCase(const char* a, size_t aLength, const char* b) {
  return _strnicmp(a, b, aLength) == 0 && b[aLength] == '\0';
}

} // namespace

double FirstNumberInText(const char* text) {
  if (text == nullptr) {
    return kNoValue;
  }
  for (size_t i = 0; text[i] != '\0'; ++i) {
    const char c = text[i];
    const bool starts = (c >= '0' && c <= '9') || (c == '.' && i == 0) ||
                        (c == '-' && (i == 0 || text[i - 1] == ' '));
    if (starts) {
      return readDecimal(text + i, nullptr);
    }
  }
  return kNoValue;
}

char* DelimitedAt(const char* text, int index) {
  if (text == nullptr || index < 0 || static_cast<size_t>(index) >= std::strlen(text)) {
    return copyOf("", 0);
  }
  const char delimiter = text[index];
  const char* start = text + index + 1;
  const char* end = std::strchr(start, delimiter);
  return copyOf(start, end == nullptr ? std::strlen(start) : static_cast<size_t>(end - start));
}

int CountOccurrences(const char* text, const char* part) {
  if (text == nullptr || part == nullptr || *part == '\0') {
    return 0;
  }
  const size_t partLength = std::strlen(part);
  int count = 0;
  for (const char* at = std::strstr(text, part); at != nullptr;
       at = std::strstr(at + partLength, part)) {
    ++count;
  }
  return count;
}

char* NthField(const char* text, char separator, int n) {
  const char* start = nullptr;
  size_t length = 0;
  if (!findField(text, separator, n, start, length)) {
    return copyOf("", 0);
  }
  return copyOf(start, length);
}

void CopyRange(const char* text, int from, int to, char* output) {
  const int64_t length = text == nullptr ? 0 : static_cast<int64_t>(std::strlen(text));
  char* out = output;
  for (int64_t position = from; position <= to; ++position) {
    *out++ = (position >= 0 && position < length) ? text[position] : '\0';
  }
  *out = '\0';
}

int WordIndex(const char* text, const char* word, char separator) {
  if (text == nullptr || word == nullptr) {
    return 0;
  }
  const char* field = text;
  for (int index = 1;; ++index) {
    const char* end = separator == '\0' ? nullptr : std::strchr(field, separator);
    const size_t length = end == nullptr ? std::strlen(field) : static_cast<size_t>(end - field);
    if (equalsNoCase(field, length, word)) {
      return index;
    }
    if (end == nullptr || index == INT32_MAX) {
      return 0;
    }
    field = end + 1;
  }
}

int ContainsWord(const char* text, const char* word, char separator) {
  return WordIndex(text, word, separator) != 0 ? 1 : 0;
}

int MatchKeyword(const char* keyword, const char* text, const char** rest) {
  if (rest != nullptr) {
    *rest = nullptr;
  }
  if (keyword == nullptr || text == nullptr) {
    return 0;
  }
  const size_t length = std::strlen(keyword);
  if (_strnicmp(text, keyword, length) != 0) {
    return 0;
  }
  const char* after = text + length;
  if (!isWhite(*after)) {
    return 0;
  }
  while (isWhite(*after)) {
    ++after;
  }
  if (*after == '\0') {
    return 0;
  }
  if (rest != nullptr) {
    *rest = after;
  }
  return 1;
}

} // namespace qv

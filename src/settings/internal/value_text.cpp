// Numbers and texts of the settings stores.
#include "settings/internal/value_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace qv::settingsfile {

int32_t readInt32(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) {
    ++text;
  }
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+') {
    ++text;
  }
  int64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (value <= INT32_MAX) {
      value = value * 10 + (*text - '0');
    }
  }
  if (negative) {
    value = -value;
  }
  if (value > INT32_MAX) {
    return INT32_MAX;
  }
  return value < INT32_MIN ? INT32_MIN : static_cast<int32_t>(value);
}

std::string printText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<size_t>(length));
    std::vsnprintf(text.data(), text.size() + 1, format, again);
  }
  va_end(again);
  return text;
}

void copyCapped(char* buffer, size_t capacity, const char* text) {
  if (buffer == nullptr || capacity == 0) {
    return;
  }
  const char* from = text != nullptr ? text : "";
  const size_t length = std::strlen(from);
  const size_t kept = length < capacity ? length : capacity - 1;
  std::memmove(buffer, from, kept);
  buffer[kept] = '\0';
}

} // namespace qv::settingsfile

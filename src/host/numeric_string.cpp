// The numeric-string test and value.
#include "host/numeric_string.h"

#include "support/read_decimal.h"

namespace qv {

int isNumericString(const char* text, size_t maxLength) {
  if (text == nullptr) {
    return 0;
  }
  size_t position = 0;
  int points = 0;
  for (; position < maxLength && text[position] != '\0'; ++position) {
    const char c = text[position];
    if (position == 0 && c == '-') {
      continue;
    }
    if (c == '.') {
      ++points;
    } else if (c < '0' || c > '9') {
      return 0;
    }
  }
  const bool endsInLimit = position < maxLength && text[position] == '\0';
  return endsInLimit && position > 0 && points <= 1 ? 1 : 0;
}

double numericStringValue(const char* text, size_t maxLength) {
  return isNumericString(text, maxLength) ? readDecimal(text, nullptr) : kNotANumber;
}

} // namespace qv

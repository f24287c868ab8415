// Decimal numbers read as the family's runtime reads them.
#include "support/read_decimal.h"

#include <cstdlib>

namespace qv {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* skipDigits(const char* at) {
  while (isDigit(*at)) {
    ++at;
  }
  return at;
}

} // namespace

double readDecimal(const char* text, char** end) {
  if (end != nullptr) {
    *end = const_cast<char*>(text);
  }
  if (text == nullptr) {
    return 0.0;
  }
  const char* at = text;
  while (isSpace(*at)) {
    ++at;
  }
  const char* sign = at;
  if (*at == '+' || *at == '-') {
    ++at;
  }
  const char* digits = at;
  at = skipDigits(at);
  bool anyDigit = at != digits;
  if (*at == '.') {
    const char* decimals = at + 1;
    at = skipDigits(decimals);
    anyDigit = anyDigit || at != decimals;
  }
  if (!anyDigit) {
    return 0.0; // "inf", "nan" and a lone sign or point are no number here
  }
  if ((*at == 'e' || *at == 'E')) {
    const char* exponent = at + 1 + ((at[1] == '+' || at[1] == '-') ? 1 : 0);
    if (isDigit(*exponent)) {
      at = skipDigits(exponent);
    }
  }
  if (end != nullptr) {
    *end = const_cast<char*>(at);
  }
  // A leading "0x" is hexadecimal to strtod; here the number is the zero before the 'x'.
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    return *sign == '-' ? -0.0 : 0.0;
  }
  // strtod stops where the decimal span ends, so its rounding of that span is the answer.
  return std::strtod(sign, nullptr);
}

} // namespace qv

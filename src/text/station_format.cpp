// Station texts: reading them back as numbers and writing numbers in the family's station styles.
#include "text/station_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "support/read_decimal.h"

namespace qv {

namespace {

// Joins texts by appending; also keeps GCC 12 from a false -Wrestrict on chains of operator+.
std::string concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) {
    text.append(part);
  }
  return text;
}

std::string printed(const char* format, double value) {
  char buffer[kQuantityTextMax];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

bool allDigits(const std::string& text) {
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

// "+" before the last `tail` digits of v (v has more than `tail` digits).
std::string joined(double v, size_t tail) {
  const std::string digits = printed("%.0f", v);
  const size_t split = digits.size() - tail;
  return concat(
      {std::string_view(digits).substr(0, split), "+", std::string_view(digits).substr(split)});
}

std::string hundreds(double v) {
  if (v < 10) {
    return printed("0+0%.0f", v);
  }
  if (v < 100) {
    return printed("0+%.0f", v);
  }
  return joined(v, 2);
}

std::string thousands(double v) {
  if (v < 10) {
    return printed("0+00%.0f", v);
  }
  if (v < 100) {
    return printed("0+0%.0f", v);
  }
  if (v < 1000) {
    return printed("0+%.0f", v);
  }
  return joined(v, 3);
}

// A value on a station is named by its count; any other by its distance past the last one.
// The distance is the remainder that subtracting the interval while the value exceeds it would
// leave; fmod gives it exactly and at once, where the subtraction never ends for huge values.
std::string numbered(double value, double interval) {
  if (!(interval > 0)) {
    interval = 100;
  }
  if (std::isinf(interval) && value != 0) {
    return printed("+%.3f", value);
  }
  const double count = value / interval;
  if (std::isfinite(count) && count == std::floor(count)) {
    return printed("NO.%.0f", count);
  }
  double rest = std::fmod(value, interval);
  if (rest == 0 && value > 0) {
    rest = interval;
  }
  return printed("+%.3f", rest);
}

} // namespace

double StationToNumber(const char* station) {
  if (station == nullptr) {
    return 0;
  }
  std::string number;
  for (const char* c = station; *c != '\0'; ++c) {
    if (*c != '+') {
      number += *c;
    }
  }
  return readDecimal(number.c_str(), nullptr);
}

void FormatStation(char* station, const char* styleCode, double interval) {
  const char style = styleCode == nullptr || styleCode[0] == '\0' ? '0' : styleCode[0];
  if (style != '0' && style != '1' && style != '2') {
    return;
  }
  std::string text = station;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) {
    text.erase(0, 1);
  }
  const size_t point = text.find('.');
  const std::string integerPart = text.substr(0, point);
  const std::string decimalPart = point == std::string::npos ? "" : text.substr(point);
  if ((integerPart.empty() && decimalPart.size() <= 1) || !allDigits(integerPart) ||
      (decimalPart.size() > 1 && !allDigits(decimalPart.substr(1)))) {
    return;
  }
  const double v = readDecimal(integerPart.c_str(), nullptr);
  if (!std::isfinite(v)) {
    return;
  }
  const std::string_view sign = negative ? "-" : "";
  std::string result;
  if (style == '1') {
    result = concat({sign, thousands(v), decimalPart});
  } else if (style == '0') {
    result = concat({sign, hundreds(v), decimalPart});
  } else {
    const double value = readDecimal(concat({"0", integerPart, decimalPart}).c_str(), nullptr);
    result = concat({sign, numbered(value, interval)});
  }
  std::memcpy(station, result.c_str(), result.size() + 1);
}

} // namespace qv

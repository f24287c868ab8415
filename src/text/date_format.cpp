// Dates in the user's chosen layout, printed through GetDateFormatA and read back.
#include "text/date_format.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/lisp_symbols.h"
#include "platform/win/string_win.h"
#include "platform/win/windows.h"

namespace qv {

namespace {

const char* const kLayouts[] = {"windows",    "MM/dd/yyyy", "MM-dd-yyyy",
                                "dd/MM/yyyy", "dd-MM-yyyy", "yyyy/MM/dd",
                                "yyyy-MM-dd", "yyyy/dd/MM", "yyyy-dd-MM"};

std::string selectedPicture() {
  // A text too long for a date picture does not fit and reads as unset.
  char value[kDateTextSize] = "";
  if (!getLispString(value, "qvan_date_format")) {
    return kLayouts[0];
  }
  char* end = nullptr;
  const long long layout = std::strtoll(value, &end, 10);
  if (end == value) {
    return kLayouts[0];
  }
  if (layout >= 0 && layout <= 8) {
    return kLayouts[layout];
  }
  return value;
}

bool isShortDatePicture(const std::string& picture) {
  if (picture.empty()) {
    return true;
  }
  static const char windows[] = "windows";
  return picture.size() == sizeof windows - 1 && _stricmp(picture.c_str(), windows) == 0;
}

std::string derivedPicture() {
  SYSTEMTIME date{};
  date.wYear = 3333;
  date.wMonth = 11;
  date.wDay = 22;
  char text[kDateTextSize];
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text,
                     kDateTextSize - 1) == 0) {
    return "";
  }
  for (char* c = text; *c != '\0'; ++c) {
    *c = *c == '3' ? 'y' : *c == '1' ? 'M' : *c == '2' ? 'd' : *c;
  }
  return text;
}

std::string pictureInForce(const char* picture) {
  const std::string chosen = picture != nullptr ? picture : selectedPicture();
  return isShortDatePicture(chosen) ? derivedPicture() : chosen;
}

void copyCut(const std::string& text, char* out) {
  const size_t length = std::min(text.size(), static_cast<size_t>(kDateTextSize - 1));
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

bool isPictureLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y';
}

bool isSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Reads one integer as %d does: white space, an optional sign, digits. Values beyond int range
// are held at its limits rather than overflowing.
bool readNumber(const char*& at, int32_t& value) {
  const char* c = at;
  while (isSpace(*c)) {
    ++c;
  }
  const bool negative = *c == '-';
  if (*c == '-' || *c == '+') {
    ++c;
  }
  if (*c < '0' || *c > '9') {
    return false;
  }
  long long magnitude = 0;
  for (; *c >= '0' && *c <= '9'; ++c) {
    if (magnitude <= INT_MAX) {
      magnitude = magnitude * 10 + (*c - '0');
    }
  }
  if (magnitude > INT_MAX) {
    magnitude = negative ? static_cast<long long>(INT_MAX) + 1 : INT_MAX;
  }
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  at = c;
  return true;
}

} // namespace

void GetSelectedDatePicture(char* out) {
  copyCut(selectedPicture(), out);
}

int FormatDate(uint16_t day, uint16_t month, int year, const char* picture, char* out) {
  out[0] = '\0';
  if (year < 0 || year > 0xFFFF) {
    return 0;
  }
  if (year < 90) {
    year += 2000;
  } else if (year < 100) {
    year += 1900;
  }
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = month;
  date.wDay = day;
  const std::string chosen = picture != nullptr ? picture : selectedPicture();
  int written = 0;
  if (isShortDatePicture(chosen)) {
    written =
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, out, kDateTextSize - 1);
  } else {
    written = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &date, chosen.c_str(), out, kDateTextSize - 1);
  }
  if (written == 0) {
    out[0] = '\0';
  }
  return out[0] != '\0' ? 1 : 0;
}

void GetDatePattern(char* out) {
  copyCut(pictureInForce(nullptr), out);
}

int ParseDate(const char* picture, const char* text, int32_t& day, int32_t& month, int32_t& year) {
  day = 0;
  month = 0;
  year = 0;
  if (text == nullptr) {
    return 0;
  }
  const std::string pattern = pictureInForce(picture);

  // The picture as a scanning plan: a field letter per run, the literal text between them.
  std::vector<char> fields;
  std::vector<std::string> literals(1);
  for (size_t i = 0; i < pattern.size();) {
    if (!isPictureLetter(pattern[i])) {
      literals.back() += pattern[i++];
      continue;
    }
    fields.push_back(pattern[i]);
    while (i < pattern.size() && isPictureLetter(pattern[i])) {
      ++i;
    }
    literals.emplace_back();
  }
  auto names = [&](char letter) {
    return std::find(fields.begin(), fields.end(), letter) != fields.end();
  };
  if (!names('d') || !names('M') || !names('y')) {
    return 0;
  }

  // Scanning stops at the first mismatch, as sscanf does; only the count of numbers matters.
  const char* at = text;
  auto matchLiteral = [&](const std::string& literal) {
    for (char c : literal) {
      if (isSpace(c)) {
        while (isSpace(*at)) {
          ++at;
        }
      } else if (*at == c) {
        ++at;
      } else {
        return false;
      }
    }
    return true;
  };
  int32_t values[3] = {0, 0, 0};
  char letters[3] = {0, 0, 0};
  size_t read = 0;
  if (matchLiteral(literals[0])) {
    for (size_t field = 0; field < fields.size(); ++field) {
      int32_t value = 0;
      if (!readNumber(at, value)) {
        break;
      }
      if (read == 3) {
        return 0; // more than three numbers
      }
      values[read] = value;
      letters[read] = fields[field];
      ++read;
      if (!matchLiteral(literals[field + 1])) {
        break;
      }
    }
  }
  if (read != 3) {
    return 0;
  }
  bool seen[3] = {false, false, false};
  for (size_t i = 0; i < 3; ++i) {
    int32_t& target = letters[i] == 'd' ? day : letters[i] == 'M' ? month : year;
    target = values[i];
    seen[letters[i] == 'd' ? 0 : letters[i] == 'M' ? 1 : 2] = true;
  }
  if (!seen[0] || !seen[1] || !seen[2]) {
    return 0;
  }
  return day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 0 ? 1 : 0;
}

int IsDateText(const char* text) {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
  return ParseDate(nullptr, text, day, month, year);
}

} // namespace qv

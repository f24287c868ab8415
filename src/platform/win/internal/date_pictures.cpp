// The locale's day and month names and short date, and the rendering of Windows date pictures.
#include "platform/win/internal/date_pictures.h"

#include <langinfo.h>

#include <cstdio>

namespace sim::detail {

namespace {

const char* const kEnglishDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
const char* const kEnglishMonths[12] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};

std::string number(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A long date in the short date's order of fields: "dddd, " then day, month name and year.
std::string longFromShort(const std::string& shortPicture) {
  std::string fields;
  bool quoted = false;
  char last = '\0';
  for (char c : shortPicture) {
    if (c == '\'') {
      quoted = !quoted;
      continue;
    }
    if (quoted || (c != 'd' && c != 'M' && c != 'y') || c == last ||
        fields.find(c) != std::string::npos) {
      last = c;
      continue;
    }
    fields += c;
    last = c;
  }
  std::string picture = "dddd,";
  for (char field : fields) {
    picture += field == 'd' ? " d" : field == 'M' ? " MMMM" : " yyyy";
  }
  return picture;
}

} // namespace

DateNames currentDateNames(bool invariant) {
  DateNames names;
  if (invariant) {
    for (int i = 0; i < 7; ++i) {
      names.longDays[i] = kEnglishDays[i];
      names.shortDays[i] = names.longDays[i].substr(0, 3);
    }
    for (int i = 0; i < 12; ++i) {
      names.longMonths[i] = kEnglishMonths[i];
      names.shortMonths[i] = names.longMonths[i].substr(0, 3);
    }
    names.shortDate = "MM/dd/yyyy";
    names.longDate = "dddd, dd MMMM yyyy";
    return names;
  }
  for (int i = 0; i < 7; ++i) {
    names.shortDays[i] = nl_langinfo(static_cast<nl_item>(ABDAY_1 + i));
    names.longDays[i] = nl_langinfo(static_cast<nl_item>(DAY_1 + i));
  }
  for (int i = 0; i < 12; ++i) {
    names.shortMonths[i] = nl_langinfo(static_cast<nl_item>(ABMON_1 + i));
    names.longMonths[i] = nl_langinfo(static_cast<nl_item>(MON_1 + i));
  }
  names.shortDate = pictureFromStrftime(nl_langinfo(D_FMT));
  if (names.shortDate.find_first_of("dMy") == std::string::npos) {
    names.shortDate = "MM/dd/yy";
  }
  names.longDate = longFromShort(names.shortDate);
  return names;
}

std::string pictureFromStrftime(const std::string& format) {
  std::string picture;
  bool inQuote = false;
  auto literal = [&](char c) {
    const bool needsQuote = isAsciiLetter(c) || c == '\'';
    if (needsQuote && !inQuote) {
      picture += '\'';
      inQuote = true;
    } else if (!needsQuote && inQuote) {
      picture += '\'';
      inQuote = false;
    }
    picture += c;
    if (c == '\'') {
      picture += '\''; // a quote inside quotes is written twice
    }
  };
  auto field = [&](const char* letters) {
    if (inQuote) {
      picture += '\'';
      inQuote = false;
    }
    picture += letters;
  };
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      literal(format[i]);
      continue;
    }
    // Flags, width and the E and O modifiers of glibc's strftime.
    bool unpadded = false;
    ++i;
    while (i < format.size() && (format[i] == '_' || format[i] == '-' || format[i] == '0' ||
                                 format[i] == '^' || format[i] == '#' || format[i] == 'E' ||
                                 format[i] == 'O' || (format[i] >= '1' && format[i] <= '9'))) {
      unpadded = unpadded || format[i] == '-';
      ++i;
    }
    if (i >= format.size()) {
      break;
    }
    switch (format[i]) {
    case 'd':
      field(unpadded ? "d" : "dd");
      break;
    case 'e':
      field("d");
      break;
    case 'm':
      field(unpadded ? "M" : "MM");
      break;
    case 'y':
      field("yy");
      break;
    case 'Y':
    case 'G':
      field("yyyy");
      break;
    case 'b':
    case 'h':
      field("MMM");
      break;
    case 'B':
      field("MMMM");
      break;
    case 'a':
      field("ddd");
      break;
    case 'A':
      field("dddd");
      break;
    case 'D':
      field("MM/dd/yy");
      break;
    case 'F':
      field("yyyy-MM-dd");
      break;
    case 'n':
    case 't':
      literal(' ');
      break;
    case '%':
      literal('%');
      break;
    default:
      break; // times, time zones, week numbers: not part of a date picture
    }
  }
  if (inQuote) {
    picture += '\'';
  }
  return picture;
}

std::string renderDatePicture(const std::string& picture, const SYSTEMTIME& date,
                              const DateNames& names) {
  std::string text;
  const int weekday = dayOfWeek(date.wYear, date.wMonth, date.wDay);
  bool quoted = false;
  for (size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      if (i + 1 < picture.size() && picture[i + 1] == '\'') {
        text += '\'';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
      continue;
    }
    if (quoted || (c != 'd' && c != 'M' && c != 'y' && c != 'g')) {
      text += c;
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) {
      ++run;
    }
    i += run;
    switch (c) {
    case 'd':
      text += run == 1   ? number(date.wDay, 1)
              : run == 2 ? number(date.wDay, 2)
              : run == 3 ? names.shortDays[weekday]
                         : names.longDays[weekday];
      break;
    case 'M':
      text += run == 1   ? number(date.wMonth, 1)
              : run == 2 ? number(date.wMonth, 2)
              : run == 3 ? names.shortMonths[date.wMonth - 1]
                         : names.longMonths[date.wMonth - 1];
      break;
    case 'y':
      text += run == 1   ? number(date.wYear % 10, 1)
              : run == 2 ? number(date.wYear % 100, 2)
                         : number(date.wYear, 4);
      break;
    default:
      text += "A.D."; // the era of the Gregorian calendar
      break;
    }
  }
  return text;
}

int dayOfWeek(int year, int month, int day) {
  // Sakamoto's method on the proleptic Gregorian calendar.
  static const int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) {
    year -= 1;
  }
  return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

bool isValidDate(const SYSTEMTIME& date) {
  if (date.wYear < 1 || date.wYear > 30827 || date.wMonth < 1 || date.wMonth > 12 ||
      date.wDay < 1) {
    return false;
  }
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int year = date.wYear;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int inMonth = date.wMonth == 2 && leap ? 29 : days[date.wMonth - 1];
  return date.wDay <= inMonth;
}

} // namespace sim::detail

// The pieces of GetDateFormatA: the locale's names and short date (from the C library's LC_TIME)
// and the rendering of a Windows date picture. Only the Windows layer uses them.
#pragma once

#include <string>

#include "platform/win/minwinbase.h"

namespace sim::detail {

struct DateNames {
  std::string shortDays[7]; // Sunday first
  std::string longDays[7];
  std::string shortMonths[12]; // January first
  std::string longMonths[12];
  std::string shortDate; // a Windows picture
  std::string longDate;
};

// The names and date pictures of the current LC_TIME locale, or of the invariant locale
// (English names, MM/dd/yyyy).
DateNames currentDateNames(bool invariant);

// The Windows picture for a strftime date format such as "%m/%d/%y" (giving MM/dd/yy): the date
// conversions become picture letters, literal letters and quotes are quoted, time conversions
// are dropped.
std::string pictureFromStrftime(const std::string& format);

// The date in the picture's form (see GetDateFormatA). The date must be valid.
std::string renderDatePicture(const std::string& picture, const SYSTEMTIME& date,
                              const DateNames& names);

// 0 Sunday to 6 Saturday, for a Gregorian date.
int dayOfWeek(int year, int month, int day);

// True for a valid Gregorian date with a year of 1 to 30827 (Windows' range).
bool isValidDate(const SYSTEMTIME& date);

} // namespace sim::detail

// File times to local file time and to calendar time, and back.
#include <ctime>

#include "platform/win/errhandlingapi.h"
#include "platform/win/timezoneapi.h"
#include "platform/win/winerror.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr int64_t kDaysFrom1601To1970 = 134774;

uint64_t join(const FILETIME& time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void split(uint64_t value, LPFILETIME out) {
  out->dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFFu);
  out->dwHighDateTime = static_cast<DWORD>(value >> 32);
}

BOOL invalid() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
int64_t daysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void civilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shifted = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  month = shifted < 10 ? shifted + 3 : shifted - 9;
  year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

bool isLeap(unsigned year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime) {
  if (fileTime == nullptr || localFileTime == nullptr) {
    return invalid();
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const int64_t bias = static_cast<int64_t>(local.tm_gmtoff) * int64_t(kTicksPerSecond);
  const uint64_t utc = join(*fileTime);
  if ((bias < 0 && utc < static_cast<uint64_t>(-bias)) ||
      (bias > 0 && utc > UINT64_MAX - static_cast<uint64_t>(bias))) {
    return invalid();
  }
  split(utc + static_cast<uint64_t>(bias), localFileTime);
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
  if (fileTime == nullptr || systemTime == nullptr) {
    return invalid();
  }
  const uint64_t ticks = join(*fileTime);
  if (ticks >= 0x8000000000000000ull) {
    return invalid();
  }
  const uint64_t seconds = ticks / kTicksPerSecond;
  const auto days = static_cast<int64_t>(seconds / 86400);
  const uint64_t secondOfDay = seconds % 86400;
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  civilFromDays(days - kDaysFrom1601To1970, year, month, day);
  systemTime->wYear = static_cast<WORD>(year);
  systemTime->wMonth = static_cast<WORD>(month);
  systemTime->wDay = static_cast<WORD>(day);
  systemTime->wDayOfWeek = static_cast<WORD>((days + 1) % 7); // 1601-01-01 was a Monday
  systemTime->wHour = static_cast<WORD>(secondOfDay / 3600);
  systemTime->wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
  systemTime->wSecond = static_cast<WORD>(secondOfDay % 60);
  systemTime->wMilliseconds = static_cast<WORD>(ticks % kTicksPerSecond / 10000);
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime) {
  if (systemTime == nullptr || fileTime == nullptr) {
    return invalid();
  }
  const SYSTEMTIME& t = *systemTime;
  static constexpr unsigned kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.wYear < 1601 || t.wYear > 30827 || t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 ||
      t.wDay > kMonthDays[t.wMonth - 1] + (t.wMonth == 2 && isLeap(t.wYear) ? 1u : 0u) ||
      t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59 || t.wMilliseconds > 999) {
    return invalid();
  }
  const int64_t days = daysFromCivil(t.wYear, t.wMonth, t.wDay) + kDaysFrom1601To1970;
  const uint64_t seconds =
      static_cast<uint64_t>(days) * 86400 + t.wHour * 3600u + t.wMinute * 60u + t.wSecond;
  split(seconds * kTicksPerSecond + t.wMilliseconds * 10000ull, fileTime);
  return TRUE;
}

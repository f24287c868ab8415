// The time of day and the hundredths between two of them.
#include "support/time_of_day.h"

#include "platform/win/sys_timeb.h"
#include "platform/win/windows.h"

namespace qv {

namespace {

constexpr double kHundredthsPerDay = 8640000.0;

double hundredthsOfDay(int32_t minute, int32_t hour, int32_t second, double hundredths) {
  return ((static_cast<double>(hour) * 60 + minute) * 60 + second) * 100 + hundredths;
}

} // namespace

void timeOfDay(TimeOfDay& now) {
  struct _timeb clock {};
  _ftime(&clock);
  const int64_t seconds = static_cast<int64_t>(clock.time);
  now.hour = static_cast<int32_t>((seconds / 3600) % 24);
  now.minute = static_cast<int32_t>((seconds / 60) % 60);
  now.second = static_cast<int32_t>(seconds % 60);
  now.hundredths = clock.millitm / 10.0;
}

double hundredthsBetween(int32_t startMinute, int32_t startHour, int32_t startSecond,
                         double startHundredths, int32_t endMinute, int32_t endHour,
                         int32_t endSecond, double endHundredths) {
  const double start = hundredthsOfDay(startMinute, startHour, startSecond, startHundredths);
  const double end = hundredthsOfDay(endMinute, endHour, endSecond, endHundredths);
  return end < start ? end - start + kHundredthsPerDay : end - start;
}

double hundredthsBetween(const TimeOfDay& start, const TimeOfDay& end) {
  return hundredthsBetween(start.minute, start.hour, start.second, start.hundredths, end.minute,
                           end.hour, end.second, end.hundredths);
}

} // namespace qv

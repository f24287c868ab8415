// The time of day of the system clock in universal time, to the hundredth of a second, and the
// time between two such times.
#pragma once

#include <cstdint>

namespace qv {

struct TimeOfDay {
  int32_t minute = 0;
  int32_t hour = 0;
  int32_t second = 0;
  double hundredths = 0; // hundredths of a second within the second, 0 to 99.9
};

// Reads the system clock into now (universal time).
void timeOfDay(TimeOfDay& now);

// Hundredths of a second from start to end. An end before the start is taken as the next day,
// so a stretch across midnight counts right; stretches of a day or more cannot be told apart.
double hundredthsBetween(int32_t startMinute, int32_t startHour, int32_t startSecond,
                         double startHundredths, int32_t endMinute, int32_t endHour,
                         int32_t endSecond, double endHundredths);
double hundredthsBetween(const TimeOfDay& start, const TimeOfDay& end);

} // namespace qv

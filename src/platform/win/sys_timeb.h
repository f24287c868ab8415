// The C runtime's time with milliseconds, as Microsoft's sys/timeb.h declares it.
#pragma once

#include <ctime>

struct _timeb {
  time_t time;            // seconds since 1970-01-01 00:00:00 UTC
  unsigned short millitm; // milliseconds of that second
  short timezone;         // minutes west of UTC, standard time
  short dstflag;          // nonzero while daylight saving time is in force
};

// Fills the record with the system clock's current time. Null does nothing.
void _ftime(struct _timeb* now);

// Calendar conversions of file times, as Windows' timezoneapi.h declares them.
#pragma once

#include "platform/win/fileapi.h"
#include "platform/win/minwinbase.h"

// The calendar time of a file time (no time zone applied). FALSE with ERROR_INVALID_PARAMETER
// for a null pointer or a time at or beyond 0x8000000000000000.
BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
// The file time of a calendar time; wDayOfWeek is ignored. FALSE with ERROR_INVALID_PARAMETER
// for a field out of its range (a day past the month's end included) or a year before 1601.
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);

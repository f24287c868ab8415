// Windows' locale-dependent date formatting (GetDateFormatA), following the C library's LC_TIME
// locale: its short date, its day and month names.
#pragma once

#include "platform/win/minwinbase.h"

#define LOCALE_NEUTRAL 0x0000u
#define LOCALE_INVARIANT 0x007Fu
#define LOCALE_USER_DEFAULT 0x0400u
#define LOCALE_SYSTEM_DEFAULT 0x0800u
#define LOCALE_NOUSEROVERRIDE 0x80000000u

#define DATE_SHORTDATE 0x00000001u
#define DATE_LONGDATE 0x00000002u

// Formats *date (null: today, local time) into dateText, with the picture `format` or, when
// format is null, with the locale's short date (DATE_SHORTDATE, also when neither date flag is
// given) or long date (DATE_LONGDATE).
// Picture letters: d, dd (two digits), ddd, dddd (short and long day name), M, MM, MMM, MMMM,
// y (last digit), yy (last two), yyyy (four digits); longer runs act as the longest form. Text in
// single quotes is copied as it stands ('' is one quote); every other character is copied.
// The day of the week is computed from the date; wDayOfWeek and the time fields are ignored.
// Returns the characters written including the NUL; with cchDate 0, the size needed (dateText
// is not touched). Returns 0 with GetLastError set on failure:
//   ERROR_INVALID_FLAGS       flags with a picture, both date flags, or an unknown flag;
//   ERROR_INVALID_PARAMETER   an unknown locale, an invalid date, cchDate below 0, or a null
//                             dateText with cchDate above 0;
//   ERROR_INSUFFICIENT_BUFFER the text (with its NUL) is longer than cchDate.
// Locales: LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT and LOCALE_NEUTRAL follow LC_TIME;
// LOCALE_INVARIANT uses MM/dd/yyyy and English names.
int GetDateFormatA(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCSTR format, LPSTR dateText,
                   int cchDate);

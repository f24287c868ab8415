// Dates in the user's chosen layout: the "qvan_date_format" setting selects a Windows date
// picture ("dd/MM/yyyy", ...) or the system's short date; dates are printed through
// GetDateFormatA and read back into day, month and year.
#pragma once

#include <cstdint>

namespace qv {

// Room for a date text or picture, with its NUL.
inline constexpr int kDateTextSize = 256;

// The picture selected by the AutoLISP symbol "qvan_date_format", written into out (room for
// kDateTextSize bytes; a symbol text that does not fit reads as unset): 1 "MM/dd/yyyy", 2
// "MM-dd-yyyy", 3 "dd/MM/yyyy", 4 "dd-MM-yyyy", 5 "yyyy/MM/dd", 6 "yyyy-MM-dd", 7 "yyyy/dd/MM", 8
// "yyyy-dd-MM"; 0, unset, or a value that does not begin with an integer: "windows" (the system's
// short date); any other integer: the symbol's own text.
void GetSelectedDatePicture(char* out);

// Writes the date into out (room for kDateTextSize bytes) in `picture`, or, when picture is null,
// in the selected one. An empty picture or "windows" (in any case) means the system's short
// date. A year below 90 is taken as 2000 + year, 90 to 99 as 1900 + year, larger ones as they
// are. Returns 1 when a non-empty text was written; 0 for a negative year, a date that does not
// exist (day 31 of April, month 13, a year above 30827), a text longer than 255 characters or a
// failing GetDateFormatA, with out empty.
int FormatDate(uint16_t day, uint16_t month, int year, const char* picture, char* out);

// Writes the picture in force into out (room for kDateTextSize bytes): the selected one or, for
// the system's short date, the picture derived from it: 22 November 3333 formatted as the short
// date with every 3 turned into y, 1 into M and 2 into d (11/22/3333 gives MM/dd/yyyy). Writes
// the empty text when the system cannot format the date.
void GetDatePattern(char* out);

// Reads a date text written in `picture` (null: the selected one; empty or "windows": the derived
// short date). Each run of the letters d, M and y (in any mix) is one number, named by its first
// letter; white space in the picture matches any white space, every other character must match
// itself; white space before a number is skipped and anything after the last number is ignored.
// Returns 1 when the picture's runs name day, month and year, exactly three numbers were read
// (day, month and year) and the day is 1 to 31, the month 1 to 12 and the year 0 or more; else
// 0. A two-digit year is handed out as it stands. A picture without separators (ddMMyyyy) is one
// run and never parses. When three numbers were read they are handed out even when the date is
// invalid; otherwise day, month and year are 0. A null text gives 0.
int ParseDate(const char* picture, const char* text, int32_t& day, int32_t& month, int32_t& year);

// ParseDate of text with the selected picture: 1 when it is a date, else 0.
int IsDateText(const char* text);

} // namespace qv

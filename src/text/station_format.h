// Stations along an alignment: hundreds or thousands and a remainder joined by "+" (12+34.56),
// or numbered stations at a fixed interval (NO.12, +20.000).
#pragma once

#include "text/quantity_text.h"

namespace qv {

// The value of a station text: every "+" is dropped and the rest read as a number, so 12+34.56
// gives 1234.56. A null text or one without a number gives 0.
double StationToNumber(const char* station);

// The most characters FormatStation adds to its input, but for style 2 with an interval below 1.
// Both ends are reached: ".9" in style 1 gives "0+000.9" (5 more), and a long integer rounded to
// the nearest double can print one digit longer: 99999999999999999 in style 2 past a larger
// interval gives "+100000000000000000.000" (6 more).
inline constexpr size_t kStationGrowthMax = 6;

// Rewrites station, a plain number such as 1234.56 or -250, in place as a station text. The style
// is the first character of styleCode (null or empty means "0"):
//   "0" hundreds:  5 -> 0+05, 1234.56 -> 12+34.56
//   "1" thousands: 5 -> 0+005, 123456 -> 123+456
//   "2" numbered stations every interval (0 or less, or NaN, means 100): a value on a station
//       prints as NO. and the station's count (600 at 50 -> NO.12); any other value as "+" and
//       its distance past the last station with three decimals (620 at 50 -> +20.000). Decimals
//       of the value count in that distance (620.5 -> +20.500, 600.5 -> +0.500), so the text
//       always says how far past a station the point lies.
//   "3" and every unknown style leave the text unchanged.
// In styles 0 and 1 the integer part is formatted without rounding (past 15 digits it is the
// nearest double, which may print one digit longer) and the decimals, from the
// point on, are kept as written. A negative value keeps one leading "-" (-1234.5 -> -12+34.5).
// A text that is not a plain number (optional "-", digits, optional point and decimals) is left
// unchanged. The buffer must hold the result: the input's length plus kStationGrowthMax
// characters and the NUL in every style, except style 2 with an interval below 1, whose station
// count can be far longer: the input's length plus kQuantityTextMax bytes hold it.
void FormatStation(char* station, const char* styleCode, double interval);

} // namespace qv

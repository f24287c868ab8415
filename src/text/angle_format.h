// Angles as the family prints them: degrees-minutes-seconds, quadrant bearings, and the packed
// D.MMSS notation (12.05075 is 12 degrees 5 minutes 7.5 seconds) read back into its parts.
#pragma once

#include "text/quantity_text.h"

namespace qv {

// The degree sign of the family's texts (code page 1252).
inline constexpr char kDegreeSign = '\xB0';

// Writes an angle given in decimal degrees into out (room for kQuantityTextMax bytes; an angle
// below 10^6 degrees needs at most 32).
// secondsMode 0 prints the exact seconds with five decimals: style 1 as 12°30'00.00000" (° is
// byte 0xB0), any other style packed as D.MMSSFFFFF (12.5 gives 12.300000000).
// Any other secondsMode rounds the seconds: -1 to one decimal, -2 to two, the rest to whole
// seconds. Style 1 prints 12°30'00" (12°30'07.5" in mode -1); other styles print the packed
// D.MMSS form, where decimal seconds simply continue the digits (12.05075 in mode -1, never a
// second decimal point), so the text always reads back as a D.MMSS number.
// Seconds and minutes are always two digits and never reach 60: seconds that round to 60 carry
// into the minutes, 60 minutes into the degrees (10.999999 prints as 11°00'00").
// A negative angle is printed as its magnitude with one leading "-".
// A NaN or infinite angle writes the empty text.
void FormatDms(double degrees, char* out, int secondsMode, int style);

// Turns an azimuth in radians (clockwise from north) into a quadrant bearing: returns the
// quadrant (1 NE, 2 SE, 3 SW, 4 NW) and writes the angle from the north-south line as packed
// D.MMSS with whole seconds (45.3000 for 45°30'). An azimuth below 0 or above 2π is brought into
// that range; exactly 2π stays and gives quadrant 4 with 0.0000. The exact axis directions give
// 0.0000 in quadrant 1 (north) and 2 (south), 90.0000 in quadrant 1 (east) and 3 (west).
// A NaN or infinite azimuth returns 0 and writes the empty text.
int AzimuthToBearing(double azimuth, char* out);

// Splits a packed D.MMSS value into degrees, minutes and seconds (12.05075 gives 12, 5, 7.5), all
// three negative for a negative value. Reads the digits of the value printed with twelve
// decimals, so minutes and seconds are taken as written even when above 59. A value of
// 98765432.1 or more in size (the "no value" marker), a NaN or an infinity gives 0, 0, 0.
void SplitDms(double dms, double& degrees, double& minutes, double& seconds);

// The packed D.MMSS value as decimal degrees (12.3 gives 12.5), split as SplitDms does.
double DmsToDegrees(double dms);

// 1 when a packed D.MMSS value is a usable angle: within -360 to 360 and with minutes and seconds
// of at most 60 each (exactly 60 passes); else 0. NaN and infinities are invalid.
int IsValidDms(double dms);

} // namespace qv

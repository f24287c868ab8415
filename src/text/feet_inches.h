// Lengths in feet printed as feet, inches and sixteenths of an inch: 3'5 3/8".
#pragma once

#include "text/quantity_text.h"

namespace qv {

// Writes a length given in feet into out (room for kQuantityTextMax bytes; a length below 10^9
// feet needs at most 24). The fraction of an inch is named by the nearest sixteenth in lowest
// terms, bands ending at the odd thirty-seconds and including their upper end: (0, 3/32] is 1/16,
// (3/32, 5/32] is 1/8, ... (29/32, 31/32] is 15/16; above 31/32 the inch is rounded up, and
// 12 inches carry into the feet. Forms: 3'6", 6" (no feet), 3'3/8" (no whole inches),
// 3'5 3/8", 5 3/8", 3/8"; zero is 0".
// A negative length prints as its magnitude with one leading "-" (-3'6"), as a surveyor writes a
// negative offset. A NaN or infinite length writes the empty text.
void FormatFeetInches(double feet, char* out);

} // namespace qv

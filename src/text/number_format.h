// Plain numbers with a chosen number of decimals, and the perpendicular of a direction.
#pragma once

#include "text/quantity_text.h"

namespace qv {

// Writes value with at most `decimals` decimals into out (room for kQuantityTextMax bytes).
// 0 decimals round to a whole number (100 stays 100); 1 to 13 print that many and more than 13
// print 14, after which trailing zeros and then a trailing point are removed (2.50 -> 2.5,
// 100.0 -> 100). A negative count, a NaN or an infinity writes the empty text. A value that
// rounds to zero prints as 0, never -0.
void FormatDecimals(char* out, double value, int decimals);

// Writes into result the unit vector a quarter-turn clockwise from vector (x, y): (y, -x) divided
// by the length, so (0, 5) gives (1, 0) and (3, 0) gives (0, -1). A zero vector is copied
// unchanged. vector is not changed; result may be the same array. NaN in, NaN out.
void PerpendicularDirection(const double vector[2], double result[2]);

} // namespace qv

// Numbers read from and printed into field texts the way the Windows runtime reads and prints
// them: atol's 32-bit reading and the fixed-point text of real fields.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// The text read as the Windows runtime's atol reads it: leading white space skipped, an optional
// sign, then digits; 0 when no digit follows. The value is 32-bit: past the range it is held at
// 2147483647 or -2147483648. Null reads as 0.
int32_t readLong32(const char* text);

// Room for the fixed-point text of any double: 309 integer digits, sign, point, ten decimals.
constexpr size_t kRealTextSize = 352;

// Prints value with "%.10f" into out (kRealTextSize characters) and cuts the trailing zeros of the
// decimals, never the point: 2.5 gives "2.5", 3.0 gives "3.", 1e-11 gives "0.". Returns out.
char* formatFieldReal(double value, char* out);

} // namespace qv

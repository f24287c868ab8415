// Rounding helpers and a number text with thousands separators.
#pragma once

#include <cstddef>

namespace qv {

// x rounded to a whole number, a half going down: 2.5 gives 2, -2.5 gives -3.
double roundHalfDown(double x);
// x rounded to a multiple of step, a half going down: (7.5, 5) gives 5, (7.6, 5) gives 10.
double roundToMultiple(double x, double step);

// value in the host's decimal format with precision places, its digits grouped by thousands
// ("1,234,567.50"). The buffer holds size bytes; a text that would not fit with its separators,
// or a value the host cannot format, leaves the empty text. Answers 1, or 0 on failure.
int realToGroupedText(double value, int precision, char* buffer, size_t size);
template <size_t N> int realToGroupedText(double value, int precision, char (&buffer)[N]) {
  return realToGroupedText(value, precision, buffer, N);
}

} // namespace qv

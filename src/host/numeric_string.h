// The numeric-string test of the family: plain decimal numbers with an optional leading minus.
#pragma once

#include <cstddef>

namespace qv {

// The value of a text that is not a number.
constexpr double kNotANumber = -98765432.1;

// 1 when text is a number: digits with at most one '.', an optional '-' first, and its NUL
// within the first maxLength characters; the empty text is not a number, "-" and "." are (value
// 0). Signs other than a leading '-', exponents and spaces make it not a number. 0 for null.
int isNumericString(const char* text, size_t maxLength);
// The value of a numeric text; kNotANumber when isNumericString does not hold.
double numericStringValue(const char* text, size_t maxLength);

} // namespace qv

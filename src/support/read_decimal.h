// Decimal numbers read as the family's runtime reads them.
#pragma once

namespace qv {

// Reads text as the family's C runtime reads a number (its strtod and atof): leading white space,
// an optional sign, digits with an optional '.' and decimals (at least one digit in all), then an
// optional exponent ('e' or 'E', an optional sign, digits). Only decimal: no hexadecimal, no "inf"
// or "nan", which newer runtimes also take. Answers the value of the longest such prefix, rounded
// as strtod rounds it, and sets *end just past it; 0 with *end = text when there is none. end may
// be null; a null text reads as 0.
double readDecimal(const char* text, char** end);

} // namespace qv

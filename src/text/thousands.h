// Grouping the digits of a number printed in a text with thousands separators.
#pragma once

namespace qv {

// In place: the first run of digits in text gets a "," before every group of three digits counted
// from its end (1234567.891 becomes 1,234,567.891; later runs stay as they are); for each ","
// put in, one leading space goes when the text starts with one, so that a right-aligned field
// keeps its width. The caller's buffer holds the longer result. Null does nothing.
void InsertThousandsSeparators(char* text);

} // namespace qv

// The byte sum of a text, written over the text.
#pragma once

#include <cstddef>

namespace qv {

// Replaces the text by the decimal sum of its bytes taken as unsigned values ("abc" gives
// "294"), written within the text's own bytes (its length and NUL). 1 on success; 0, leaving
// the text as it was, for a null text or when the sum does not fit (only texts of one or two
// bytes, or the empty text, can have a longer sum: use the form with a capacity for them).
int byteSumText(char* text);
// The same within a buffer of capacity bytes holding the text.
int byteSumText(char* text, size_t capacity);

} // namespace qv

// The natural ordering of record values and ids: digit runs by their value, everything else
// without regard to case.
#pragma once

#include <cstddef>

namespace qv {

// -1, 0 or 1 as a orders before, with or after b. Null counts as the empty text.
// Position by position over the length of the shorter text: where both hold a digit, the digit
// runs starting there are read as atol reads them on Windows (32-bit, held at 2147483647 when
// larger) and the smaller number orders first; equal numbers move on by one character only. Where
// the characters differ with case ignored, the rest of the texts decide as _stricmp does (folded
// to lower case, so "_" orders before every letter). Otherwise the whole texts decide as _stricmp.
// So "item9" < "item10", "a10" < "a010", "" < "a", and texts that differ only in case give 0.
int compareNatural(const char* a, const char* b);

// The same over texts of known lengths, as if each were cut to its length.
int compareNatural(const char* a, size_t aLength, const char* b, size_t bLength);

} // namespace qv

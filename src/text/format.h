// printf-style formatting into new host-allocated texts of any length, on SQLite's formatted
// printing with the conversions d i u o x X p c s z q Q f e E g G n and %.
#pragma once

#include <cstdarg>

namespace qv {

// The formatted text in a new buffer from the host allocator, sized to the result (its length + 1,
// or at most 10 bytes more); the caller frees it with acad_free. Null when memory runs out or the
// format is null. Beyond printf's flags, width, precision ("*" from the arguments) and the size
// prefixes "l" and "ll" for integers:
//   "c"  the character (any byte), repeated to the precision when one is given;
//   "s"  a null text prints nothing;
//   "z"  as "s" for a host-allocated text, which is freed with acad_free after use (also when
//        memory runs out);
//   "q"  the text with every apostrophe doubled; null prints "(NULL)";
//   "Q"  as "q" enclosed in apostrophes; null prints NULL without them;
//   "n"  stores the number of characters written so far in an int ("l": long, "ll": long long).
// "l" means the platform's long. A format ending in a lone "%" prints "%". A conversion letter not
// listed ends the output there, and the arguments after it are not read.
char* FormatAlloc(const char* format, ...);
char* FormatAllocV(const char* format, va_list args);

} // namespace qv

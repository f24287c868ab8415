// Printing on the host's command line messages of any length: acutPrintf takes at most
// kCommandLinePiece characters a call and cuts the rest, so longer texts go out in pieces.
#pragma once

#include <cstddef>

namespace qv {

// The most characters the host's acutPrintf prints in one call.
inline constexpr size_t kCommandLinePiece = 132;

// Prints text through acutPrintf, in pieces of at most kCommandLinePiece characters, so that all
// of it reaches the command line. The text is printed as it is ('%' is no conversion). Null
// prints nothing.
void PrintInPieces(const char* text);

// Formats as printf does and prints the result with PrintInPieces. When memory for the text runs
// out, what one acutPrintf call takes is printed (the host cuts the rest).
void PrintLong(const char* format, ...);

} // namespace qv

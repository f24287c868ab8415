// AutoLISP symbols as the variable sets move them: whole texts, and integers of any 32-bit value.
#pragma once

#include <cstdint>
#include <string>

namespace qv::settingsfile {

// The whole text of the symbol, converted as getLispString converts it (a text unchanged, a
// 16-bit or 32-bit integer as "%d", a real as "%f"; "mc_lspdir$" stands in for an empty
// "lspdir$"). False, with text empty, when the symbol is missing, nil or of another type.
// Throws std::bad_alloc.
bool readLispText(const char* name, std::string& text);

// Sets the symbol to the integer: an RTSHORT when it fits 16 bits, else an RTLONG. Prints
// "Unable to set AutoLisp variable\n" when the host refuses it; returns the host's status.
int setLispInteger(const char* name, int32_t value);

} // namespace qv::settingsfile

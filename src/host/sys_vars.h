// Reading and setting the host's system variables as plain values.
//
// Every operation answers 1 on success and 0 on any failure (unknown variable, another type,
// a refused value, a text that does not fit), and prints nothing. Readers leave their output at
// its reset value (empty text, 0.0, 0) on failure.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// The text of a string variable into buffer (size bytes with the terminator).
int getSysVarString(char* buffer, size_t size, const char* name);
template <size_t N> int getSysVarString(char (&buffer)[N], const char* name) {
  return getSysVarString(buffer, N, name);
}
// A real variable.
int getSysVarReal(double* value, const char* name);
// A 16-bit integer variable, sign-extended.
int getSysVarShort(int32_t* value, const char* name);

// Set a string (a null text is refused), real or 16-bit integer variable.
int setSysVarString(const char* name, const char* text);
int setSysVarReal(const char* name, double value);
int setSysVarShort(const char* name, int16_t value);

} // namespace qv

// Numbers and texts moved between the settings stores and the callers' variables: the runtime's
// atoi, printf into a text of the right size, and the copy into a caller's buffer of fixed
// capacity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv::settingsfile {

// The text read as the Windows runtime's atoi and atol read it: leading white space, an optional
// sign, digits; 0 when no digit follows; held at the 32-bit limits past them. Null reads as 0.
int32_t readInt32(const char* text);

// The text printf gives for format and the arguments, whatever its length. Throws std::bad_alloc.
std::string printText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Copies text into a buffer of capacity bytes, terminator included: at most capacity - 1
// characters and a NUL. A capacity of 0 (or a null buffer) writes nothing; null copies as "".
void copyCapped(char* buffer, size_t capacity, const char* text);

} // namespace qv::settingsfile

// Reading and writing the family's AutoLISP symbols as plain values.
//
// Readers take the first element of the symbol's value, convert it, release the value and answer
// 1, or answer 0 with their output at its reset value (empty text, 0, 0.0, the unset point) when
// the symbol is missing, nil, of another type, or its text does not fit the buffer. They never
// print. Writers print "Unable to set AutoLisp variable\n" when the host refuses the value and
// answer the host's status.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/acad/adsdef.h"

namespace qv {

// Every coordinate of a point that was not found.
constexpr double kUnsetCoordinate = 98765432.1;

// Text of the symbol into buffer (size bytes with the terminator): RTSTR unchanged, RTSHORT and
// RTLONG as "%d", RTREAL as "%f". For the name "lspdir$" exactly (as written, not in capitals),
// "mc_lspdir$" is read instead when lspdir$ has no value.
int getLispString(char* buffer, size_t size, const char* name);
template <size_t N> int getLispString(char (&buffer)[N], const char* name) {
  return getLispString(buffer, N, name);
}
// RTSHORT (sign-extended) or RTLONG.
int getLispInt(int32_t* value, const char* name);
// RTREAL, or an RTSHORT or RTLONG converted.
int getLispReal(double* value, const char* name);
// RT3DPOINT, or RTPOINT with z 0; point holds three coordinates.
int getLispPoint(ads_real* point, const char* name);

// Write one value: an RTSTR (a null text is written as the empty text), RTREAL, RT3DPOINT of the
// three coordinates, RTSHORT or RTENAME. A null point or name is refused with RTERROR.
int setLispString(const char* name, const char* text);
int setLispReal(const char* name, double value);
int setLispPoint(const char* name, const ads_real* point);
int setLispShort(const char* name, int16_t value);
int setLispEntityName(const char* name, const int64_t* entityName);

} // namespace qv

// AutoLISP's printed form (prin1) of a value in the host's list form, for the messages that quote
// an argument.
#pragma once

#include <string>

#include "platform/acad/adsdef.h"

namespace qv {

// The value starting at item as prin1 prints it: strings quoted with their escapes, reals with
// six significant digits and a decimal point, lists in parentheses (a dotted tail after " . "),
// points as lists of reals, T and nil. "nil" for null. Throws std::bad_alloc when memory runs out.
std::string printLispValue(const resbuf* item);

// A real as AutoLISP prints it: six significant digits, always a decimal point, three exponent
// digits (1.0e+020).
std::string printLispReal(double value);

} // namespace qv

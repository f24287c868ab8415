// Conversion between the interpreter's values and the host's list form (result-buffer items),
// as the host converts them when modules read and write AutoLISP symbols.
#pragma once

#include "platform/acad/internal/lisp_cell.h"
#include "platform/acad/internal/lisp_value.h"

namespace sim::detail {

// The value of items that hold one value (an atom, or one RTLB ... RTLE list); RTPOINT and
// RT3DPOINT become lists of two and three reals, RTLB a RTDOTE b RTLE a dotted pair.
LispRef valueFromItems(LispMachine& machine, const LispValue& items);
// The items of a value: integers that fit 16 bits as RTSHORT, others RTLONG; lists of two or
// three reals as RTPOINT and RT3DPOINT; T as RTT, nil inside a list as RTNIL; other symbols as
// RTSTR of their name. False for values the host's lists cannot hold (functions, files, the
// errors of vl-catch-all-apply).
bool itemsFromValue(const LispRef& value, LispValue* items);

} // namespace sim::detail

// Calls of the family's own AutoLISP functions ("cf:..."), made through acedInvoke with
// userFolder as the first argument where the family's code expects it.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// (cf:print_line userFolder text): prints a line through the family's LISP code. A null text is
// sent as the empty text. Nothing is called when the argument list cannot be built; the result
// and any failure are ignored.
void printLine(const char* text);
// (cf:qvanutil userFolder 38). The result and any failure are ignored.
void runQvanUtility();
// (cf:set_pointsnap 0|1): switches the family's point snap off (0) or on (any other value). The
// result and any failure are ignored.
void switchFamilyPointSnap(int on);
// (cf:getfiled userFolder title default extensions flags): the family's file dialog. Null texts
// are sent as empty texts. Answers the acedInvoke status (RTERROR when the function is missing or
// the list cannot be built) with *result the function's answer, which the caller releases (null
// when there is none).
int invokeFamilyGetFile(const char* title, const char* defaultName, const char* extensions,
                        int flags, resbuf** result);

} // namespace qv

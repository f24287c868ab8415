// The module's AutoLISP function table: the functions it defines in every open drawing, and the
// dispatch of their calls. Declared here for the entry point; the table itself and its handlers
// are in module/, the top layer, since the handlers reach every service of the library.
#pragma once

#include <cstddef>

namespace qv {

// The functions' names; a name's index is its function code.
extern const char* const lispFunctionNames[];
extern const size_t lispFunctionCount;

// Defines every function of the table in the current document, in code order. Stops at the
// first definition the host refuses and answers RTERROR (the names before it stay defined);
// RTNORM when all are defined.
int defineLispFunctions();
// Removes every function of the table from the current document, ignoring refusals. RTNORM.
int undefineLispFunctions();
// Runs the handler of the function that AutoLISP calls now and answers 1. Answers 0, doing
// nothing, when the host reports no call (a negative code), and 0 after printing "Received
// nonexistent function code." (acdbFail) for a code outside the table.
int dispatchLispFunction();

} // namespace qv

// Point-symbol drawings: found by name in a folder, in the symbol index "symbols.dta" of the user
// folder (lines of a drawing's full path, '|' and the family's own text), or along the host's
// support folders.
#pragma once

#include <cstddef>

namespace qv {

// The symbol's drawing: name itself when it holds a '\', else folder followed by name, upper-cased
// with ".DWG" added when it lacks one. When that file exists, output is it without its ".DWG" (and
// what follows); otherwise output is empty and, unless quiet, "\nWarning: Symbol '...' does not
// exist.\n" is printed.
void symbolPath(char* output, size_t size, const char* name, int quiet, const char* folder);
// The symbol's drawing looked for in the folder of the AutoLISP symbol "psname", then (for a name
// without a '\') in "symbols.dta", whose answer keeps its ".DWG", then in each folder of
// ACADPREFIX; output is empty when none has it.
void findSymbolFile(char* output, size_t size, const char* name, int quiet);

template <size_t N>
void symbolPath(char (&output)[N], const char* name, int quiet, const char* folder) {
  symbolPath(output, N, name, quiet, folder);
}
template <size_t N> void findSymbolFile(char (&output)[N], const char* name, int quiet) {
  findSymbolFile(output, N, name, quiet);
}

} // namespace qv

// The module-wide folder buffers that the family's services share: the values of the AutoLISP
// symbols usrdir$ (userFolder) and lspdir$ (lispFolder), each ending with a folder separator.
#pragma once

#include <cstddef>

namespace qv {

// Room for a full Windows path and its terminator.
constexpr size_t kFolderBufferSize = 260;

// The user folder ("dialogs.ini", "getfile.xml", ...): refreshed from usrdir$ at every drawing
// load; empty when the symbol is unset or its value does not fit.
extern char userFolder[kFolderBufferSize];
// The folder of the family's LISP and DCL files, as last read from lspdir$.
extern char lispFolder[kFolderBufferSize];

} // namespace qv

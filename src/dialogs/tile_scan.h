// The tile scan: the keys of a dialog's tiles, read from the dialog's own DCL file as text.
#pragma once

#include <string>
#include <vector>

namespace qv {

// The keys found in one body of the dialog, in file order.
using TileKeys = std::vector<std::string>;

// Reads the DCL file at path (a Windows path) line by line. A line holding ":", "{" and "dialog"
// is a dialog header, named by the text before its first ":" less leading spaces and trailing
// spaces, CR and LF (a tab is kept, so a tab-indented header names no dialog). For each header
// named dialogName (exactly, or without regard to ASCII case when ignoreCase), the line after it
// is skipped, and each following line up to the next header that holds "=", ";" and "key" gives
// the text between its first two double quotes as a key (empty keys are left out). Every header
// of that name gives one entry of bodies, in file order. Returns false, with bodies empty, when
// the file cannot be opened or read or memory runs out; true otherwise, with bodies empty when
// the file has no such dialog.
bool scanDialogTiles(const char* path, const char* dialogName, bool ignoreCase,
                     std::vector<TileKeys>& bodies);

} // namespace qv

// Whole lines of the text files this folder reads (DCL files and value files), however long.
#pragma once

#include <string>

#include "platform/win/stdio_win.h"

namespace qv::dialogfiles {

// The next line of in, without its line end, into line. False at the end of the file, or when
// the read failed (then ferror(in) tells). Throws std::bad_alloc when memory runs out.
bool readLine(FILE* in, std::string& line);

// in opened for reading in text mode, shared with every other reader and writer; null when it
// cannot be opened.
FILE* openForReading(const std::string& path);

// True when the file could not be opened because it does not exist (as opposed to a refusal).
bool wasMissing();

} // namespace qv::dialogfiles

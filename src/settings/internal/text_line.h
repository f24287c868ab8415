// Whole lines of a text stream, however long, for the settings files' readers.
#pragma once

#include <string>

#include "platform/win/stdio_win.h"

namespace qv::settingsfile {

// Reads the next line of file into line, without its newline. False at the end of the file with
// nothing read, and when a read fails (ferror then tells). ended, when not null, tells whether a
// newline ended the line (false for a last line without one). Throws std::bad_alloc when the line
// does not fit in memory.
bool readWholeLine(FILE* file, std::string& line, bool* ended = nullptr);

} // namespace qv::settingsfile

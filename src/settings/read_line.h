// The line reader of the settings files: one line of a text stream into a buffer of fixed size.
#pragma once

#include "platform/win/stdio_win.h"

namespace qv {

// Reads the next whole line of stream (up to its newline, which is not stored, or the end of the
// file) and stores at most size - 1 of its characters and a terminator; the rest of a longer line
// is passed over, so each call takes one line. Returns the number of characters stored: 0 for an
// empty line, at the end of the file, after a failed read (feof and ferror tell these apart), or
// when size is 0 or buffer null (nothing is read or written then).
int readLine(FILE* stream, char* buffer, int size);

} // namespace qv

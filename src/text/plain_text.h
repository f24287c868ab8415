// Whether a text or a file holds only printable characters and line breaks.
#pragma once

namespace qv {

// 1 when every character is printable (32 to 126) or a line feed, tab or carriage return (bytes
// from 128 on count as control characters); 1 for the empty text, 0 for null.
int IsPlainText(const char* text);

// 1 when the first 12,200 bytes of the file (a Windows path, opened "rb") hold only printable
// characters, line feeds, tabs, carriage returns and NUL bytes; 0 otherwise and when the file
// cannot be opened or read.
int IsTextFile(const char* path);

} // namespace qv

// Appending lines to the message file of the current folder.
#pragma once

namespace qv {

// Appends text to "message.txt" in the current folder, followed by a line end when newline is 1.
// Nothing happens when the file cannot be opened or the text is null.
void appendMessage(const char* text, int newline);

} // namespace qv

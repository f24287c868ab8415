// The escaping of line feeds, tabs and backslashes as two-character sequences, used by the
// translation file so that a translation can hold line breaks and tabs.
#pragma once

namespace qv {

// Writes text into output with line feed as "\n", tab as "\t" and backslash as "\\" (output holds
// up to twice the text's length + 1). A null text writes "". Returns the output's length.
int EscapeControl(const char* text, char* output);

// Writes text into output with "\\" as a backslash, "\n" as a line feed and "\t" as a tab; raw line
// feeds are dropped, and every other character is copied, a lone backslash included. The output is
// never longer than the text, and may be the text itself. A null text writes "". Returns the
// output's length.
int UnescapeControl(const char* text, char* output);

} // namespace qv

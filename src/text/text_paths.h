// Path texts: forward slashes, and the shortened, capitalised form of a path shown to the user.
#pragma once

namespace qv {

// Turns every backslash into "/" in place; returns the text's length (0 for null).
int ToForwardSlashes(char* text);

// Writes into output the path with its components (split at "\" and "/", empty ones dropped)
// lower-cased, each first letter upper-cased, joined with "\"; a leading "\\" or "\" stays in
// front. When that has maximum characters or more, output is a prefix ("\\" for a network path,
// the upper-cased drive letter and ":" when the second character is ":", else nothing), "...", and
// the last maximum - 7 characters of it (none when maximum is below 7). An output of exactly two
// characters (a bare drive) gets a trailing "\". Output holds the path's length + 6 bytes.
// A null path, or memory running out, writes "". Returns the output's length.
int ShortenPath(const char* path, char* output, int maximum);

} // namespace qv

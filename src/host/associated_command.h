// The program Windows opens a file with.
#pragma once

#include <cstddef>

namespace qv {

// The open command of the file's type (HKEY_CLASSES_ROOT: the extension's default value names the
// type, whose "shell\open\command" default value is the command) with environment variables
// expanded, into output; empty when a step fails. The extension is the part from a '.' within the
// name's last four characters; without one, a box says "Unable to determine file extension" and
// output is left as it was.
void associatedCommand(const char* fileName, char* output, size_t size);
template <size_t N> void associatedCommand(const char* fileName, char (&output)[N]) {
  associatedCommand(fileName, output, N);
}

} // namespace qv

// Two file services of the family's commands: copying a file to another folder when it differs,
// and running a program.
#pragma once

namespace qv {

// Copies sourceFolder + name to destinationFolder + name (each folder ending with its separator)
// when the source exists and the destination is missing or of another size in bytes (a changed
// file of the same size is not copied). 1 when it copied the file; 0 when there was nothing to
// copy or the copy failed.
int syncFile(const char* sourceFolder, const char* destinationFolder, const char* name);

// Starts the command line as a program with the caller's environment and current folder. With
// wait non-zero: waits for it to end and returns its exit code, or -1 when it could not be
// started or waited for. Without: returns 0 at once, started or not; the program runs on and its
// handles are closed.
int runProgram(const char* commandLine, int wait);

} // namespace qv

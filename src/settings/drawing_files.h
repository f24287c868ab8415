// The names of the working files that the family's commands keep for the current drawing: the
// product's INI file, the drawing's base name, surface files and their state file, and extension
// changes.
//
// Outputs are the caller's buffers of size bytes (the template forms take the array's size);
// every output is cut to fit and always ends with its terminator.
#pragma once

#include <cstddef>

namespace qv {

// Writes "quorvane.ini" (a bare name: the caller decides the folder); returns buffer.
char* productIniName(char* buffer, size_t size);

// Writes the system variable "DWGNAME" less its last 4 characters (the extension and its dot)
// when it has 5 or more; a shorter name is kept whole. Returns the name's length before cutting
// (0 when it cannot be read).
int drawingBaseName(char* buffer, size_t size);

// Reads the surface-state file: lines "exist=flag|name" and "final=flag|name" (other keys are
// ignored; a missing flag or name keeps what was there). Every output is set: exist flag 0, final
// flag 1 and empty names when the file or a line is missing. The names are cut to nameSize.
void readSurfaceState(const char* path, int* existFlag, int* finalFlag, char* existName,
                      char* finalName, size_t nameSize);

// The path of a surface file of the current drawing: "tmpdir$" + base name + namePart (null:
// empty) + "-" + suffix + "." + ("tin" when "is_binary_tin" reads as 1, else "flt"). The suffix is
// the kind (compared without regard to case): for "ex" and "og" the exist name when the state
// file "<tmpdir$><base>-surf.ini" has a non-zero exist flag, for "fn", "bs", "zn" and "ze" the
// final name when its final flag is not 1 (number -1 ignores the state file), "ox" as it is,
// "ch" followed by the number, and any other kind as it is given.
void surfaceFilePath(char* path, size_t size, const char* kind, const char* namePart, int number);

// Replaces what follows the file name's last '.' with extension, or appends "." and extension
// when the name (after the last '\' or '/') has no '.'. Returns a pointer to the extension in the
// buffer (to its terminator when nothing of it fits).
char* changeExtension(char* path, size_t size, const char* extension);

template <size_t N> char* productIniName(char (&buffer)[N]) {
  return productIniName(buffer, N);
}
template <size_t N> int drawingBaseName(char (&buffer)[N]) {
  return drawingBaseName(buffer, N);
}
template <size_t N>
void readSurfaceState(const char* path, int* existFlag, int* finalFlag, char (&existName)[N],
                      char (&finalName)[N]) {
  readSurfaceState(path, existFlag, finalFlag, existName, finalName, N);
}
template <size_t N>
void surfaceFilePath(char (&path)[N], const char* kind, const char* namePart, int number) {
  surfaceFilePath(path, N, kind, namePart, number);
}
template <size_t N> char* changeExtension(char (&path)[N], const char* extension) {
  return changeExtension(path, N, extension);
}

} // namespace qv

// The drawing's project file: a text file beside a named drawing (its name with the extension
// "ini") that remembers the data files used with it, newest first, as "PROJECT=" lines with the
// full path upper-cased. Other lines belong to the family's commands and are kept as they are.
#pragma once

#include <cstddef>
#include <string>

namespace qv {

// The project file's path for the current drawing; false for an unnamed drawing (DWGTITLED 0,
// or a name containing "DRAWING.DWG" in any case), which has none.
bool projectFilePath(std::string& path);

// The folder (upper case, with its final '\') of the first line of the project file that names a
// file with the extension and holds an '='; the empty text when there is none. A value without a
// '\' gives the empty text.
void projectFileFolder(const char* extension, char* folder, size_t size);
template <size_t N> void projectFileFolder(const char* extension, char (&folder)[N]) {
  projectFileFolder(extension, folder, N);
}

// Puts "PROJECT=" and the upper-cased path at the top of the project file, with every other line
// kept below it in its order (a missing file is made with that line alone). The lines kept are
// also written to "temp.txt" in the user folder. The project file is replaced whole and at once;
// one that exists but cannot be read is left alone. Nothing happens for an unnamed drawing.
void recordProjectFile(const char* path);

} // namespace qv

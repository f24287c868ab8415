// Text entries of the drawing storage read whole, for the settings that keep values there.
#pragma once

#include <string>

namespace qv::settingsfile {

// The whole text of the text entry at keyPath (default root dictionary). False, with text empty,
// when the entry is missing or holds no text; the storage's warning then goes to the command
// line as readStorageText gives it. Throws std::bad_alloc.
bool readStorageWhole(const char* keyPath, std::string& text);

} // namespace qv::settingsfile

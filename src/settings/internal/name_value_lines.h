// The "name=value" lines of a settings file, read whole, for the property files' readers.
#pragma once

#include <functional>

namespace qv::settingsfile {

enum class LinesRead {
  Whole,   // read to its end
  Missing, // no such file or folder: no lines
  Failed,  // there, but it could not be opened or read to its end, or memory ran out
};

// Hands each line of the file that holds an '=' to take, cut at its first '=' (lines without one
// are skipped); the texts live until take returns. A std::bad_alloc from take ends the reading
// as Failed.
LinesRead readNameValueLines(const char* path,
                             const std::function<void(const char* name, const char* value)>& take);

} // namespace qv::settingsfile

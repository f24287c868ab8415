// The "date" field of the file-selection records: a time as the runtime's ctime prints it.
#pragma once

#include <cstdint>
#include <string>

namespace qv::getfile {

// ctime of seconds since 1 January 1970, without its trailing spaces, carriage returns and
// newlines; the empty text for a time the runtime cannot print (before 1970 among others).
std::string dateText(int64_t seconds);

// True when the extension list (extensions without dots joined by ";") holds extension, compared
// without regard to case.
bool listHolds(const char* extensions, const char* extension);

} // namespace qv::getfile

// One value of a name=value property file, read or set without a table of defaults: the services
// behind the module's AutoLISP functions for property files.
#pragma once

#include <string>

namespace qv {

// The value of name (matched without regard to case; the last line of that name wins) in the
// property file at path: 1 with value set, 0 when the file or the name is missing or the file
// cannot be read to its end (value untouched). Never writes the file.
int readPropertyValue(const char* path, const char* name, std::string& value);

// Whether name=value makes one line of a property file that reads back as the same name and
// value: a name not empty and without "=", neither text with a line break.
bool isPropertyLine(const char* name, const char* value);

// Sets name to value in the property file at path and saves it, keeping every other name the
// file holds (one line per name, in the order of the file, a new name last; lines without "="
// are dropped, as every save of a property file drops them). A missing file is made. 1 when the
// file holds the value; 0 when the pair makes no property line (isPropertyLine), the file exists
// but cannot be read to its end, or the new file could not be written whole (the old one then
// stays).
int writePropertyValue(const char* path, const char* name, const char* value);

} // namespace qv

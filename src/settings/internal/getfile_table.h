// "getfile.xml" in the user folder: its path, and reading it for an update.
#pragma once

#include <string>

#include "records/uni_interfaces.h"

namespace qv::getfile {

// Refreshes userFolder from usrdir$ (when that holds a text) and answers userFolder +
// "getfile.xml"; the empty text while the user folder is unknown.
std::string filePath();

// The tables of the file, to be changed and written back: a new empty table when the file is
// missing or empty. Null when a file that exists cannot be read (it is then left alone) or memory
// ran out. The caller releases the chain with releaseChain.
IQvUniTable* readForUpdate(const std::string& path);

// Appends a new record with the id and the field "path" = folder at the end of the table's
// records. False when memory ran out.
bool appendPathRecord(IQvUniTable* table, const char* id, const char* folder);

} // namespace qv::getfile

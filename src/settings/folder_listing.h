// One folder of the family's file-selection dialog as a chain of records, sorted by name, and the
// conversion of Windows file times.
#pragma once

#include <cstdint>

#include "records/uni_interfaces.h"

namespace qv {

// Seconds since 1 January 1970 of a Windows file time (100 ns steps since 1601), computed in
// double precision and truncated.
int64_t fileTimeToSeconds(uint32_t low, uint32_t high);

// Lists the files and sub-folders of folder ("." and ".." passed over) into *list, a new chain
// the caller releases with releaseChain, in ascending order of names without regard to case
// (equal names in the order found). A file record: id = its name, "path" = folder as given,
// "date" = its last write as ctime prints it (empty when that cannot be printed), "size" = "%d"
// of the low 32 bits of its size. A folder record: id = its name, "path" = folder, "dir" = "1".
// Files are listed only when their extension is in extensions (";"-separated, without dots, case
// ignored), unless extensions is null, empty or starts with '*'; folders always. *list is null
// when nothing was found. Returns 1, or 0 when memory ran out (*list then holds nothing).
int listFolder(const char* extensions, const char* folder, IQvUniRecord** list);

} // namespace qv

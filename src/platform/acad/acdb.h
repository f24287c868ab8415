// Enumerations of the host's drawing database, with the host's values.
#pragma once

namespace AcDb {

// How an object is opened: several readers at once, or one writer alone.
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

} // namespace AcDb

#define ACDB_MODEL_SPACE "*Model_Space"
#define ACDB_PAPER_SPACE "*Paper_Space"

// Settings and small data kept inside the drawing: entries of result-buffer lists under a root
// dictionary of the named-object dictionary ("QVAN_XML" unless a caller names another).
//
// A key path such as "Settings\Survey\units" names folders (nested dictionaries) and, after the
// last backslash, an entry (an Xrecord). Keys match without regard to case, as the host's
// dictionaries match them. Every call opens what it needs in the working database and closes it
// before it returns; the root name, last, may be null for "QVAN_XML".
#pragma once

#include <cstddef>

#include "platform/acad/adsdef.h"
#include "platform/acad/dbdict.h"

namespace qv {

// The root dictionary used when a caller names none.
inline constexpr const char* kStorageRoot = "QVAN_XML";

// Opens the folder that holds the path's entry: for reading when readOnly is non-zero, else for
// writing, creating missing folders. Null when a folder is missing (read mode), when an entry of
// a folder's name is not a dictionary, or when the host refuses a step. The caller closes it.
AcDbDictionary* openStorageFolder(const char* keyPath, const char* rootName, int readOnly);

// Removes the path's entry (its folder is created when missing, and stays). 1 when the host
// removed it, 0 otherwise.
int removeStorageEntry(const char* keyPath, const char* rootName);

// The names of the sub-folders of a folder (a trailing backslash on the path is optional), as a
// new list of RTSTR items that the caller releases with acutRelRb; entries that are not folders
// are left out. Null for an empty path, a missing folder or a folder with no sub-folder, or when
// the host refuses a step.
resbuf* listStorageFolders(const char* folderPath, const char* rootName);

// Stores a copy of list (null: no values) as the path's entry, replacing any entry of that name.
// When the host refuses the list, the alert "Failed!" shows and the old entry stays as it was.
void writeStorageEntry(const char* keyPath, const resbuf* list, const char* rootName);

// A new copy of the list of the path's entry, released by the caller with acutRelRb; null when
// the entry is missing or is not an Xrecord.
resbuf* readStorageEntry(const char* keyPath, const char* rootName);

// Stores text (null: the empty text) as a text entry: a list of one group-1 item.
void writeStorageText(const char* keyPath, const char* text, const char* rootName);

// Reads a text entry into buffer, cut to size - 1 characters; the buffer is the empty text when
// the entry is missing (with a warning on the command line) or holds no text (another warning).
// A null buffer or a size below 1 writes nothing.
void readStorageText(const char* keyPath, char* buffer, int size, const char* rootName);

// Cuts a key path at its last backslash into the folder part and the entry name (no backslash:
// an empty folder part and the whole path as the entry). Each output, when not null, gets at most
// its size - 1 characters and a NUL. 1 when both parts fitted, 0 when one was cut.
int splitKeyPath(const char* keyPath, char* folderPart, size_t folderSize, char* entryName,
                 size_t entrySize);

} // namespace qv

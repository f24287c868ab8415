// The per-user file "getfile.xml" of the family's file-selection dialog: the last folder used for
// each file extension and the user's favourite folders, as a record table.
#pragma once

namespace qv {

// Records the folder of filePath (up to its last '\' or '/', empty when none) under the file's
// extension (compared without regard to case; no extension is the empty id): the record of that
// extension gets the folder, or a new one is appended. 1 when "getfile.xml" was written; 0 for a
// null path, while the user folder is unknown, when an existing file cannot be read (it is left
// as it is), memory runs out, or the write fails.
int rememberFolder(const char* filePath);

// Adds (remove 0) or removes (remove non-zero) the favourite folder, compared without regard to
// case. Adding one that is there or removing one that is not changes nothing but still rewrites
// the file. Answers as rememberFolder does.
int setFavorite(const char* folder, int remove);

} // namespace qv

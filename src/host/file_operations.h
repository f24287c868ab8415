// Plain file operations on Windows paths: folder and path checks, backups, copies and a file's
// time stamp.
#pragma once

#include <cstddef>

namespace qv {

// 1 when the path names an existing folder, else 0.
int isDirectory(const char* path);

// 1 when the path text is acceptable where a user types a folder or file: the empty text; an
// absolute path (a leading separator, or a drive) that names an existing folder once its last
// character is cut (so a folder is written with its final separator); a relative path that looks
// like a file (a separator, a '.', no final separator) and exists; any other relative text.
// Else 0.
int validatePathText(const char* path);

// Changes path in place (a buffer of size bytes) to its backup name, its extension (after the
// name's last '.') replaced by "bak" or ".bak" appended, and deletes that file. Nothing is
// changed or deleted when the backup name does not fit.
void deleteBackupOf(char* path, size_t size);
template <size_t N> void deleteBackupOf(char (&path)[N]) {
  deleteBackupOf(path, N);
}

// Copies the file's bytes as they are to target (made anew). 0 when both name the same file
// (compared without regard to case, '/' and '\' alike), when either cannot be opened, or when a
// read, a write or the close fails (what was written stays); else 1.
int copyFile(const char* source, const char* target);

// The file's last write in local time as the number yyyymmddhhmm (200511211530.0); 0.0 when the
// file cannot be opened.
double fileTimeStamp(const char* path);

} // namespace qv

// The C runtime's stream opening and file removal, as Windows' stdio.h declares them.
// Streams are the standard FILE: fgets, fputs, fprintf, fread, fwrite, fclose, feof and ferror
// work on them as usual, in Windows' text mode unless the mode asks for "b".
#pragma once

#include <cstdio>

#include "platform/win/share.h"

typedef int errno_t;

// Opens a file with Windows' mode letters ("r", "w", "a", "r+", "w+", "a+", each with an optional
// "t" or "b"; text mode unless "b") and sharing mode (_SH_DENYNO, _SH_DENYWR, ...; see share.h).
// The path is a Windows path (drive letters, either separator, names found without regard to
// case). Text mode writes "\n" as CR LF and reads CR LF or a bare LF as "\n"; a Ctrl-Z ends the
// data read. Returns the stream, or null with errno and GetLastError() set: a missing file or
// folder (ENOENT, ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND), a sharing conflict with a stream
// still open (EACCES, ERROR_SHARING_VIOLATION), a folder or a read-only file opened for writing
// (EACCES, ERROR_ACCESS_DENIED), a bad mode or sharing value or a null argument (EINVAL).
// fopen itself is _fsopen with _SH_DENYNO. Can be made to fail with sim::failCall("fopen").
FILE* _fsopen(const char* filename, const char* mode, int shflag);

// Opens as _fsopen with the secure sharing of fopen_s (_SH_SECURE) and stores the stream in
// *file (null on failure). Returns 0 or the errno value; EINVAL when file, filename or mode is
// null.
errno_t fopen_s(FILE** file, const char* filename, const char* mode);

// Deletes a file (what the runtime's remove and _unlink do). Returns 0, or -1 with errno:
// ENOENT when it is missing, EACCES when it is a folder, read-only or still open.
// Can be made to fail with sim::failCall("_unlink").
int _unlink(const char* filename);

// Windows' file and folder calls, as fileapi.h and winbase.h declare them. Paths are Windows paths:
// drive letters mapped by the stand-in, either separator, names found without regard to case.
#pragma once

#include "platform/win/windef.h"

#ifndef _FILETIME_
#define _FILETIME_
// 100-nanosecond intervals since 1601-01-01 UTC.
typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;
#endif

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(-1))

#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008

typedef struct _WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
} WIN32_FIND_DATAA, *PWIN32_FIND_DATAA, *LPWIN32_FIND_DATAA;

// Starts a search of one folder. The last component of fileName is a pattern: "*" matches any
// run of characters, "?" any one, letters match without regard to case, "*.*" matches every name
// and a trailing "." matches names without an extension. Entries come in name order, "." and
// ".." first for a folder below a root. Returns a search handle and fills *findData with the first
// match, or INVALID_HANDLE_VALUE with GetLastError() ERROR_FILE_NOT_FOUND (nothing matches, or the
// pattern is empty), ERROR_PATH_NOT_FOUND (no such folder) or ERROR_INVALID_PARAMETER (null).
HANDLE FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData);
// Fills *findData with the next match: TRUE, or FALSE with ERROR_NO_MORE_FILES at the end and
// ERROR_INVALID_HANDLE for a handle that is not an open search.
BOOL FindNextFileA(HANDLE findFile, LPWIN32_FIND_DATAA findData);
// Ends a search: TRUE, or FALSE with ERROR_INVALID_HANDLE for a handle that is not an open search.
BOOL FindClose(HANDLE findFile);

// The attributes of a file or folder (FILE_ATTRIBUTE_*), or INVALID_FILE_ATTRIBUTES with
// ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND.
DWORD GetFileAttributesA(LPCSTR fileName);

// Deletes a file: TRUE, or FALSE with ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
// ERROR_ACCESS_DENIED (a folder or a read-only file) or ERROR_SHARING_VIOLATION (still open).
BOOL DeleteFileA(LPCSTR fileName);

// Renames or moves a file or folder. An existing target is replaced only with
// MOVEFILE_REPLACE_EXISTING (else ERROR_ALREADY_EXISTS); a target that is a folder, read-only or
// open gives ERROR_ACCESS_DENIED; a source still open gives ERROR_SHARING_VIOLATION; a missing
// source ERROR_FILE_NOT_FOUND. A name that differs only in case renames the file to that case.
// The replacement is atomic: the target is either the old file or the whole new one.
BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
// MoveFileExA with no flags.
BOOL MoveFileA(LPCSTR existingFileName, LPCSTR newFileName);

// Creates a folder: TRUE, or FALSE with ERROR_ALREADY_EXISTS or ERROR_PATH_NOT_FOUND. The
// security attributes are ignored, as on a file system without them.
BOOL CreateDirectoryA(LPCSTR pathName, void* securityAttributes);
// Removes an empty folder: TRUE, or FALSE with ERROR_FILE_NOT_FOUND, ERROR_DIR_NOT_EMPTY or
// ERROR_DIRECTORY (not a folder).
BOOL RemoveDirectoryA(LPCSTR pathName);

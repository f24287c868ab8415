// Windows' file and folder calls, as fileapi.h and winbase.h declare them. Paths are Windows paths:
// drive letters mapped by the stand-in, either separator, names found without regard to case.
#pragma once

#include "platform/win/minwinbase.h"
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

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define GENERIC_ALL 0x10000000u
#define FILE_READ_ATTRIBUTES 0x00000080
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000
#define INVALID_FILE_SIZE (static_cast<DWORD>(0xFFFFFFFF))

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

// Opens or creates a file (or, with FILE_FLAG_BACKUP_SEMANTICS, opens a folder) for the access
// (GENERIC_READ, GENERIC_WRITE, or 0 and FILE_READ_ATTRIBUTES for its facts only) with the sharing
// (FILE_SHARE_*) and the disposition (CREATE_NEW, CREATE_ALWAYS, OPEN_EXISTING, OPEN_ALWAYS,
// TRUNCATE_EXISTING). Returns a handle to close with CloseHandle, with GetLastError()
// ERROR_ALREADY_EXISTS when CREATE_ALWAYS or OPEN_ALWAYS found the file, else 0; or
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_FILE_EXISTS
// (CREATE_NEW), ERROR_ACCESS_DENIED (a folder, or a read-only file opened for writing),
// ERROR_SHARING_VIOLATION (refused by an open stream or handle) or ERROR_INVALID_PARAMETER.
// Security attributes and other flags are ignored; the template must be null.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
// The times of an open file or folder (creation is the host's last status change); each pointer
// may be null. FALSE with ERROR_INVALID_HANDLE for a handle that is not a file's.
BOOL GetFileTime(HANDLE file, LPFILETIME creationTime, LPFILETIME lastAccessTime,
                 LPFILETIME lastWriteTime);
// The low 32 bits of an open file's size, the high ones in *fileSizeHigh when not null; or
// INVALID_FILE_SIZE with ERROR_INVALID_HANDLE.
DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh);

// Turns a UTC file time into local file time with the time zone's present bias, daylight saving
// included, as Windows does (not the bias in force at that time). FALSE with
// ERROR_INVALID_PARAMETER for a null pointer or a result outside the file-time range.
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime);

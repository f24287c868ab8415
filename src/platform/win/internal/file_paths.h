// Internal to the stand-in's file layer: Windows paths resolved to host paths, host file facts,
// the table of open streams that sharing modes are checked against, and error translation.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/windef.h"

namespace sim::detail {

struct ResolvedPath {
  std::string host;         // the host path; empty when error is set
  DWORD error = 0;          // ERROR_* when the Windows path names no host path
  bool parentExists = true; // every folder above the last component exists
  int drive = -1;           // 0 for A: ... 25 for Z:, -1 without a drive letter
};

// Resolves a Windows path: a mapped drive letter or share, or a host path (a leading separator is
// the host's root, no separator the process's current folder); either separator; "." and ".."
// taken lexically; trailing dots and spaces of a name dropped; each existing component found
// without regard to case when the exact name is missing. Wildcards are allowed only in the last
// component, and only when allowWildcards.
ResolvedPath resolvePath(const char* windowsPath, bool allowWildcards = false);

struct HostStat {
  bool exists = false;
  bool isDir = false;
  bool readOnly = false;
  uint64_t size = 0;
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t accessNs = 0; // nanoseconds since 1970, UTC
  int64_t writeNs = 0;
  int64_t changeNs = 0;
};
HostStat hostStat(const std::string& hostPath);

// FILETIME value (100 ns since 1601) of a time in nanoseconds since 1970.
uint64_t fileTimeOf(int64_t unixNs);

// The Windows error of a failed host call's errno.
DWORD windowsErrorOf(int hostErrno, bool parentExists);
// The C runtime's errno for a Windows error.
int crtErrnoOf(DWORD windowsError);
// Sets GetLastError() and errno for a failed runtime call; returns -1 for convenience.
int failCrt(DWORD windowsError);

// Sharing: access bits are 1 read, 2 write; share bits 1 read, 2 write, 4 delete. Registers an
// open of the file (device, inode) unless it conflicts with one still open; returns its id, or 0
// on a conflict.
uint64_t registerOpen(uint64_t device, uint64_t inode, int access, int share);
void unregisterOpen(uint64_t id);
// True while some open of the file that does not share deletion is registered: the file cannot
// be deleted or renamed then.
bool isOpen(uint64_t device, uint64_t inode);

} // namespace sim::detail

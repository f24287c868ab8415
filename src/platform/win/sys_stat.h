// The C runtime's _stat, as Windows' sys/stat.h declares it (32-bit size, as on 32-bit Windows).
#pragma once

#include <cstdint>
#include <ctime>

#define _S_IFMT 0xF000
#define _S_IFDIR 0x4000
#define _S_IFCHR 0x2000
#define _S_IFREG 0x8000
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080
#define _S_IEXEC 0x0040

#pragma push_macro("st_atime")
#pragma push_macro("st_mtime")
#pragma push_macro("st_ctime")
#undef st_atime
#undef st_mtime
#undef st_ctime
struct _stat {
  uint32_t st_dev;  // drive number: 0 for A, 2 for C; 0 for a path without a drive
  uint16_t st_ino;  // always 0 on Windows
  uint16_t st_mode; // _S_IFDIR or _S_IFREG with _S_IREAD, _S_IWRITE, _S_IEXEC
  int16_t st_nlink; // always 1
  int16_t st_uid;   // always 0
  int16_t st_gid;   // always 0
  uint32_t st_rdev; // as st_dev
  int32_t st_size;  // bytes
  // Seconds since 1970, UTC. The host's <sys/stat.h> makes st_atime a macro for st_atim.tv_sec;
  // each time answers to both spellings, so code reads the same whichever header came first.
  union {
    time_t st_atime;
    struct {
      time_t tv_sec;
    } st_atim;
  };
  union {
    time_t st_mtime;
    struct {
      time_t tv_sec;
    } st_mtim;
  };
  union {
    time_t st_ctime;
    struct {
      time_t tv_sec;
    } st_ctim;
  };
};
#pragma pop_macro("st_ctime")
#pragma pop_macro("st_mtime")
#pragma pop_macro("st_atime")

// Fills *buffer with what Windows reports of a file or folder. Returns 0, or -1 with errno:
// ENOENT when it is missing (buffer untouched), EINVAL for a null argument, EOVERFLOW for a file
// of 2 GB or more. Can be made to fail with sim::failCall("_stat").
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow" // the runtime names the call after its struct
int _stat(const char* path, struct _stat* buffer);
#pragma GCC diagnostic pop

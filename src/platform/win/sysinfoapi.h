// The memory status of the system, as Windows' sysinfoapi.h declares it (SIZE_T fields, as the
// current SDK has them, so no value overflows on a large machine).
#pragma once

#include "platform/win/windef.h"

typedef struct _MEMORYSTATUS {
  DWORD dwLength;
  DWORD dwMemoryLoad;
  SIZE_T dwTotalPhys;
  SIZE_T dwAvailPhys;
  SIZE_T dwTotalPageFile;
  SIZE_T dwAvailPageFile;
  SIZE_T dwTotalVirtual;
  SIZE_T dwAvailVirtual;
} MEMORYSTATUS, *LPMEMORYSTATUS;

// Fills the record from the running system and sets dwLength itself: memory load in percent,
// physical memory, the commit limit and what is left of it (the page-file fields: their
// difference is the committed memory), and the process's address space. Null does nothing.
void GlobalMemoryStatus(LPMEMORYSTATUS buffer);

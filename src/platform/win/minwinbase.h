// Windows' base structures of the synchronization and process calls: security attributes and the
// critical section, laid out with the field names of the Windows SDK.
#pragma once

#include "platform/win/windef.h"

typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

// A critical section as the SDK declares it. The stand-in keeps its lock behind LockSemaphore
// (made by InitializeCriticalSection, freed by DeleteCriticalSection); the other fields are
// Windows' bookkeeping and stay zero here.
typedef struct _RTL_CRITICAL_SECTION {
  PVOID DebugInfo;
  LONG LockCount;
  LONG RecursionCount;
  HANDLE OwningThread;
  HANDLE LockSemaphore;
  ULONG_PTR SpinCount;
} CRITICAL_SECTION, *PCRITICAL_SECTION, *LPCRITICAL_SECTION;

#define STILL_ACTIVE 259

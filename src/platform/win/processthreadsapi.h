// Threads, their priorities and the access tokens of processes and threads, as Windows'
// processthreadsapi.h declares them.
#pragma once

#include "platform/win/minwinbase.h"
#include "platform/win/windef.h"

#define CREATE_SUSPENDED 0x00000004u
#define STACK_SIZE_PARAM_IS_A_RESERVATION 0x00010000u

#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF

// Pseudo-handles of the calling process and thread: valid only in the caller, never closed.
HANDLE GetCurrentProcess();
HANDLE GetCurrentThread();
// The calling thread's identifier: nonzero and unique among the threads of the process.
DWORD GetCurrentThreadId();

// Lowers the thread's suspend count by one; it runs when the count reaches 0. Answers the count
// before the call (0: the thread was already running), or (DWORD)-1 with ERROR_INVALID_HANDLE
// when the handle is not a thread.
DWORD ResumeThread(HANDLE thread);
// Sets the thread's priority to one of the THREAD_PRIORITY_ levels: FALSE with
// ERROR_INVALID_PARAMETER for another value, ERROR_INVALID_HANDLE for a handle that is not a
// thread. The stand-in keeps the level (GetThreadPriority reads it); its threads are scheduled
// by the host system as equals.
BOOL SetThreadPriority(HANDLE thread, int priority);
// The thread's priority level, or THREAD_PRIORITY_ERROR_RETURN with ERROR_INVALID_HANDLE.
int GetThreadPriority(HANDLE thread);
// The thread's exit code, STILL_ACTIVE while it runs; FALSE with ERROR_INVALID_HANDLE when the
// handle is not a thread.
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

// Opens the access token of the process (only the current process: ERROR_INVALID_HANDLE for any
// other handle) with the access asked for (TOKEN_QUERY to read it). The token answers from the
// user and groups the process runs as. FALSE on failure, with GetLastError set.
BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token);
// Opens the thread's impersonation token. Threads here never impersonate, so for a valid thread
// this answers FALSE with ERROR_NO_TOKEN, as Windows does for a thread without one; callers then
// open the process token. ERROR_INVALID_HANDLE when the handle is not a thread.
BOOL OpenThreadToken(HANDLE thread, DWORD desiredAccess, BOOL openAsSelf, PHANDLE token);

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

#define CREATE_NEW_CONSOLE 0x00000010u
#define NORMAL_PRIORITY_CLASS 0x00000020u
#define CREATE_NO_WINDOW 0x08000000u
#define STARTF_USESHOWWINDOW 0x00000001u
#define STARTF_USESTDHANDLES 0x00000100u

typedef struct _STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
} STARTUPINFOA, *LPSTARTUPINFOA;

typedef struct _PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
} PROCESS_INFORMATION, *PPROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// Starts a program. The program is applicationName, or else the first word of commandLine (in
// double quotes when it holds spaces); a name with a folder is a Windows path, a bare name is
// looked for in the current folder, then in the folders of PATH; ".exe" is tried after the name
// as given. The program gets commandLine split into arguments by the C runtime's rules (quotes
// group, backslashes escape only before a quote). currentDirectory (a Windows path, null: the
// caller's) is where it starts; environment, when given, is its whole environment
// ("NAME=value" texts each ended by a NUL, a NUL after the last). Window and console flags have
// no effect on a program without windows. TRUE with the process's and its first thread's handles
// in *processInformation (both to be closed with CloseHandle; the program runs on when they
// are); FALSE with ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
// ERROR_BAD_EXE_FORMAT, ERROR_DIRECTORY (no such starting folder), ERROR_INVALID_PARAMETER, or
// ERROR_NOT_SUPPORTED (CREATE_SUSPENDED or STARTF_USESTDHANDLES, which the stand-in does not give).
BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine,
                    LPSECURITY_ATTRIBUTES processAttributes, LPSECURITY_ATTRIBUTES threadAttributes,
                    BOOL inheritHandles, DWORD creationFlags, LPVOID environment,
                    LPCSTR currentDirectory, LPSTARTUPINFOA startupInfo,
                    LPPROCESS_INFORMATION processInformation);
// The exit code of a process (or its first thread) that ended, STILL_ACTIVE while it runs; a
// program killed by a signal gives 128 plus the signal's number, as the shell reports it. FALSE
// with ERROR_INVALID_HANDLE for a handle that is not a process's. WaitForSingleObject on either
// handle waits for the program to end.
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);

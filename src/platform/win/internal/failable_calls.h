// The Windows layer's calls that a test can make fail (sim::failCall), one row each: the id the
// stand-in code passes to shouldFail, and the name tests give. "fopen" stands for _fsopen and
// fopen_s; "fread" and "fwrite" for a stream's read from or write to disk, whichever call
// buffered it. A call that can fail is added here.
#pragma once

#define QV_WIN_FAILABLE_CALLS(X)                                                                   \
  X(fopen, "fopen")                                                                                \
  X(fread, "fread")                                                                                \
  X(fwrite, "fwrite")                                                                              \
  X(fclose, "fclose")                                                                              \
  X(_unlink, "_unlink")                                                                            \
  X(_stat, "_stat")                                                                                \
  X(_access, "_access")                                                                            \
  X(DeleteFileA, "DeleteFileA")                                                                    \
  X(MoveFileExA, "MoveFileExA")                                                                    \
  X(FindFirstFileA, "FindFirstFileA")                                                              \
  X(GetFileAttributesA, "GetFileAttributesA")                                                      \
  X(CreateFileA, "CreateFileA")                                                                    \
  X(CreateDirectoryA, "CreateDirectoryA")                                                          \
  X(RemoveDirectoryA, "RemoveDirectoryA")                                                          \
  X(GetDateFormatA, "GetDateFormatA")                                                              \
  X(WaitForSingleObject, "WaitForSingleObject")                                                    \
  X(CreateEventA, "CreateEventA")                                                                  \
  X(InitializeCriticalSectionAndSpinCount, "InitializeCriticalSectionAndSpinCount")                \
  X(_beginthreadex, "_beginthreadex")                                                              \
  X(ResumeThread, "ResumeThread")                                                                  \
  X(SetThreadPriority, "SetThreadPriority")                                                        \
  X(OpenProcessToken, "OpenProcessToken")                                                          \
  X(OpenThreadToken, "OpenThreadToken")                                                            \
  X(GetTokenInformation, "GetTokenInformation")                                                    \
  X(AllocateAndInitializeSid, "AllocateAndInitializeSid")                                          \
  X(CheckTokenMembership, "CheckTokenMembership")                                                  \
  X(RegOpenKeyExA, "RegOpenKeyExA")                                                                \
  X(RegCreateKeyExA, "RegCreateKeyExA")                                                            \
  X(RegQueryValueExA, "RegQueryValueExA")                                                          \
  X(RegSetValueExA, "RegSetValueExA")                                                              \
  X(RegDeleteValueA, "RegDeleteValueA")                                                            \
  X(RegDeleteKeyA, "RegDeleteKeyA")                                                                \
  X(RegCloseKey, "RegCloseKey")                                                                    \
  X(MessageBoxA, "MessageBoxA")                                                                    \
  X(GetOpenFileNameA, "GetOpenFileNameA")                                                          \
  X(GetSaveFileNameA, "GetSaveFileNameA")                                                          \
  X(ExpandEnvironmentStringsA, "ExpandEnvironmentStringsA")                                        \
  X(CreateProcessA, "CreateProcessA")                                                              \
  X(GetFileTime, "GetFileTime")                                                                    \
  X(GetClientRect, "GetClientRect")

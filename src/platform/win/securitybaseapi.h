// Reading access tokens and working with SIDs, as Windows' securitybaseapi.h declares them.
// Tokens answer from the user and groups the process runs as: the user is S-1-22-1-<uid>, its
// groups S-1-22-2-<gid>, with Everyone (S-1-1-0), Users (S-1-5-32-545) and, for a user who
// administers this system (root, or a member of sudo, wheel or admin), Administrators
// (S-1-5-32-544). sim::setAdministrator overrides that last answer for tests.
#pragma once

#include "platform/win/windef.h"
#include "platform/win/winnt.h"

// Copies the token's TokenUser or TokenGroups record (the structure, then the SIDs it points to)
// into the buffer and sets *returnLength to the size it needs. FALSE with
// ERROR_INSUFFICIENT_BUFFER when length is smaller (the size still goes to *returnLength),
// ERROR_ACCESS_DENIED when the token was not opened with TOKEN_QUERY, ERROR_INVALID_HANDLE when
// the handle is not a token, ERROR_INVALID_PARAMETER for a null returnLength or another class.
BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS informationClass, LPVOID information,
                         DWORD length, PDWORD returnLength);

// Makes a SID of the authority and the first count sub-authorities (count at most 8); free it
// with FreeSid. FALSE with ERROR_INVALID_PARAMETER for a count above 8 or a null argument,
// ERROR_NOT_ENOUGH_MEMORY when no memory is left.
BOOL AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD subAuthority0,
                              DWORD subAuthority1, DWORD subAuthority2, DWORD subAuthority3,
                              DWORD subAuthority4, DWORD subAuthority5, DWORD subAuthority6,
                              DWORD subAuthority7, PSID* sid);
// Frees a SID of AllocateAndInitializeSid; answers null. Null does nothing.
PVOID FreeSid(PSID sid);
// TRUE when the SID has revision 1 and at most 15 sub-authorities.
BOOL IsValidSid(PSID sid);
// The SID's length in bytes; 0 for an invalid SID.
DWORD GetLengthSid(PSID sid);
// TRUE when both SIDs are valid and equal; FALSE otherwise (ERROR_INVALID_SID when one is not a
// valid SID).
BOOL EqualSid(PSID sid1, PSID sid2);
// Sets *isMember to whether the SID is an enabled group of the token. A null token stands for
// the calling thread's own (here the process's); a token handle must be an impersonation token,
// so a process token fails with ERROR_NO_IMPERSONATION_TOKEN, as on Windows. FALSE with
// ERROR_INVALID_PARAMETER for a null SID or isMember.
BOOL CheckTokenMembership(HANDLE token, PSID sid, PBOOL isMember);

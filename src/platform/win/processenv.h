// The process's environment, as Windows' processenv.h declares it.
#pragma once

#include "platform/win/windef.h"

// Copies src into dst with each "%NAME%" replaced by the environment variable's value (names
// without regard to case; an unknown name and a lone '%' stay as written). Answers the size of
// the result in characters with its NUL; when that is more than nSize, dst holds nothing useful
// and the caller asks again with a larger buffer. 0 on failure, with GetLastError set
// (ERROR_INVALID_PARAMETER for a null src, or a null dst with a size).
DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize);

// Windows' per-thread last error, as errhandlingapi.h declares it (windows.h declares it too).
#pragma once

#include "platform/win/windef.h"
#include "platform/win/winerror.h"

DWORD GetLastError();
void SetLastError(DWORD error);

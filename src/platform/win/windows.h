// The Windows calls that the library makes, declared as the Windows SDK declares them.
// Each group of calls has a header of its own, included here.
#pragma once

#include "platform/win/minwinbase.h"
#include "platform/win/sysinfoapi.h"
#include "platform/win/windef.h"
#include "platform/win/winerror.h"
#include "platform/win/winnls.h"

// Thread-local last error of the calling thread (GetLastError/SetLastError).
DWORD GetLastError();
void SetLastError(DWORD error);

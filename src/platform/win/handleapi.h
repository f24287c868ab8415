// Closing kernel-object handles (events, threads, tokens), as Windows' handleapi.h declares it.
#pragma once

#include "platform/win/windef.h"

// Closes a handle; the object goes when its last handle is closed and nothing else uses it (a
// running thread keeps its own). FALSE with ERROR_INVALID_HANDLE for a handle that is unknown
// or already closed. Closing the pseudo-handles of GetCurrentProcess/GetCurrentThread does
// nothing and answers TRUE, as on Windows.
BOOL CloseHandle(HANDLE object);

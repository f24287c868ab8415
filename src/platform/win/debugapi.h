// The debugger output, as Windows' debugapi.h declares it.
#pragma once

#include "platform/win/windef.h"

// Sends the text to the debugger. The stand-in keeps it for sim::debugOutput(), and also writes
// it to standard error when the environment variable QV_DEBUG_OUTPUT is "stderr". Null does
// nothing.
void OutputDebugStringA(LPCSTR text);

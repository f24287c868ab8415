// Starting threads through the C runtime library, as Microsoft's process.h declares it.
#pragma once

#include <cstdint>

#include "platform/win/windef.h"

// Starts start(argument) on a new thread and answers its handle (close it with CloseHandle), or
// 0 with errno set (EINVAL for a null routine or an unknown flag, EAGAIN when no thread can be
// made). initFlag 0 runs it at once; CREATE_SUSPENDED holds it until ResumeThread brings its
// suspend count to 0. The thread's identifier goes to *threadId when that is not null. The
// stand-in's threads take the host system's default stack, which is at least as large as any
// size asked for here; security is accepted and not used, as the handle is never inherited.
uintptr_t _beginthreadex(void* security, unsigned stackSize, unsigned(__stdcall* start)(void*),
                         void* argument, unsigned initFlag, unsigned* threadId);

// Critical sections, events and waiting, as Windows' synchapi.h declares them.
#pragma once

#include "platform/win/minwinbase.h"
#include "platform/win/windef.h"

#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 258u
#define WAIT_FAILED 0xFFFFFFFFu

// ---- Critical sections: recursive for the owning thread; must be initialized before use and
// deleted after. Leaving a section the caller does not own is undefined, as on Windows.

// Makes the section ready (cannot report a failure, as on Windows).
void InitializeCriticalSection(LPCRITICAL_SECTION section);
// As InitializeCriticalSection, with a spin count; FALSE with ERROR_NOT_ENOUGH_MEMORY when the
// system cannot make the lock (the section is then not initialized).
BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount);
// Frees what the section holds; it must not be owned. Null does nothing.
void DeleteCriticalSection(LPCRITICAL_SECTION section);
// Waits until the calling thread owns the section; an owner re-enters at once.
void EnterCriticalSection(LPCRITICAL_SECTION section);
// Enters without waiting: nonzero when the caller now owns the section (or already did).
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
// Leaves once; the section is free when every enter of its owner has been left.
void LeaveCriticalSection(LPCRITICAL_SECTION section);

// ---- Events

// Makes an event: manual-reset (stays signalled until ResetEvent) or auto-reset (one released
// wait clears it), signalled or not at first. A name shares the event between callers: a second
// creation with the same name opens the first one and sets ERROR_ALREADY_EXISTS. Null on
// failure (GetLastError tells why).
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState,
                    LPCSTR name);
// Signals the event: an auto-reset event releases one waiter, or stays signalled until the next
// wait when nobody waits. FALSE with ERROR_INVALID_HANDLE when the handle is not an event.
BOOL SetEvent(HANDLE event);
// Clears the event. FALSE with ERROR_INVALID_HANDLE when the handle is not an event.
BOOL ResetEvent(HANDLE event);

// Waits until the object is signalled (an event is set, a thread has ended) or the time-out in
// milliseconds passes (INFINITE: no time-out; 0: only looks). WAIT_OBJECT_0 or WAIT_TIMEOUT;
// WAIT_FAILED with ERROR_INVALID_HANDLE for a closed, unknown or unwaitable handle (a token, a
// pseudo-handle).
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);

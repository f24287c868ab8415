// Windows' window calls the library makes: the active window and window captions. The host's
// main window is always there; each dialog the host shows is a window above it, the active one.
#pragma once

#include "platform/win/windef.h"

// The active window: the dialog made last, or the host's main window.
HWND GetActiveWindow(void);
// Sets a window's caption; FALSE with GetLastError() ERROR_INVALID_WINDOW_HANDLE for a window
// that is not there, or a null text.
BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString);
// Copies a window's caption, cut to nMaxCount - 1 bytes and ended by a null; the bytes copied.
// 0 for a window that is not there (ERROR_INVALID_WINDOW_HANDLE) or a buffer that holds nothing.
int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);

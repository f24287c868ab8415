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
// The window's client area: left and top 0, right and bottom its width and height in pixels.
// FALSE with GetLastError() ERROR_INVALID_WINDOW_HANDLE for a window that is not there, or
// ERROR_INVALID_PARAMETER for a null rectangle.
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);

typedef uintptr_t UINT_PTR;
typedef intptr_t LRESULT;

// Window messages that dialog hook procedures receive.
#define WM_INITDIALOG 0x0110
#define WM_NOTIFY 0x004E

// The header of a WM_NOTIFY message (lParam points to it, or to a larger structure that starts
// with it).
typedef struct tagNMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
} NMHDR, *LPNMHDR;

// MessageBoxA: the buttons (low four bits), the icon and the default button.
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_CANCELTRYCONTINUE 0x00000006u
#define MB_ICONHAND 0x00000010u
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_APPLMODAL 0x00000000u
#define MB_SYSTEMMODAL 0x00001000u
#define MB_TASKMODAL 0x00002000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_TOPMOST 0x00040000u

// MessageBoxA's answers: the button the person pressed.
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDTRYAGAIN 10
#define IDCONTINUE 11

// Shows a modal message box with the text, the caption (null: "Error") and the buttons and icon
// of type, owned by hWnd (null: no owner). Answers the button pressed (IDOK, IDYES, ...). ESC
// answers IDCANCEL on a box with a Cancel button and IDOK on an OK-only box; a box without either
// cannot be cancelled. 0 on failure: ERROR_INVALID_WINDOW_HANDLE for an owner that is not a
// window, ERROR_INVALID_PARAMETER for an unknown set of buttons.
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

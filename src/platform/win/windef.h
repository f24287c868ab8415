// Windows' basic types and constants, with the sizes of 32-bit Windows: LONG and DWORD are 32-bit.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef unsigned int UINT;
typedef size_t SIZE_T;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef LONG* PLONG;
typedef DWORD* PDWORD;
typedef BOOL* PBOOL;
typedef void* PVOID;
typedef uintptr_t ULONG_PTR;
typedef void* HANDLE;
typedef HANDLE* PHANDLE;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HINSTANCE;
typedef DWORD LCID;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;

// A rectangle in pixels: left and top inside it, right and bottom just past it.
typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *LPRECT;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define MAX_PATH 260
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))
#define INFINITE 0xFFFFFFFFu

// 32-bit Windows calls its API with the callee popping the arguments; one convention here.
#define __stdcall
#define WINAPI __stdcall
#define CALLBACK
#define APIENTRY

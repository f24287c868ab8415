// Windows' common file dialogs, as commdlg.h and cderr.h declare them: GetOpenFileNameA,
// GetSaveFileNameA and CommDlgExtendedError. The person's choice comes from the queue of the
// user's answers (an Answer::fileName, or a cancel); the question is logged with the call's name,
// the title as prompt, the file offered first as default, the filter with its NULs shown as '|'
// and the OFN_ flags.
#pragma once

#include "platform/win/windef.h"
#include "platform/win/winuser.h"

typedef UINT_PTR(CALLBACK* LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagOFNA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter; // pairs of description and pattern list, each ended by a NUL; a NUL ends all
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPSTR lpstrFile; // in: the name offered; out: the full path chosen
  DWORD nMaxFile;  // the size of lpstrFile in characters
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;    // out: where the name starts in lpstrFile
  WORD nFileExtension; // out: where the extension starts, 0 without one
  LPCSTR lpstrDefExt;  // appended (after a '.') to a name typed without an extension
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
} OPENFILENAMEA, *LPOPENFILENAMEA;

// The structure's size without the fields added in Windows 2000, which older programs pass.
#define OPENFILENAME_SIZE_VERSION_400A (offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR))

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLEINCLUDENOTIFY 0x00400000
#define OFN_ENABLESIZING 0x00800000

// The notifications an Explorer-style hook receives through WM_NOTIFY, lParam an OFNOTIFYA.
#define CDN_FIRST (0u - 601u)
#define CDN_INITDONE (CDN_FIRST - 0x0000u)
#define CDN_SELCHANGE (CDN_FIRST - 0x0001u)
#define CDN_FOLDERCHANGE (CDN_FIRST - 0x0002u)
#define CDN_SHAREVIOLATION (CDN_FIRST - 0x0003u)
#define CDN_HELP (CDN_FIRST - 0x0004u)
#define CDN_FILEOK (CDN_FIRST - 0x0005u)
#define CDN_TYPECHANGE (CDN_FIRST - 0x0006u)

typedef struct _OFNOTIFYA {
  NMHDR hdr;
  LPOPENFILENAMEA lpOFN;
  LPSTR pszFile;
} OFNOTIFYA, *LPOFNOTIFYA;

// CommDlgExtendedError's codes (cderr.h).
#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOHOOK 0x000B
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003

// Shows the Open dialog. The hook (OFN_ENABLEHOOK) is called as Windows calls an Explorer-style
// hook: WM_INITDIALOG with the structure's address as lParam, then WM_NOTIFY with CDN_INITDONE,
// and CDN_FILEOK once the chosen path is in lpstrFile. A name chosen without a folder lies in the
// folder of the file offered, else in lpstrInitialDir; lpstrDefExt is added to a name without an
// extension. With OFN_FILEMUSTEXIST (or OFN_PATHMUSTEXIST) a choice that does not exist is refused
// and the person chooses again. Answers nonzero when the person chose a file, with its full path
// in lpstrFile, nFileOffset and nFileExtension set and the name in lpstrFileTitle when given. 0
// when the person cancelled (CommDlgExtendedError 0) or on an error: CDERR_STRUCTSIZE,
// CDERR_INITIALIZATION (no file buffer), CDERR_NOHOOK (OFN_ENABLEHOOK without a hook),
// FNERR_BUFFERTOOSMALL (the path does not fit in nMaxFile characters; the first two bytes of
// lpstrFile then hold the size needed) or CDERR_DIALOGFAILURE.
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
// Shows the Save As dialog, as GetOpenFileNameA; with OFN_OVERWRITEPROMPT an existing file is
// confirmed with a Yes/No box ("<path> already exists.\nDo you want to replace it?"), whose answer
// is the next queued button, No going back to the dialog.
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);
// The error of the calling thread's last file dialog: 0 after a choice or a cancel.
DWORD CommDlgExtendedError(void);

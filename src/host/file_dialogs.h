// The family's file dialogs. The result is a resbuf of the caller's whose string either points
// to a buffer of at least MAX_PATH bytes (the chosen path is copied into it, cut to fit) or is
// null (a new host string is then allocated with acad_malloc, which the caller frees). Its type
// becomes RTSTR, or 1000 when the family's dialog reports a new file.
#pragma once

#include "platform/acad/adsdef.h"
#include "platform/win/windef.h"

namespace qv {

// The type of a result that names a file the user asked to be made.
constexpr short kNewFileResult = 1000;

// The family's LISP dialog "cf:getfiled" when it is there (the symbol "qvan_new_file" tells a new
// file), else getFileLocal with the same arguments. RTNORM, RTCAN, or the local route's status.
int getFile(const char* title, const char* defaultPath, const char* extensions, int flags,
            resbuf* result);
// The host's dialog (acedGetFileD) for one extension, a wildcard or any flags, else the system's
// open dialog; the default names the folder of the extension's last use from the project file
// when it names no particular file. A new file (flag 1) that exists is confirmed with a Yes/No
// box, No opening the dialog again on it. The choice is recorded in the project file unless the
// AutoLISP symbol "do_ini" is the integer 0.
int getFileLocal(const char* title, const char* defaultPath, const char* extensions, int flags,
                 resbuf* result);
// The system's open (mode 0) or save (any other mode) dialog with one filter entry of every
// extension (open) or one entry per extension (save); the last extension is the default one. Flag
// 32 leaves out the overwrite prompt. RTNORM, or RTCAN (an error of the dialog is shown with its
// code).
int systemFileDialog(const char* title, const char* defaultPath, const char* extensions, int mode,
                     resbuf* result, HWND owner);

} // namespace qv

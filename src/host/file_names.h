// File names and paths as texts: their parts, the 8.3 and forbidden-character rules, and the
// joining of a relative path to a base folder. Windows' rules: '\' is the separator ('/' is
// taken as one too), drive letters, network paths "\\server\share".
//
// Outputs are the caller's buffers of size bytes (the template forms take the array's size);
// every output is cut to fit and always ends with its terminator.
#pragma once

#include <cstddef>

namespace qv {

// The text after the name's last '.', or the empty text (a '.' in a folder name is no
// extension: "C:\JOBS.2024\SITE" has none).
void fileExtension(const char* path, char* output, size_t size);
// The text after the last '\' or '/', or the whole path.
void fileNamePart(const char* path, char* output, size_t size);
// The path up to and including its last '\' or '/', or the empty text.
void folderPart(const char* path, char* output, size_t size);

// 1 when the name part is an 8.3 name: at most 8 characters, then optionally one '.' and at
// most 3 more; each a letter, a digit or one of ~ _ # ^ $ % - @. Else 0 (an empty name too).
int isShortFileName(const char* path);

// Trims the name in place (spaces, tabs and line ends at both ends); 1 when it is then empty or
// holds one of < > / \ " : ? | , = ` ~ *, else 0.
int hasForbiddenChars(char* name);
// Trims the name in place; 0 when it is then empty, else replaces each forbidden character by '_'
// and answers 1.
int replaceForbiddenChars(char* name);

// Turns every '/' into '\' in place; the path's length.
size_t slashesToBackslashes(char* path);

// Joins relative to the base folder (first rule that applies): a base shorter than 2 characters,
// a relative path with a drive ("C:", "C:\..."), or a network path ("\\server\...", less a final
// '\') is taken as it is; a rooted path ("\x") goes on the base's drive, or on its server and share
// (a network base without a separator after its share is kept whole); ".." climbs one folder of
// the base (its final separator ignored; a base without a separator to cut at keeps only its
// drive) and adds the rest of relative; "." and anything else add to the base with a '\' between.
// Every result loses one final '\'. "C:\A\B" and "..\X" give "C:\A\\X", which Windows reads as
// "C:\A\X".
void resolvePath(const char* base, const char* relative, char* output, size_t size);

template <size_t N> void fileExtension(const char* path, char (&output)[N]) {
  fileExtension(path, output, N);
}
template <size_t N> void fileNamePart(const char* path, char (&output)[N]) {
  fileNamePart(path, output, N);
}
template <size_t N> void folderPart(const char* path, char (&output)[N]) {
  folderPart(path, output, N);
}
template <size_t N> void resolvePath(const char* base, const char* relative, char (&output)[N]) {
  resolvePath(base, relative, output, N);
}

} // namespace qv

// The folders the dialog memory works in: userFolder (usrdir$) and lispFolder (lspdir$).
#pragma once

#include <string>

namespace qv::dialogfiles {

// The symbol's text into folder (kFolderBufferSize bytes) with acedGetSym, no fallback symbol.
// False, with folder as it was, when the symbol holds no text or one too long for the buffer; a
// value of another type is released like any other.
bool readFolderSymbol(const char* symbol, char* folder);

// Reads usrdir$ then lspdir$ (lispFirst: lspdir$ then usrdir$) with acedGetSym into userFolder
// and lispFolder. False as soon as one holds no text, or a text too long for its buffer; a value
// of another type is released like any other.
bool refreshFolders(bool lispFirst);

// Reads both symbols as getLispString does (mc_lspdir$ serving for an unset lspdir$) and
// overwrites a folder only with a value that is not empty.
void refreshKnownFolders();

// lispFolder + DCL name + ".dcl".
std::string dclPath(const char* dclName);

} // namespace qv::dialogfiles

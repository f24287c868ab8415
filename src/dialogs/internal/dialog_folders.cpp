// Refreshing the folders of the dialog memory from the family's AutoLISP symbols.
#include "dialogs/internal/dialog_folders.h"

#include <cstring>

#include "host/folders.h"
#include "host/lisp_symbols.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv::dialogfiles {

namespace {

void readKnownFolder(const char* symbol, char (&folder)[kFolderBufferSize]) {
  char read[kFolderBufferSize];
  if (getLispString(read, symbol) == 1 && read[0] != '\0') {
    std::strcpy(folder, read);
  }
}

} // namespace

bool readFolderSymbol(const char* symbol, char* folder) {
  resbuf* value = nullptr;
  const bool read = acedGetSym(symbol, &value) == RTNORM && value != nullptr &&
                    value->restype == RTSTR && value->resval.rstring != nullptr &&
                    std::strlen(value->resval.rstring) < kFolderBufferSize;
  if (read) {
    std::strcpy(folder, value->resval.rstring);
  }
  acutRelRb(value);
  return read;
}

bool refreshFolders(bool lispFirst) {
  if (lispFirst) {
    return readFolderSymbol("lspdir$", lispFolder) && readFolderSymbol("usrdir$", userFolder);
  }
  return readFolderSymbol("usrdir$", userFolder) && readFolderSymbol("lspdir$", lispFolder);
}

void refreshKnownFolders() {
  readKnownFolder("usrdir$", userFolder);
  readKnownFolder("lspdir$", lispFolder);
}

std::string dclPath(const char* dclName) {
  return std::string(lispFolder) + dclName + ".dcl";
}

} // namespace qv::dialogfiles

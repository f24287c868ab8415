// File selection as AutoLISP functions: the favourite folders and remembered folders of
// "getfile.xml", and the places and recent-files lists of the current drawing.
#include <initializer_list>

#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "module/record_lists.h"
#include "platform/acad/acedads.h"
#include "settings/file_favorites.h"
#include "settings/file_lists.h"

namespace qv {

int lispFavorite() {
  LispArgs args;
  const char* folder = nullptr;
  bool remove = false;
  if (!args.text(folder) || !args.optionalFlag(remove) || !args.done()) {
    return acedRetNil();
  }
  return setFavorite(folder, remove ? 1 : 0) == 1 ? acedRetT() : acedRetNil();
}

int lispRememberFolder() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  return rememberFolder(path) == 1 ? acedRetT() : acedRetNil();
}

int lispFileLists() {
  LispArgs args;
  const char* extensions = nullptr;
  if (!args.text(extensions) || !args.done()) {
    return acedRetNil();
  }
  IQvUniRecord* places = nullptr;
  IQvUniRecord* recentFiles = nullptr;
  if (buildFileLists(extensions, &places, &recentFiles) == 0) {
    printLispError("insufficient memory");
    return acedRetNil();
  }
  LispResult result;
  result.open();
  addRecordList(result, places);
  addRecordList(result, recentFiles);
  result.close();
  for (IQvUniRecord* chain : {places, recentFiles}) {
    if (chain != nullptr) {
      chain->releaseChain();
    }
  }
  return result.answer();
}

} // namespace qv

// The working files of the current drawing as AutoLISP functions: the product's INI file, the
// drawing's base name, surface files and their state, extension changes and the copy of a file
// to another folder when it differs.
#include <cstring>
#include <string>

#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/win/windows.h"
#include "settings/drawing_files.h"
#include "settings/file_services.h"

namespace qv {
namespace {

// Room for the temporary folder, the drawing's base name and a state file's name in one path.
constexpr size_t kSurfacePathRoom = 4096;

} // namespace

int lispProductIni() {
  LispArgs args;
  if (!args.done()) {
    return acedRetNil();
  }
  char name[16];
  return answerText(productIniName(name));
}

int lispDrawingBase() {
  LispArgs args;
  if (!args.done()) {
    return acedRetNil();
  }
  char base[MAX_PATH] = "";
  return drawingBaseName(base) > 0 ? answerText(base) : acedRetNil();
}

int lispSurfaceState() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  int existFlag = 0;
  int finalFlag = 1;
  char existName[MAX_PATH];
  char finalName[MAX_PATH];
  readSurfaceState(path, &existFlag, &finalFlag, existName, finalName);
  LispResult result;
  result.open();
  result.integer(existFlag);
  result.integer(finalFlag);
  result.text(existName);
  result.text(finalName);
  result.close();
  return result.answer();
}

int lispSurfacePath() {
  LispArgs args;
  const char* kind = nullptr;
  const char* namePart = nullptr;
  int number = 0;
  if (!args.text(kind) || !args.optionalText(namePart) || !args.optionalInteger(number) ||
      !args.done()) {
    return acedRetNil();
  }
  const size_t room = kSurfacePathRoom + std::strlen(kind) + (namePart ? std::strlen(namePart) : 0);
  std::string path(room, '\0');
  surfaceFilePath(path.data(), path.size(), kind, namePart, number);
  return answerText(path.c_str());
}

int lispChangeExtension() {
  LispArgs args;
  const char* path = nullptr;
  const char* extension = nullptr;
  if (!args.text(path) || !args.text(extension) || !args.done()) {
    return acedRetNil();
  }
  std::string changed(std::strlen(path) + std::strlen(extension) + 2, '\0');
  std::memcpy(changed.data(), path, std::strlen(path));
  changeExtension(changed.data(), changed.size(), extension);
  return answerText(changed.c_str());
}

int lispSyncFile() {
  LispArgs args;
  const char* sourceFolder = nullptr;
  const char* destinationFolder = nullptr;
  const char* name = nullptr;
  if (!args.text(sourceFolder) || !args.text(destinationFolder) || !args.text(name) ||
      !args.done()) {
    return acedRetNil();
  }
  return answerFlag(syncFile(sourceFolder, destinationFolder, name) == 1);
}

} // namespace qv

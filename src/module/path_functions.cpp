// File names, the file dialog, the project file's folders, the unit system and programs as
// AutoLISP functions.
#include <cstring>
#include <string>
#include <type_traits>

#include "host/file_dialogs.h"
#include "host/file_names.h"
#include "host/file_operations.h"
#include "host/project_file.h"
#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/win/windows.h"
#include "settings/file_services.h"
#include "settings/units_context.h"

namespace qv {
namespace {

// Room for any part of path, or for path joined to base, with its terminator.
std::string bufferFor(const char* path, const char* base = "") {
  return std::string(std::strlen(path) + std::strlen(base) + 2, '\0');
}

} // namespace

int lispGetFile() {
  LispArgs args;
  const char* title = nullptr;
  const char* defaultPath = "";
  const char* extensions = "";
  int flags = 0;
  if (!args.text(title) || !args.optionalText(defaultPath) || !args.optionalText(extensions) ||
      !args.optionalInteger(flags) || !args.done()) {
    return acedRetNil();
  }
  char chosen[MAX_PATH] = {};
  resbuf result{};
  result.restype = RTSTR;
  result.resval.rstring = chosen;
  if (getFile(title, defaultPath, extensions, flags, &result) != RTNORM) {
    return acedRetNil();
  }
  return answerText(chosen);
}

int lispResolvePath() {
  LispArgs args;
  const char* base = nullptr;
  const char* relative = nullptr;
  if (!args.text(base) || !args.text(relative) || !args.done()) {
    return acedRetNil();
  }
  std::string joined = bufferFor(relative, base);
  resolvePath(base, relative, joined.data(), joined.size());
  return answerText(joined.c_str());
}

int lispValidPath() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  return answerFlag(validatePathText(path) == 1);
}

int lispFileParts() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  std::string folder = bufferFor(path);
  std::string name = bufferFor(path);
  std::string extension = bufferFor(path);
  folderPart(path, folder.data(), folder.size());
  fileNamePart(path, name.data(), name.size());
  fileExtension(path, extension.data(), extension.size());
  LispResult result;
  result.open();
  for (const std::string& part : {folder, name, extension}) {
    result.text(part.c_str());
  }
  result.close();
  return result.answer();
}

int lispShortName() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  return answerFlag(isShortFileName(path) == 1);
}

int lispSafeName() {
  LispArgs args;
  const char* name = nullptr;
  if (!args.text(name) || !args.done()) {
    return acedRetNil();
  }
  std::string safe = name;
  if (replaceForbiddenChars(safe.data()) == 0) {
    return acedRetNil();
  }
  return answerText(safe.c_str());
}

int lispCopyFile() {
  LispArgs args;
  const char* source = nullptr;
  const char* target = nullptr;
  if (!args.text(source) || !args.text(target) || !args.done()) {
    return acedRetNil();
  }
  return answerFlag(copyFile(source, target) == 1);
}

int lispProjectFolder() {
  LispArgs args;
  const char* extension = nullptr;
  if (!args.text(extension) || !args.done()) {
    return acedRetNil();
  }
  char folder[MAX_PATH] = {};
  projectFileFolder(extension, folder);
  return answerText(folder);
}

int lispUnitsContext() {
  LispArgs args;
  if (!args.done()) {
    return acedRetNil();
  }
  const QvUnitsContext units = readUnitsContext();
  LispResult result;
  result.open();
  const auto pair = [&](const char* key, auto value) {
    result.open();
    result.text(key);
    result.dot();
    if constexpr (std::is_same_v<decltype(value), double>) {
      result.real(value);
    } else {
      result.text(value);
    }
    result.close();
  };
  pair("volumefactor", units.volumeFactor);
  pair("weightfactor", units.weightFactor);
  pair("unitabbrev", static_cast<const char*>(units.unitAbbrev));
  pair("unitname", static_cast<const char*>(units.unitName));
  pair("tonname", static_cast<const char*>(units.tonName));
  pair("stationname", static_cast<const char*>(units.stationName));
  pair("dateformat", static_cast<const char*>(units.dateFormat));
  pair("length", units.lengthValue);
  pair("unitweighta", units.unitWeightA);
  pair("extra", units.extraValue);
  pair("unitweightb", units.unitWeightB);
  result.close();
  return result.answer();
}

int lispRunProgram() {
  LispArgs args;
  const char* commandLine = nullptr;
  bool wait = false;
  if (!args.text(commandLine) || !args.optionalFlag(wait) || !args.done()) {
    return acedRetNil();
  }
  return acedRetInt(runProgram(commandLine, wait ? 1 : 0));
}

} // namespace qv

// The drawing's project file, point-symbol drawings, the program of a file type, the system's file
// dialog and plain file checks as AutoLISP functions.
#include <cstring>
#include <string>

#include "host/associated_command.h"
#include "host/file_dialogs.h"
#include "host/file_names.h"
#include "host/file_operations.h"
#include "host/project_file.h"
#include "host/symbol_files.h"
#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/win/windows.h"

namespace qv {
namespace {

// Room for a path the service builds from the caller's texts and the host's support folders.
constexpr size_t kFoundPathRoom = 4096;

// The text, or nil when it is empty (a miss of the services that answer through an empty output).
int answerFound(const char* text) {
  return text[0] != '\0' ? answerText(text) : acedRetNil();
}

} // namespace

int lispRecordProject() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  std::string projectFile;
  if (!projectFilePath(projectFile)) {
    return acedRetNil();
  }
  recordProjectFile(path);
  return answerText(projectFile.c_str());
}

int lispSymbolPath() {
  LispArgs args;
  const char* name = nullptr;
  const char* folder = nullptr;
  bool quiet = false;
  if (!args.text(name) || !args.text(folder) || !args.optionalFlag(quiet) || !args.done()) {
    return acedRetNil();
  }
  std::string found(std::strlen(name) + std::strlen(folder) + 8, '\0');
  symbolPath(found.data(), found.size(), name, quiet ? 1 : 0, folder);
  return answerFound(found.c_str());
}

int lispFindSymbol() {
  LispArgs args;
  const char* name = nullptr;
  bool quiet = false;
  if (!args.text(name) || !args.optionalFlag(quiet) || !args.done()) {
    return acedRetNil();
  }
  std::string found(std::strlen(name) + kFoundPathRoom, '\0');
  findSymbolFile(found.data(), found.size(), name, quiet ? 1 : 0);
  return answerFound(found.c_str());
}

int lispAssociatedCommand() {
  LispArgs args;
  const char* fileName = nullptr;
  if (!args.text(fileName) || !args.done()) {
    return acedRetNil();
  }
  char command[MAX_PATH] = "";
  associatedCommand(fileName, command);
  return answerFound(command);
}

int lispFileTime() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  return acedRetReal(fileTimeStamp(path));
}

int lispDeleteBackup() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  std::string backup(std::strlen(path) + 6, '\0');
  std::memcpy(backup.data(), path, std::strlen(path));
  deleteBackupOf(backup.data(), backup.size());
  return answerText(backup.c_str());
}

int lispForbidden() {
  LispArgs args;
  const char* name = nullptr;
  if (!args.text(name) || !args.done()) {
    return acedRetNil();
  }
  std::string trimmed = name;
  return answerFlag(hasForbiddenChars(trimmed.data()) == 1);
}

int lispFileDialog() {
  LispArgs args;
  const char* title = nullptr;
  const char* defaultPath = nullptr;
  const char* extensions = nullptr;
  int mode = 0;
  if (!args.text(title) || !args.text(defaultPath) || !args.text(extensions) ||
      !args.optionalInteger(mode) || !args.done()) {
    return acedRetNil();
  }
  // No buffer of ours: the dialog makes the host string, which is ours to free.
  resbuf chosen{};
  chosen.restype = RTSTR;
  const int status = systemFileDialog(title, defaultPath, extensions, mode, &chosen, nullptr);
  const int answered = status == RTNORM ? answerText(chosen.resval.rstring) : acedRetNil();
  acad_free(chosen.resval.rstring);
  return answered;
}

int lispIsDirectory() {
  LispArgs args;
  const char* path = nullptr;
  if (!args.text(path) || !args.done()) {
    return acedRetNil();
  }
  return answerFlag(isDirectory(path) == 1);
}

} // namespace qv

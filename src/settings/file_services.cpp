// Copying a file when it differs, and running a program.
#include "settings/file_services.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "host/file_operations.h"
#include "platform/win/sys_stat.h"
#include "platform/win/windows.h"

namespace qv {

int syncFile(const char* sourceFolder, const char* destinationFolder, const char* name) {
  if (sourceFolder == nullptr || destinationFolder == nullptr || name == nullptr) {
    return 0;
  }
  try {
    const std::string source = std::string(sourceFolder) + name;
    const std::string destination = std::string(destinationFolder) + name;
    struct _stat sourceFacts {};
    struct _stat destinationFacts {};
    if (_stat(source.c_str(), &sourceFacts) != 0) {
      return 0;
    }
    if (_stat(destination.c_str(), &destinationFacts) == 0 &&
        destinationFacts.st_size == sourceFacts.st_size) {
      return 0;
    }
    return copyFile(source.c_str(), destination.c_str());
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int runProgram(const char* commandLine, int wait) {
  if (commandLine == nullptr) {
    return wait != 0 ? -1 : 0;
  }
  // CreateProcessA may write into the command line it is given.
  std::vector<char> line;
  try {
    line.assign(commandLine, commandLine + std::strlen(commandLine) + 1);
  } catch (const std::bad_alloc&) {
    return wait != 0 ? -1 : 0;
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                     nullptr, &startup, &started) == FALSE) {
    return wait != 0 ? -1 : 0;
  }
  CloseHandle(started.hThread);
  int result = 0;
  if (wait != 0) {
    DWORD code = 0;
    const bool ended = WaitForSingleObject(started.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(started.hProcess, &code) != FALSE;
    result = ended ? static_cast<int>(code) : -1;
  }
  CloseHandle(started.hProcess);
  return result;
}

} // namespace qv

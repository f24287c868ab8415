// The host's search for a file (acedFindFile): the current folder, the drawing's folder and the
// support folders, through the Windows layer's file attributes.
#include <cstring>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/internal/library_path.h"
#include "platform/internal/session.h"
#include "platform/win/fileapi.h"

namespace {

using namespace sim::detail;

constexpr size_t kMaxFound = 511;

bool isFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

int acedFindFile(const char* fname, char* result) {
  if (shouldFail(FailableCall::acedFindFile) || fname == nullptr || result == nullptr) {
    return RTERROR;
  }
  result[0] = '\0';
  const std::string found = findOnLibraryPath(
      fname, [](const std::string& path) { return path.size() <= kMaxFound && isFile(path); });
  if (found.empty()) {
    return RTERROR;
  }
  std::memcpy(result, found.c_str(), found.size() + 1);
  return RTNORM;
}

// The host's search for a file (acedFindFile): the current folder, the drawing's folder and the
// support folders, through the Windows layer's file attributes.
#include <cstring>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"
#include "platform/win/fileapi.h"

namespace {

using namespace sim::detail;

constexpr size_t kMaxFound = 511;

bool isFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string stringVar(const char* name) {
  auto found = host().sysVars.find(name);
  return found == host().sysVars.end() ? std::string() : found->second.text;
}

std::string joined(std::string folder, const std::string& name) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
    folder += '\\';
  }
  return folder + name;
}

bool answer(const std::string& path, char* result) {
  if (path.size() > kMaxFound || !isFile(path)) {
    return false;
  }
  std::memcpy(result, path.c_str(), path.size() + 1);
  return true;
}

} // namespace

int acedFindFile(const char* fname, char* result) {
  if (shouldFail(FailableCall::acedFindFile) || fname == nullptr || result == nullptr) {
    return RTERROR;
  }
  result[0] = '\0';
  const std::string name = fname;
  if (name.empty()) {
    return RTERROR;
  }
  if (name.find_first_of(":\\/") != std::string::npos) {
    return answer(name, result) ? RTNORM : RTERROR;
  }
  if (answer(name, result)) {
    return RTNORM;
  }
  if (currentDocument(host()) != nullptr && answer(joined(stringVar("DWGPREFIX"), name), result)) {
    return RTNORM;
  }
  const std::string support = stringVar("ACADPREFIX");
  size_t from = 0;
  while (from <= support.size()) {
    size_t end = support.find(';', from);
    if (end == std::string::npos) {
      end = support.size();
    }
    const std::string folder = support.substr(from, end - from);
    if (!folder.empty() && answer(joined(folder, name), result)) {
      return RTNORM;
    }
    from = end + 1;
  }
  return RTERROR;
}

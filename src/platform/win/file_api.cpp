// Windows' file and folder calls on the host: searches with wildcards, attributes, delete, move
// and folders, each on a Windows path resolved by the drive map and case-insensitive lookup.
#include "platform/win/fileapi.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/internal/session.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/internal/file_paths.h"
#include "platform/win/sim_files.h"
#include "platform/win/string_win.h"

namespace {

using sim::detail::HostStat;
using sim::detail::ResolvedPath;

char lowerAscii(char c) {
  char one[2] = {c, '\0'};
  return *_strlwr(one);
}

// Glob match without regard to case: "*" any run, "?" any one character.
bool globMatch(const char* pattern, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' || (*pattern != '\0' && lowerAscii(*pattern) == lowerAscii(*name))) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') {
    ++pattern;
  }
  return *pattern == '\0';
}

// Windows' reading of a pattern: "*.*" and a trailing ".*" also match names without a dot, and
// a trailing "." matches names without an extension.
bool matchesPattern(const std::string& pattern, const std::string& name) {
  if (globMatch(pattern.c_str(), name.c_str())) {
    return true;
  }
  const size_t n = pattern.size();
  if (n >= 2 && pattern.compare(n - 2, 2, ".*") == 0 && name.find('.') == std::string::npos) {
    return globMatch(pattern.substr(0, n - 2).c_str(), name.c_str());
  }
  if (n >= 1 && pattern.back() == '.' && name.find('.') == std::string::npos) {
    return globMatch(pattern.substr(0, n - 1).c_str(), name.c_str());
  }
  return false;
}

void splitFileTime(uint64_t value, FILETIME& out) {
  out.dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFFu);
  out.dwHighDateTime = static_cast<DWORD>(value >> 32);
}

DWORD attributesOf(const HostStat& facts) {
  DWORD attributes = facts.isDir ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (facts.readOnly) {
    attributes |= FILE_ATTRIBUTE_READONLY;
  }
  return attributes;
}

void fillFindData(const std::string& name, const HostStat& facts, WIN32_FIND_DATAA& out) {
  std::memset(&out, 0, sizeof out);
  out.dwFileAttributes = attributesOf(facts);
  splitFileTime(sim::detail::fileTimeOf(facts.changeNs), out.ftCreationTime);
  splitFileTime(sim::detail::fileTimeOf(facts.accessNs), out.ftLastAccessTime);
  splitFileTime(sim::detail::fileTimeOf(facts.writeNs), out.ftLastWriteTime);
  if (!facts.isDir) {
    out.nFileSizeHigh = static_cast<DWORD>(facts.size >> 32);
    out.nFileSizeLow = static_cast<DWORD>(facts.size & 0xFFFFFFFFu);
  }
  std::memcpy(out.cFileName, name.data(), name.size()); // names are shorter than MAX_PATH
}

struct Search {
  std::vector<WIN32_FIND_DATAA> found;
  size_t next = 0;
};

struct SearchTable {
  std::mutex guard;
  std::map<HANDLE, std::unique_ptr<Search>> open;
};

SearchTable& searches() {
  return sim::detail::session<SearchTable>();
}

bool sameFile(const HostStat& a, const HostStat& b) {
  return a.exists && b.exists && a.device == b.device && a.inode == b.inode;
}

BOOL failWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

} // namespace

HANDLE FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData) {
  const sim::detail::StandInCall inCall;
  if (fileName == nullptr || findData == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::FindFirstFileA)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  const std::string path(fileName);
  const size_t cut = path.find_last_of("\\/");
  std::string pattern = cut == std::string::npos ? path : path.substr(cut + 1);
  std::string folder = cut == std::string::npos ? std::string(".") : path.substr(0, cut + 1);
  if (cut == std::string::npos && path.size() >= 2 && path[1] == ':') {
    folder = path.substr(0, 2) + "\\"; // "C:*.txt"
    pattern = path.substr(2);
  }
  if (pattern.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND); // a trailing separator names no file
    return INVALID_HANDLE_VALUE;
  }
  if (pattern.find_first_of("<>:\"|") != std::string::npos) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  const ResolvedPath where = sim::detail::resolvePath(folder.c_str());
  if (where.error != 0) {
    SetLastError(where.error);
    return INVALID_HANDLE_VALUE;
  }
  const HostStat folderFacts = sim::detail::hostStat(where.host);
  if (!folderFacts.exists || !folderFacts.isDir) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  DIR* dir = opendir(where.host.c_str());
  if (dir == nullptr) {
    SetLastError(sim::detail::windowsErrorOf(errno, true));
    return INVALID_HANDLE_VALUE;
  }
  std::vector<std::string> names;
  while (dirent* entry = readdir(dir)) {
    names.emplace_back(entry->d_name);
  }
  closedir(dir);
  // A drive's or share's root lists no "." and "..", as on Windows.
  const ResolvedPath parent = sim::detail::resolvePath((folder + "..").c_str());
  const bool atRoot =
      parent.host == where.host || sim::detail::hostStat(parent.host).inode == folderFacts.inode;
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    if (a == "." || a == "..") {
      return b != "." && (b != ".." || a == ".");
    }
    if (b == "." || b == "..") {
      return false;
    }
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return lowerAscii(x) < lowerAscii(y);
    });
  });
  auto search = std::make_unique<Search>();
  for (const std::string& name : names) {
    if ((name == "." || name == "..") && atRoot) {
      continue;
    }
    if (name.size() >= MAX_PATH || !matchesPattern(pattern, name)) {
      continue;
    }
    const HostStat facts = sim::detail::hostStat(where.host + "/" + name);
    if (!facts.exists) {
      continue; // a dangling link, or gone since the listing
    }
    WIN32_FIND_DATAA data;
    fillFindData(name, facts, data);
    search->found.push_back(data);
  }
  if (search->found.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *findData = search->found[0];
  search->next = 1;
  HANDLE handle = search.get();
  SearchTable& table = searches();
  std::lock_guard<std::mutex> lock(table.guard);
  table.open[handle] = std::move(search);
  SetLastError(ERROR_SUCCESS);
  return handle;
}

BOOL FindNextFileA(HANDLE findFile, LPWIN32_FIND_DATAA findData) {
  SearchTable& table = searches();
  std::lock_guard<std::mutex> lock(table.guard);
  auto found = table.open.find(findFile);
  if (found == table.open.end()) {
    return failWith(ERROR_INVALID_HANDLE);
  }
  if (findData == nullptr) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  Search& search = *found->second;
  if (search.next >= search.found.size()) {
    return failWith(ERROR_NO_MORE_FILES);
  }
  *findData = search.found[search.next++];
  return TRUE;
}

BOOL FindClose(HANDLE findFile) {
  SearchTable& table = searches();
  std::lock_guard<std::mutex> lock(table.guard);
  if (table.open.erase(findFile) == 0) {
    return failWith(ERROR_INVALID_HANDLE);
  }
  return TRUE;
}

DWORD GetFileAttributesA(LPCSTR fileName) {
  const sim::detail::StandInCall inCall;
  if (sim::detail::shouldFail(sim::detail::FailableCall::GetFileAttributesA)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_FILE_ATTRIBUTES;
  }
  const ResolvedPath where = sim::detail::resolvePath(fileName);
  if (where.error != 0) {
    SetLastError(where.error);
    return INVALID_FILE_ATTRIBUTES;
  }
  const HostStat facts = sim::detail::hostStat(where.host);
  if (!facts.exists) {
    SetLastError(where.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  return attributesOf(facts);
}

BOOL DeleteFileA(LPCSTR fileName) {
  const sim::detail::StandInCall inCall;
  if (sim::detail::shouldFail(sim::detail::FailableCall::DeleteFileA)) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  const ResolvedPath where = sim::detail::resolvePath(fileName);
  if (where.error != 0) {
    return failWith(where.error);
  }
  const HostStat facts = sim::detail::hostStat(where.host);
  if (!facts.exists) {
    return failWith(where.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  }
  if (facts.isDir || facts.readOnly) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  if (sim::detail::isOpen(facts.device, facts.inode)) {
    return failWith(ERROR_SHARING_VIOLATION); // the runtime never opens with delete sharing
  }
  if (::unlink(where.host.c_str()) != 0) {
    return failWith(sim::detail::windowsErrorOf(errno, true));
  }
  return TRUE;
}

BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  const sim::detail::StandInCall inCall;
  if (existingFileName == nullptr || newFileName == nullptr) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::MoveFileExA)) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  const ResolvedPath from = sim::detail::resolvePath(existingFileName);
  if (from.error != 0) {
    return failWith(from.error);
  }
  const HostStat source = sim::detail::hostStat(from.host);
  if (!source.exists) {
    return failWith(from.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  }
  if (sim::detail::isOpen(source.device, source.inode)) {
    return failWith(ERROR_SHARING_VIOLATION);
  }
  ResolvedPath to = sim::detail::resolvePath(newFileName);
  if (to.error != 0) {
    return failWith(to.error);
  }
  if (!to.parentExists) {
    return failWith(ERROR_PATH_NOT_FOUND);
  }
  const HostStat target = sim::detail::hostStat(to.host);
  if (sameFile(source, target)) {
    // The same file under a name that differs in case: it takes the new name's spelling.
    std::string given(newFileName);
    const size_t cut = given.find_last_of("\\/");
    const std::string name = cut == std::string::npos ? given : given.substr(cut + 1);
    const size_t slash = to.host.find_last_of('/');
    to.host = to.host.substr(0, slash + 1) + name;
  } else if (target.exists) {
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0) {
      return failWith(ERROR_ALREADY_EXISTS);
    }
    if (target.isDir || source.isDir || target.readOnly ||
        sim::detail::isOpen(target.device, target.inode)) {
      return failWith(ERROR_ACCESS_DENIED);
    }
  }
  if (::rename(from.host.c_str(), to.host.c_str()) != 0) {
    return failWith(sim::detail::windowsErrorOf(errno, true));
  }
  return TRUE;
}

BOOL MoveFileA(LPCSTR existingFileName, LPCSTR newFileName) {
  return MoveFileExA(existingFileName, newFileName, 0);
}

BOOL CreateDirectoryA(LPCSTR pathName, void* securityAttributes) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::CreateDirectoryA)) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  const ResolvedPath where = sim::detail::resolvePath(pathName);
  if (where.error != 0) {
    return failWith(where.error);
  }
  if (!where.parentExists) {
    return failWith(ERROR_PATH_NOT_FOUND);
  }
  if (sim::detail::hostStat(where.host).exists) {
    return failWith(ERROR_ALREADY_EXISTS);
  }
  if (::mkdir(where.host.c_str(), 0777) != 0) {
    return failWith(sim::detail::windowsErrorOf(errno, where.parentExists));
  }
  return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR pathName) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::RemoveDirectoryA)) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  const ResolvedPath where = sim::detail::resolvePath(pathName);
  if (where.error != 0) {
    return failWith(where.error);
  }
  const HostStat facts = sim::detail::hostStat(where.host);
  if (!facts.exists) {
    return failWith(where.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  }
  if (!facts.isDir) {
    return failWith(ERROR_DIRECTORY);
  }
  if (::rmdir(where.host.c_str()) != 0) {
    return failWith(sim::detail::windowsErrorOf(errno, true));
  }
  return TRUE;
}

namespace sim {

int openSearches() {
  SearchTable& table = searches();
  std::lock_guard<std::mutex> lock(table.guard);
  return static_cast<int>(table.open.size());
}

} // namespace sim

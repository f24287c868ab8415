// Windows paths on the host: the drive and share map, case-insensitive lookup of each component,
// host file facts and the translation of host errors into Windows' and the runtime's.
#include "platform/win/internal/file_paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/internal/session.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/sim_files.h"
#include "platform/win/string_win.h"
#include "platform/win/winerror.h"

namespace {

char lowerAscii(char c) {
  char one[2] = {c, '\0'};
  return *_strlwr(one);
}

bool equalNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  return _strnicmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string lowerText(std::string text) {
  for (char& c : text) {
    c = lowerAscii(c);
  }
  return text;
}

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

struct DriveMap {
  std::mutex guard;
  std::string drives[26];
  std::map<std::string, std::string> shares; // "\\server\share" in lower case -> host folder

  DriveMap() {
    // QV_DRIVES="C=/path;D=/other"
    const char* setting = std::getenv("QV_DRIVES");
    if (setting == nullptr) {
      return;
    }
    std::string all(setting);
    size_t start = 0;
    while (start <= all.size()) {
      size_t end = all.find(';', start);
      if (end == std::string::npos) {
        end = all.size();
      }
      std::string item = all.substr(start, end - start);
      if (item.size() > 2 && item[1] == '=') {
        char letter = lowerAscii(item[0]);
        if (letter >= 'a' && letter <= 'z') {
          drives[letter - 'a'] = item.substr(2);
        }
      }
      start = end + 1;
    }
  }
};

DriveMap& driveMap() {
  return sim::detail::session<DriveMap>();
}

std::string shareKey(const std::string& server, const std::string& share) {
  return "\\\\" + lowerText(server) + "\\" + lowerText(share);
}

// The entry of folder whose name equals name without regard to case; the exact name when it
// exists, the first in byte order of several others, or the empty text when none.
std::string findNoCase(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
  if (dir == nullptr) {
    return std::string();
  }
  std::string best;
  while (dirent* entry = readdir(dir)) {
    std::string candidate(entry->d_name);
    if (candidate == name) {
      best = candidate;
      break;
    }
    if (equalNoCase(candidate, name) && (best.empty() || candidate < best)) {
      best = candidate;
    }
  }
  closedir(dir);
  return best;
}

bool isInvalidNameChar(char c, bool allowWildcards) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u < 32) {
    return true;
  }
  switch (c) {
  case '<':
  case '>':
  case ':':
  case '"':
  case '|':
    return true;
  case '*':
  case '?':
    return !allowWildcards;
  default:
    return false;
  }
}

std::string joinHost(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') {
    return folder + name;
  }
  return folder + "/" + name;
}

} // namespace

namespace sim {

void mapDrive(char letter, const std::string& hostFolder) {
  const char lower = lowerAscii(letter);
  if (lower < 'a' || lower > 'z') {
    return;
  }
  DriveMap& map = driveMap();
  std::lock_guard<std::mutex> lock(map.guard);
  map.drives[lower - 'a'] = hostFolder;
}

std::string driveRoot(char letter, const std::string& hostFolder) {
  mapDrive(letter, hostFolder);
  return std::string(1, letter) + ":\\";
}

void mapShare(const std::string& share, const std::string& hostFolder) {
  // "\\server\share" with either separator
  size_t i = 0;
  while (i < share.size() && isSeparator(share[i])) {
    ++i;
  }
  const size_t serverEnd =
      std::find_if(share.begin() + i, share.end(), isSeparator) - share.begin();
  const std::string server = share.substr(i, serverEnd - i);
  size_t j = serverEnd;
  while (j < share.size() && isSeparator(share[j])) {
    ++j;
  }
  const size_t shareEnd = std::find_if(share.begin() + j, share.end(), isSeparator) - share.begin();
  const std::string name = share.substr(j, shareEnd - j);
  if (server.empty() || name.empty()) {
    return;
  }
  DriveMap& map = driveMap();
  std::lock_guard<std::mutex> lock(map.guard);
  if (hostFolder.empty()) {
    map.shares.erase(shareKey(server, name));
  } else {
    map.shares[shareKey(server, name)] = hostFolder;
  }
}

std::string hostPath(const std::string& windowsPath) {
  return detail::resolvePath(windowsPath.c_str()).host;
}

} // namespace sim

namespace sim::detail {

ResolvedPath resolvePath(const char* windowsPath, bool allowWildcards) {
  ResolvedPath result;
  if (windowsPath == nullptr || windowsPath[0] == '\0') {
    result.error = ERROR_PATH_NOT_FOUND;
    return result;
  }
  const std::string path(windowsPath);
  if (path.size() >= MAX_PATH) {
    result.error = ERROR_FILENAME_EXCED_RANGE;
    return result;
  }

  // The root: a drive, a share, the host's root or the current folder.
  std::string root;
  size_t rest = 0;
  if (path.size() >= 2 && path[1] == ':') {
    const char letter = lowerAscii(path[0]);
    if (letter < 'a' || letter > 'z') {
      result.error = ERROR_INVALID_NAME;
      return result;
    }
    DriveMap& map = driveMap();
    std::lock_guard<std::mutex> lock(map.guard);
    root = map.drives[letter - 'a'];
    if (root.empty()) {
      result.error = ERROR_PATH_NOT_FOUND;
      return result;
    }
    result.drive = letter - 'a';
    rest = 2; // "C:name" has no current folder per drive here: it starts at the drive's root
  } else if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
    size_t i = 2;
    const size_t serverEnd = std::find_if(path.begin() + i, path.end(), isSeparator) - path.begin();
    const std::string server = path.substr(i, serverEnd - i);
    size_t j = serverEnd < path.size() ? serverEnd + 1 : serverEnd;
    const size_t shareEnd = std::find_if(path.begin() + j, path.end(), isSeparator) - path.begin();
    const std::string share = path.substr(j, shareEnd - j);
    DriveMap& map = driveMap();
    std::lock_guard<std::mutex> lock(map.guard);
    auto found = map.shares.find(shareKey(server, share));
    if (server.empty() || share.empty() || found == map.shares.end()) {
      result.error = ERROR_BAD_NETPATH;
      return result;
    }
    root = found->second;
    rest = shareEnd;
  } else if (isSeparator(path[0])) {
    root = "/";
  } else {
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer) == nullptr) {
      result.error = ERROR_PATH_NOT_FOUND;
      return result;
    }
    root = buffer;
  }

  // The components, taken lexically.
  std::vector<std::string> names;
  size_t i = rest;
  while (i < path.size()) {
    while (i < path.size() && isSeparator(path[i])) {
      ++i;
    }
    size_t end = i;
    while (end < path.size() && !isSeparator(path[end])) {
      ++end;
    }
    if (end == i) {
      break;
    }
    std::string name = path.substr(i, end - i);
    i = end;
    if (name == ".") {
      continue;
    }
    if (name == "..") {
      if (!names.empty()) {
        names.pop_back();
      }
      continue;
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
      name.pop_back(); // Windows drops trailing dots and spaces of a name
    }
    if (name.empty()) {
      result.error = ERROR_INVALID_NAME;
      return result;
    }
    const bool last = i >= path.size() || std::all_of(path.begin() + i, path.end(),
                                                      [](char c) { return isSeparator(c); });
    for (char c : name) {
      if (isInvalidNameChar(c, allowWildcards && last)) {
        result.error = ERROR_INVALID_NAME;
        return result;
      }
    }
    names.push_back(name);
  }

  // Each component: the exact name, else one that differs only in case, else the name as given.
  std::string current = root;
  bool exists = true;
  for (size_t k = 0; k < names.size(); ++k) {
    const bool last = k + 1 == names.size();
    if (!exists) {
      result.parentExists = false;
      current = joinHost(current, names[k]);
      continue;
    }
    std::string candidate = joinHost(current, names[k]);
    struct stat info;
    if (::lstat(candidate.c_str(), &info) != 0) {
      std::string other = findNoCase(current, names[k]);
      if (!other.empty()) {
        candidate = joinHost(current, other);
      } else {
        exists = false;
      }
    }
    if (!last && exists) {
      struct stat folder;
      if (::stat(candidate.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
        exists = false;
      }
    }
    current = candidate;
  }
  result.host = current;
  return result;
}

HostStat hostStat(const std::string& hostPath) {
  HostStat facts;
  struct stat info;
  if (hostPath.empty() || ::stat(hostPath.c_str(), &info) != 0) {
    return facts;
  }
  facts.exists = true;
  facts.isDir = S_ISDIR(info.st_mode);
  facts.readOnly = (info.st_mode & S_IWUSR) == 0;
  facts.size = static_cast<uint64_t>(info.st_size);
  facts.device = static_cast<uint64_t>(info.st_dev);
  facts.inode = static_cast<uint64_t>(info.st_ino);
  auto ns = [](const timespec& t) { return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; };
  facts.accessNs = ns(info.st_atim);
  facts.writeNs = ns(info.st_mtim);
  facts.changeNs = ns(info.st_ctim);
  return facts;
}

uint64_t fileTimeOf(int64_t unixNs) {
  const int64_t epochGap = int64_t(11644473600) * 10000000; // 1601 to 1970 in 100 ns
  const int64_t value = unixNs / 100 + epochGap;
  return value < 0 ? 0 : static_cast<uint64_t>(value);
}

DWORD windowsErrorOf(int hostErrno, bool parentExists) {
  switch (hostErrno) {
  case ENOENT:
    return parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  case ENOTDIR:
    return ERROR_PATH_NOT_FOUND;
  case EACCES:
  case EPERM:
  case EISDIR:
  case EROFS:
    return ERROR_ACCESS_DENIED;
  case EEXIST:
    return ERROR_FILE_EXISTS;
  case ENOTEMPTY:
    return ERROR_DIR_NOT_EMPTY;
  case ENOSPC:
  case EDQUOT:
    return ERROR_DISK_FULL;
  case ENAMETOOLONG:
    return ERROR_FILENAME_EXCED_RANGE;
  case EMFILE:
  case ENFILE:
    return ERROR_TOO_MANY_OPEN_FILES;
  case EXDEV:
    return ERROR_NOT_SAME_DEVICE;
  case EINVAL:
    return ERROR_INVALID_PARAMETER;
  default:
    return ERROR_GEN_FAILURE;
  }
}

int crtErrnoOf(DWORD windowsError) {
  switch (windowsError) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_NAME:
  case ERROR_BAD_NETPATH:
  case ERROR_FILENAME_EXCED_RANGE:
    return ENOENT;
  case ERROR_ACCESS_DENIED:
  case ERROR_SHARING_VIOLATION:
  case ERROR_DIR_NOT_EMPTY:
    return EACCES;
  case ERROR_FILE_EXISTS:
  case ERROR_ALREADY_EXISTS:
    return EEXIST;
  case ERROR_DISK_FULL:
    return ENOSPC;
  case ERROR_TOO_MANY_OPEN_FILES:
    return EMFILE;
  case ERROR_NOT_SAME_DEVICE:
    return EXDEV;
  case ERROR_INVALID_PARAMETER:
    return EINVAL;
  default:
    return EIO;
  }
}

int failCrt(DWORD windowsError) {
  SetLastError(windowsError);
  errno = crtErrnoOf(windowsError);
  return -1;
}

namespace {

struct OpenEntry {
  uint64_t device;
  uint64_t inode;
  int access;
  int share;
};

struct OpenTable {
  std::mutex guard;
  uint64_t nextId = 1;
  std::map<uint64_t, OpenEntry> entries;
};

OpenTable& openTable() {
  return session<OpenTable>();
}

} // namespace

uint64_t registerOpen(uint64_t device, uint64_t inode, int access, int share) {
  OpenTable& table = openTable();
  std::lock_guard<std::mutex> lock(table.guard);
  for (const auto& [id, entry] : table.entries) {
    if (entry.device != device || entry.inode != inode) {
      continue;
    }
    // Windows refuses an open whose access the others do not share, or that does not share
    // what the others already have.
    if ((access & ~entry.share & 3) != 0 || (entry.access & ~share & 3) != 0) {
      return 0;
    }
  }
  const uint64_t id = table.nextId++;
  table.entries[id] = OpenEntry{device, inode, access, share};
  return id;
}

void unregisterOpen(uint64_t id) {
  OpenTable& table = openTable();
  std::lock_guard<std::mutex> lock(table.guard);
  table.entries.erase(id);
}

bool isOpen(uint64_t device, uint64_t inode) {
  OpenTable& table = openTable();
  std::lock_guard<std::mutex> lock(table.guard);
  for (const auto& [id, entry] : table.entries) {
    if (entry.device == device && entry.inode == inode && (entry.share & 4) == 0) {
      return true;
    }
  }
  return false;
}

} // namespace sim::detail

namespace sim {

int openFiles() {
  auto& table = detail::openTable();
  std::lock_guard<std::mutex> lock(table.guard);
  return static_cast<int>(table.entries.size());
}

} // namespace sim

// The C runtime's _stat, _access and _unlink on the host, through the Windows file calls' rules.
#include "platform/win/sys_stat.h"

#include <cerrno>
#include <unistd.h>

#include "platform/internal/session.h"
#include "platform/win/internal/file_paths.h"
#include "platform/win/io.h"
#include "platform/win/stdio_win.h"
#include "platform/win/windows.h"

namespace {

// The shared start of _stat and _access: the call's failure on purpose, the path resolved and the
// host's facts about an existing file or folder. 0, or the Windows error to fail with.
DWORD lookUpExisting(const char* path, sim::detail::FailableCall call,
                     sim::detail::ResolvedPath& where, sim::detail::HostStat& facts) {
  if (sim::detail::shouldFail(call)) {
    return ERROR_ACCESS_DENIED;
  }
  where = sim::detail::resolvePath(path);
  if (where.error != 0) {
    return where.error;
  }
  facts = sim::detail::hostStat(where.host);
  if (!facts.exists) {
    return where.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  }
  return 0;
}

} // namespace

int _stat(const char* path, struct _stat* buffer) {
  const sim::detail::StandInCall inCall;
  if (path == nullptr || buffer == nullptr) {
    return sim::detail::failCrt(ERROR_INVALID_PARAMETER);
  }
  sim::detail::ResolvedPath where;
  sim::detail::HostStat facts;
  if (const DWORD error = lookUpExisting(path, sim::detail::FailableCall::_stat, where, facts);
      error != 0) {
    return sim::detail::failCrt(error);
  }
  if (!facts.isDir && facts.size > 0x7FFFFFFFu) {
    errno = EOVERFLOW;
    return -1;
  }
  struct _stat out {};
  out.st_dev = out.st_rdev = where.drive < 0 ? 0 : static_cast<uint32_t>(where.drive);
  out.st_mode = static_cast<uint16_t>((facts.isDir ? _S_IFDIR | _S_IEXEC : _S_IFREG) | _S_IREAD |
                                      (facts.readOnly ? 0 : _S_IWRITE));
  out.st_nlink = 1;
  out.st_size = facts.isDir ? 0 : static_cast<int32_t>(facts.size);
  out.st_atime = static_cast<time_t>(facts.accessNs / 1000000000);
  out.st_mtime = static_cast<time_t>(facts.writeNs / 1000000000);
  out.st_ctime = static_cast<time_t>(facts.changeNs / 1000000000);
  *buffer = out;
  return 0;
}

int _access(const char* path, int mode) {
  const sim::detail::StandInCall inCall;
  if (path == nullptr || (mode & ~6) != 0) {
    return sim::detail::failCrt(ERROR_INVALID_PARAMETER);
  }
  sim::detail::ResolvedPath where;
  sim::detail::HostStat facts;
  if (const DWORD error = lookUpExisting(path, sim::detail::FailableCall::_access, where, facts);
      error != 0) {
    return sim::detail::failCrt(error);
  }
  // Windows knows only the read-only attribute: everything can be read, and a folder written.
  if ((mode & 2) != 0 && facts.readOnly && !facts.isDir) {
    return sim::detail::failCrt(ERROR_ACCESS_DENIED);
  }
  return 0;
}

int _unlink(const char* filename) {
  const sim::detail::StandInCall inCall;
  if (filename == nullptr) {
    return sim::detail::failCrt(ERROR_INVALID_PARAMETER);
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::_unlink)) {
    return sim::detail::failCrt(ERROR_ACCESS_DENIED);
  }
  const sim::detail::ResolvedPath where = sim::detail::resolvePath(filename);
  if (where.error != 0) {
    return sim::detail::failCrt(where.error);
  }
  const sim::detail::HostStat facts = sim::detail::hostStat(where.host);
  if (!facts.exists) {
    return sim::detail::failCrt(where.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  }
  if (facts.isDir || facts.readOnly) {
    return sim::detail::failCrt(ERROR_ACCESS_DENIED);
  }
  if (sim::detail::isOpen(facts.device, facts.inode)) {
    return sim::detail::failCrt(ERROR_SHARING_VIOLATION);
  }
  if (::unlink(where.host.c_str()) != 0) {
    return sim::detail::failCrt(sim::detail::windowsErrorOf(errno, true));
  }
  return 0;
}

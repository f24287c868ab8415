// Windows' file handles on the host: CreateFileA with its dispositions and sharing, and the
// facts of an open file. Handles live in the kernel-object table, so CloseHandle closes them.
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/internal/session.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/fileapi.h"
#include "platform/win/internal/file_paths.h"
#include "platform/win/internal/kernel_object.h"
#include "platform/win/synchapi.h"

namespace {

class FileObject : public sim::detail::KernelObject {
public:
  FileObject(int fd, uint64_t openId) : fd_(fd), openId_(openId) {}
  ~FileObject() override {
    sim::detail::unregisterOpen(openId_);
    ::close(fd_);
  }
  // A file handle is signalled: no I/O of its own is ever pending here.
  DWORD waitFor(DWORD) override { return WAIT_OBJECT_0; }
  int fd() const { return fd_; }

private:
  int fd_;
  uint64_t openId_;
};

HANDLE failHandle(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

void splitFileTime(uint64_t value, LPFILETIME out) {
  if (out != nullptr) {
    out->dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFFu);
    out->dwHighDateTime = static_cast<DWORD>(value >> 32);
  }
}

} // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile) {
  const sim::detail::StandInCall inCall;
  if (fileName == nullptr || templateFile != nullptr || creationDisposition < CREATE_NEW ||
      creationDisposition > TRUNCATE_EXISTING || (shareMode & ~7u) != 0) {
    return failHandle(ERROR_INVALID_PARAMETER);
  }
  const bool wantsRead = (desiredAccess & (GENERIC_READ | GENERIC_ALL)) != 0;
  const bool wantsWrite = (desiredAccess & (GENERIC_WRITE | GENERIC_ALL)) != 0;
  if (creationDisposition == TRUNCATE_EXISTING && !wantsWrite) {
    return failHandle(ERROR_INVALID_PARAMETER);
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::CreateFileA)) {
    return failHandle(ERROR_ACCESS_DENIED);
  }
  const sim::detail::ResolvedPath where = sim::detail::resolvePath(fileName);
  if (where.error != 0) {
    return failHandle(where.error);
  }
  if (!where.parentExists) {
    return failHandle(ERROR_PATH_NOT_FOUND);
  }
  const sim::detail::HostStat before = sim::detail::hostStat(where.host);
  if (before.exists && before.isDir) {
    if ((flagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) == 0 || wantsWrite ||
        creationDisposition == CREATE_NEW || creationDisposition == CREATE_ALWAYS ||
        creationDisposition == TRUNCATE_EXISTING) {
      return failHandle(ERROR_ACCESS_DENIED);
    }
  }
  if (!before.exists &&
      (creationDisposition == OPEN_EXISTING || creationDisposition == TRUNCATE_EXISTING)) {
    return failHandle(ERROR_FILE_NOT_FOUND);
  }
  if (before.exists && creationDisposition == CREATE_NEW) {
    return failHandle(ERROR_FILE_EXISTS);
  }
  const bool truncate = before.exists && (creationDisposition == CREATE_ALWAYS ||
                                          creationDisposition == TRUNCATE_EXISTING);
  if (before.exists && before.readOnly && (wantsWrite || truncate)) {
    return failHandle(ERROR_ACCESS_DENIED);
  }
  int flags = O_CLOEXEC;
  if (before.exists && before.isDir) {
    flags |= O_RDONLY | O_DIRECTORY;
  } else {
    flags |= wantsWrite || truncate ? (wantsRead ? O_RDWR : O_WRONLY) : O_RDONLY;
    if (!before.exists) {
      flags |= O_CREAT | O_EXCL;
    }
  }
  const int fd = ::open(where.host.c_str(), flags, 0666);
  if (fd < 0) {
    return failHandle(sim::detail::windowsErrorOf(errno, true));
  }
  struct stat info;
  ::fstat(fd, &info);
  const int access = (wantsRead ? 1 : 0) | (wantsWrite ? 2 : 0);
  const uint64_t openId =
      sim::detail::registerOpen(info.st_dev, info.st_ino, access, static_cast<int>(shareMode));
  if (openId == 0) {
    ::close(fd);
    return failHandle(ERROR_SHARING_VIOLATION);
  }
  if (truncate && ::ftruncate(fd, 0) != 0) {
    const int err = errno;
    sim::detail::unregisterOpen(openId);
    ::close(fd);
    return failHandle(sim::detail::windowsErrorOf(err, true));
  }
  HANDLE handle = sim::detail::openHandle(std::make_shared<FileObject>(fd, openId));
  if (handle == nullptr) {
    return INVALID_HANDLE_VALUE;
  }
  const bool found =
      before.exists && (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS);
  SetLastError(found ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL GetFileTime(HANDLE file, LPFILETIME creationTime, LPFILETIME lastAccessTime,
                 LPFILETIME lastWriteTime) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::GetFileTime)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  const auto object = sim::detail::objectAs<FileObject>(file);
  struct stat info;
  if (!object || ::fstat(object->fd(), &info) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto ns = [](const timespec& t) { return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; };
  splitFileTime(sim::detail::fileTimeOf(ns(info.st_ctim)), creationTime);
  splitFileTime(sim::detail::fileTimeOf(ns(info.st_atim)), lastAccessTime);
  splitFileTime(sim::detail::fileTimeOf(ns(info.st_mtim)), lastWriteTime);
  return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh) {
  const auto object = sim::detail::objectAs<FileObject>(file);
  struct stat info;
  if (!object || ::fstat(object->fd(), &info) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return INVALID_FILE_SIZE;
  }
  const uint64_t size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
  if (fileSizeHigh != nullptr) {
    *fileSizeHigh = static_cast<DWORD>(size >> 32);
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

// Rewriting a file through a temporary file beside it, with Windows' own file calls.
#include "support/file_rewrite.h"

#include <atomic>
#include <chrono>
#include <new>

#include "platform/win/windows.h"

namespace qv {

namespace {

// "~qv" + four hex digits + ".tmp": the usual temporary name.
constexpr size_t kTempNameLength = 11;
constexpr unsigned kCandidates = 0x10000;

// Where the next search for a free temporary name starts: the clock at first use, then on from
// the last name taken, as GetTempFileName does.
std::atomic<unsigned> nextCandidate{static_cast<unsigned>(
    std::chrono::steady_clock::now().time_since_epoch().count() & (kCandidates - 1))};

// The folder part of path, with its separator ("" for a bare name).
std::string folderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  if (cut != std::string::npos) {
    return path.substr(0, cut + 1);
  }
  return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
}

// Temporary name number n in folder. The usual name when the whole path fits within MAX_PATH,
// else a name no longer than the target's own ("~" and hex digits), so that the temporary file
// fits wherever the target fits.
std::string candidate(const std::string& folder, size_t targetNameLength, unsigned n) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string name;
  if (folder.size() + kTempNameLength < MAX_PATH || targetNameLength >= kTempNameLength) {
    name = "~qv";
    for (int shift = 12; shift >= 0; shift -= 4) {
      name += kHex[(n >> shift) & 0xF];
    }
    name += ".tmp";
  } else {
    const size_t digits = targetNameLength > 1 ? targetNameLength - 1 : 1;
    name = targetNameLength > 1 ? "~" : "";
    for (size_t i = digits; i > 0; --i) {
      name += kHex[(n >> (4 * (i - 1))) & 0xF];
    }
  }
  return folder + name;
}

// How many distinct names candidate gives for a target name of that length.
unsigned candidateCount(const std::string& folder, size_t targetNameLength) {
  if (folder.size() + kTempNameLength < MAX_PATH || targetNameLength >= kTempNameLength) {
    return kCandidates;
  }
  const size_t digits = targetNameLength > 1 ? targetNameLength - 1 : 1;
  return digits >= 4 ? kCandidates : 1u << (4 * digits);
}

} // namespace

QvFileRewrite::QvFileRewrite(const char* path, const char* tempName, const char* mode, int share)
    : share_(share) {
  try {
    path_ = path != nullptr ? path : "";
    if (path_.empty()) {
      done_ = true;
      return;
    }
    const char* openMode = mode != nullptr ? mode : "w";
    const int shflag = share == -1 ? _SH_DENYNO : share;
    if (tempName == nullptr || tempName[0] == '\0') {
      createUniqueTemp();
      if (created_) {
        file_ = _fsopen(tempPath_.c_str(), openMode, shflag);
      }
    } else {
      // A name the caller gives is the system's own (such as "dialogs.new"): it is used as given.
      const std::string name(tempName);
      if (name.find_first_of("\\/") != std::string::npos || (name.size() >= 2 && name[1] == ':')) {
        tempPath_ = name;
      } else {
        tempPath_ = folderOf(path_) + name;
      }
      file_ = _fsopen(tempPath_.c_str(), openMode, shflag);
      created_ = file_ != nullptr;
    }
  } catch (const std::bad_alloc&) {
    file_ = nullptr;
  }
  if (file_ == nullptr) {
    abandon();
  }
}

void QvFileRewrite::createUniqueTemp() {
  const std::string folder = folderOf(path_);
  const size_t targetNameLength = path_.size() - folder.size();
  const unsigned count = candidateCount(folder, targetNameLength);
  const unsigned start = nextCandidate.fetch_add(1);
  for (unsigned i = 0; i < count; ++i) {
    const unsigned n = (start + i) % count;
    tempPath_ = candidate(folder, targetNameLength, n);
    // CREATE_NEW: a name that exists, whoever made it, is never taken over.
    HANDLE created = CreateFileA(tempPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created != INVALID_HANDLE_VALUE) {
      CloseHandle(created);
      created_ = true;
      nextCandidate.store(n + 1);
      return;
    }
    // Taken (a folder of that name answers ERROR_ACCESS_DENIED): try the next name. Anything
    // else, a missing or read-only folder, no other name would do better.
    const DWORD error = GetLastError();
    const bool taken = error == ERROR_FILE_EXISTS ||
                       (error == ERROR_ACCESS_DENIED &&
                        GetFileAttributesA(tempPath_.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (!taken) {
      SetLastError(error);
      return;
    }
  }
}

QvFileRewrite::~QvFileRewrite() {
  abandon();
}

void QvFileRewrite::abandon() {
  if (done_) {
    return;
  }
  done_ = true;
  if (file_ != nullptr) {
    fclose(file_);
    file_ = nullptr;
  }
  if (created_) {
    DeleteFileA(tempPath_.c_str());
    created_ = false;
  }
}

int QvFileRewrite::commit() {
  if (done_) {
    return 0;
  }
  done_ = true;
  if (file_ == nullptr) {
    return 0;
  }
  // A write that failed inside the stream's buffer shows in the flush, the error flag or the close.
  bool whole = fflush(file_) == 0;
  whole = ferror(file_) == 0 && whole;
  whole = fclose(file_) == 0 && whole;
  file_ = nullptr;
  if (whole && MoveFileExA(tempPath_.c_str(), path_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    created_ = false;
    return 1;
  }
  DWORD error = GetLastError();
  // A file another program holds open cannot be replaced; a caller that named a sharing mode
  // writes it in place instead, as a writer without a temporary file would.
  bool written = false;
  if (whole && share_ != -1 && (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)) {
    written = copyOverTarget();
    if (!written) {
      error = GetLastError();
    }
  }
  DeleteFileA(tempPath_.c_str());
  created_ = false;
  SetLastError(written ? ERROR_SUCCESS : error);
  return written ? 1 : 0;
}

bool QvFileRewrite::copyOverTarget() {
  FILE* from = _fsopen(tempPath_.c_str(), "rb", _SH_DENYNO);
  if (from == nullptr) {
    return false;
  }
  // Opening checks the sharing before it truncates: a holder that refuses writers keeps the file.
  FILE* to = _fsopen(path_.c_str(), "wb", share_);
  if (to == nullptr) {
    const DWORD error = GetLastError();
    fclose(from);
    SetLastError(error);
    return false;
  }
  char piece[16 * 1024];
  bool ok = true;
  size_t count = 0;
  while (ok && (count = fread(piece, 1, sizeof piece, from)) > 0) {
    ok = fwrite(piece, 1, count, to) == count;
  }
  ok = ferror(from) == 0 && ok;
  ok = fflush(to) == 0 && ok;
  ok = fclose(to) == 0 && ok;
  const DWORD error = GetLastError();
  fclose(from);
  SetLastError(ok ? ERROR_SUCCESS : (error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT));
  return ok;
}

} // namespace qv

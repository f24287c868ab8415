// Rewriting a file through a temporary file beside it, with Windows' own file calls.
#include "support/file_rewrite.h"

#include "platform/win/windows.h"

namespace qv {

QvFileRewrite::QvFileRewrite(const char* path, const char* tempName, const char* mode, int share)
    : path_(path != nullptr ? path : "") {
  if (path_.empty()) {
    done_ = true;
    return;
  }
  if (tempName == nullptr || tempName[0] == '\0') {
    tempPath_ = path_ + ".new";
  } else {
    const std::string name(tempName);
    if (name.find_first_of("\\/") != std::string::npos || (name.size() >= 2 && name[1] == ':')) {
      tempPath_ = name;
    } else {
      const size_t cut = path_.find_last_of("\\/");
      tempPath_ = cut == std::string::npos ? name : path_.substr(0, cut + 1) + name;
    }
  }
  file_ =
      _fsopen(tempPath_.c_str(), mode != nullptr ? mode : "w", share == -1 ? _SH_DENYNO : share);
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
    DeleteFileA(tempPath_.c_str());
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
    return 1;
  }
  const DWORD error = GetLastError();
  DeleteFileA(tempPath_.c_str());
  SetLastError(error);
  return 0;
}

} // namespace qv

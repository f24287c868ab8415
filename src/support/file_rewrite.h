// Rewriting a file safely: new content goes to a temporary file beside the old one, which takes
// the old one's place only when every write and the close succeeded.
#pragma once

#include <string>

#include "platform/win/stdio_win.h"

namespace qv {

// One rewrite of one file. Typical use:
//
//   QvFileRewrite rewrite(path, "dialogs.new");
//   if (FILE* out = rewrite.file()) { fputs(text, out); }
//   return rewrite.commit();
//
// A crash, a full disk or a failed close leaves the old file as it was.
class QvFileRewrite {
public:
  // Opens the temporary file for writing with mode ("w" text, "wb" binary) and share (-1 opens as
  // fopen does, any other value is passed to _fsopen as its sharing mode). tempName without a
  // separator is placed in path's folder ("dialogs.new"); with one it is used as given; null gives
  // path followed by ".new". When the temporary file cannot be opened, file() is null and
  // commit() answers 0.
  QvFileRewrite(const char* path, const char* tempName, const char* mode = "w", int share = -1);
  // Without a successful commit the temporary file is closed and deleted; the old file stays.
  ~QvFileRewrite();
  QvFileRewrite(const QvFileRewrite&) = delete;
  QvFileRewrite& operator=(const QvFileRewrite&) = delete;

  // The stream to write the new content to, or null when the temporary file could not be opened.
  FILE* file() const { return file_; }
  // The temporary file's path as given to the file calls.
  const std::string& tempPath() const { return tempPath_; }

  // Closes the temporary file; when it opened, no write failed and the close succeeded, it
  // replaces the file at path in one step (the file is created when it did not exist). Returns 1;
  // else 0 with the old file untouched and the temporary file deleted. A second call answers 0.
  int commit();
  // Gives the rewrite up now: the temporary file is closed and deleted, the old file stays.
  void abandon();

private:
  std::string path_;
  std::string tempPath_;
  FILE* file_ = nullptr;
  bool done_ = false;
};

} // namespace qv

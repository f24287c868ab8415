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
  // separator is placed in path's folder ("dialogs.new"); with one it is used as given. Null
  // gives a name that did not exist in path's folder ("~qv1A2B.tmp", created new, so that no
  // file of the user's is ever taken over), no longer than path's own name when the usual one
  // would not fit within MAX_PATH. When the temporary file cannot be made or opened, file() is
  // null and commit() answers 0.
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
  // When the old file cannot be replaced because another program holds it open and a sharing
  // mode was given, the new content is written over the old file in place (opened with that
  // mode, truncated and written), as a writer without a temporary file would: 1 when that open
  // and every write succeeded.
  int commit();
  // Gives the rewrite up now: the temporary file is closed and deleted, the old file stays.
  void abandon();

private:
  // Makes a new, empty file under a free name in path's folder (tempPath_, created_).
  void createUniqueTemp();
  // Copies the temporary file over the file at path, opened in place with share_.
  bool copyOverTarget();

  std::string path_;
  std::string tempPath_;
  int share_;
  FILE* file_ = nullptr;
  bool created_ = false; // the temporary file exists and is ours to delete
  bool done_ = false;
};

} // namespace qv

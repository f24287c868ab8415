// The lines of a file as fgets gives them, read in blocks rather than a call per line.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win/stdio_win.h"

namespace qv {

class LineReader {
public:
  // Lines as fgets with a buffer of size characters reads them: up to and with a line end, at most
  // size - 1 characters.
  LineReader(FILE* file, size_t size);

  // The next line's text up to its first NUL byte: NUL-terminated and writable up to and with
  // that NUL, valid until the next call. False at the end of the file, and once a read failed
  // (the line it cut short is not given, as fgets gives nothing then).
  bool next(char*& line, size_t& length);

private:
  bool fill();

  FILE* file_;
  size_t most_;
  std::vector<char> buffer_;
  size_t begin_ = 0;
  size_t end_ = 0;
  bool ended_ = false;
  bool failed_ = false;
  // The byte after the last line, made its NUL, put back before the next line is looked for.
  size_t markAt_ = 0;
  char marked_ = '\0';
  // Whether the text held holds a NUL byte: only then is a line's length measured.
  bool holdsNul_ = false;
};

} // namespace qv

// LineReader: fgets' lines cut out of blocks of the file.
#include "records/internal/line_reader.h"

#include <cstdio>
#include <cstring>

namespace qv {

namespace {

constexpr size_t kBlockSize = 64 * 1024;

} // namespace

LineReader::LineReader(FILE* file, size_t size)
    : file_(file), most_(size > 1 ? size - 1 : 1), buffer_(kBlockSize + most_ + 1) {}

bool LineReader::fill() {
  if (ended_) {
    return false;
  }
  const size_t pending = end_ - begin_; // less than most_: no whole line is left
  std::memmove(buffer_.data(), buffer_.data() + begin_, pending);
  begin_ = 0;
  end_ = pending;
  const size_t got = std::fread(buffer_.data() + end_, 1, kBlockSize, file_);
  end_ += got;
  holdsNul_ = std::memchr(buffer_.data(), '\0', end_) != nullptr;
  if (got < kBlockSize) {
    ended_ = true;
    failed_ = std::ferror(file_) != 0;
  }
  return got > 0;
}

bool LineReader::next(char*& line, size_t& length) {
  if (markAt_ != 0) {
    buffer_[markAt_] = marked_;
    markAt_ = 0;
  }
  size_t cut = 0;
  for (;;) {
    const size_t span = end_ - begin_ < most_ ? end_ - begin_ : most_;
    const void* lineEnd = std::memchr(buffer_.data() + begin_, '\n', span);
    if (lineEnd != nullptr) {
      cut = static_cast<size_t>(static_cast<const char*>(lineEnd) - buffer_.data()) + 1;
      break;
    }
    if (span == most_) {
      cut = begin_ + most_;
      break;
    }
    if (!fill()) {
      // The rest of a file that ended without a line end is its last line; after a failed read
      // the line it cut short is dropped.
      if (failed_ || begin_ == end_) {
        begin_ = end_;
        return false;
      }
      cut = end_;
      break;
    }
  }
  line = buffer_.data() + begin_;
  // The byte at cut exists: the buffer holds a block and a line more than its text.
  markAt_ = cut;
  marked_ = buffer_[cut];
  buffer_[cut] = '\0';
  length = holdsNul_ ? std::strlen(line) : cut - begin_;
  begin_ = cut;
  return true;
}

} // namespace qv

// The text of a block read as a file's pieces.
#include "records/internal/piece_text.h"

#include <cstring>

namespace qv {

namespace {

// The pieces one by one: the bytes after a NUL, up to the end of its piece, are dropped.
size_t keepPieceByPiece(char* block, size_t size, PieceState& state) {
  char* out = block;
  const char* in = block;
  const char* end = block + size;
  while (in < end) {
    const size_t room = kPieceChars - state.used;
    const size_t span = room < static_cast<size_t>(end - in) ? room : static_cast<size_t>(end - in);
    const void* lineEnd = std::memchr(in, '\n', span);
    const size_t take = lineEnd != nullptr ? static_cast<const char*>(lineEnd) - in + 1 : span;
    if (!state.dropping) {
      const void* nul = std::memchr(in, '\0', take);
      const size_t keep = nul != nullptr ? static_cast<const char*>(nul) - in : take;
      std::memmove(out, in, keep);
      out += keep;
      state.dropping = nul != nullptr;
    }
    in += take;
    if (lineEnd != nullptr || take == room) {
      state = PieceState{};
    } else {
      state.used += take;
    }
  }
  return static_cast<size_t>(out - block);
}

} // namespace

size_t keepPieceText(char* block, size_t size, PieceState& state) {
  if (state.dropping || std::memchr(block, '\0', size) != nullptr) {
    return keepPieceByPiece(block, size, state);
  }
  // Without a NUL every byte stays; only the place in the piece moves on. A line end ends its
  // piece, and pieces after it are full ones of kPieceChars.
  size_t afterLineEnd = size;
  while (afterLineEnd > 0 && block[afterLineEnd - 1] != '\n') {
    --afterLineEnd;
  }
  const size_t tail = size - afterLineEnd;
  state.used = (afterLineEnd > 0 ? tail : state.used + tail) % kPieceChars;
  return size;
}

} // namespace qv

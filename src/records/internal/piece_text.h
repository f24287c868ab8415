// The text a file gives when it is read in pieces of at most 254 characters each ending at a line
// end, each piece's text ending at its first NUL byte, worked out over blocks of any size.
#pragma once

#include <cstddef>

namespace qv {

// The scanner reads files in blocks of this size.
constexpr size_t kScanBlockSize = 64 * 1024;

// Characters in a piece at most.
constexpr size_t kPieceChars = 254;

// Where the reading stands in the piece it is in: characters of it read so far, and whether the
// rest of it is dropped because a NUL byte came before.
struct PieceState {
  size_t used = 0;
  bool dropping = false;
};

// Keeps in place, at the front of the size bytes at block, the text that those bytes give read in
// pieces, state carrying on from the block before. Returns the count of bytes kept.
size_t keepPieceText(char* block, size_t size, PieceState& state);

} // namespace qv

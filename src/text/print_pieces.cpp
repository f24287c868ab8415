// Printing long messages on the host's command line in pieces that its buffer takes whole.
#include "text/print_pieces.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/acad/acutads.h"

namespace qv {

void PrintInPieces(const char* text) {
  if (text == nullptr) {
    return;
  }
  for (size_t left = std::strlen(text); left > 0;) {
    const size_t piece = left < kCommandLinePiece ? left : kCommandLinePiece;
    acutPrintf("%.*s", static_cast<int>(piece), text);
    text += piece;
    left -= piece;
  }
}

void PrintLong(const char* format, ...) {
  if (format == nullptr) {
    return;
  }
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  char* text =
      length < 0 ? nullptr : static_cast<char*>(acad_malloc(static_cast<size_t>(length) + 1));
  if (text == nullptr) {
    char piece[kCommandLinePiece + 1];
    std::vsnprintf(piece, sizeof piece, format, args);
    acutPrintf("%s", piece);
  } else {
    std::vsnprintf(text, static_cast<size_t>(length) + 1, format, args);
    PrintInPieces(text);
    acad_free(text);
  }
  va_end(args);
}

} // namespace qv

// nextTag and getAttribute: the scanner under the record-table reader and the XML record form.
#include "records/tag_scanner.h"

#include <cstring>

#include "records/internal/no_case.h"
#include "text/xml_escape.h"

namespace qv {

namespace {

// The pieces a file is read in: up to 254 characters and the NUL.
constexpr int kPieceSize = 255;

// out = length bytes of text at begin (no NUL among them), with no copy in between: the byte
// after them is made a NUL for the assignment and put back.
void assignPiece(std::string& text, size_t begin, size_t length, msString& out) {
  char* start = text.data() + begin;
  const char saved = start[length];
  start[length] = '\0';
  out = start;
  start[length] = saved;
}

} // namespace

int nextTag(FILE* file, msString& before, msString& tag, QvScanBuffer& buffer) {
  constexpr size_t kNone = std::string::npos;
  size_t openAt = kNone;
  size_t closeAt = kNone;
  // Text before checked has been searched already: a long line read piece by piece is searched
  // once, not once per piece.
  size_t checked = buffer.pos;
  for (;;) {
    const char* base = buffer.text.c_str();
    if (openAt == kNone) {
      if (const char* open = std::strchr(base + checked, '<')) {
        openAt = static_cast<size_t>(open - base);
      }
    }
    if (closeAt == kNone) {
      if (const char* close = std::strchr(base + checked, '>')) {
        closeAt = static_cast<size_t>(close - base);
      }
    }
    if (openAt != kNone && closeAt != kNone) {
      break;
    }
    if (file == nullptr) {
      return 0;
    }
    char piece[kPieceSize];
    if (std::fgets(piece, sizeof piece, file) == nullptr) {
      return 0;
    }
    // What was scanned is dropped before the piece goes on, so the buffer holds only the text
    // after the last whole tag.
    const size_t dropped = buffer.pos;
    buffer.text.erase(0, dropped);
    buffer.pos = 0;
    checked = buffer.text.size();
    openAt = openAt != kNone ? openAt - dropped : kNone;
    closeAt = closeAt != kNone ? closeAt - dropped : kNone;
    buffer.text.append(piece);
  }
  if (closeAt < openAt) {
    return 0;
  }
  assignPiece(buffer.text, buffer.pos, openAt - buffer.pos, before);
  assignPiece(buffer.text, openAt + 1, closeAt - openAt - 1, tag);
  buffer.pos = closeAt + 1;
  return 1;
}

void getAttribute(const char* tag, const char* name, msString& out) {
  out = "";
  if (tag == nullptr || name == nullptr) {
    return;
  }
  std::string pattern(name);
  pattern += '=';
  const char* found = std::strstr(tag, pattern.c_str());
  if (found == nullptr) {
    return;
  }
  const char* value = found + pattern.size();
  if (*value == '"') {
    ++value;
  }
  const char* end = std::strchr(value, '"');
  if (end == nullptr) {
    return;
  }
  XmlUnescape(value, static_cast<size_t>(end - value), out);
}

int tagNameIs(const char* tag, const char* name) {
  if (tag == nullptr || name == nullptr) {
    return 0;
  }
  const char* space = std::strchr(tag, ' ');
  const size_t length = space != nullptr ? static_cast<size_t>(space - tag) : std::strlen(tag);
  return compareNoCase(tag, length, name, std::strlen(name)) == 0 ? 1 : 0;
}

int tagHasSpace(const char* tag) {
  return tag != nullptr && std::strchr(tag, ' ') != nullptr;
}

} // namespace qv

// nextTag and getAttribute: the scanner under the record-table reader and the XML record form.
#include "records/tag_scanner.h"

#include <cstring>

#include "records/internal/no_case.h"
#include "text/xml_escape.h"

namespace qv {

namespace {

// The pieces a file is read in: up to 254 characters and the NUL.
constexpr int kPieceSize = 255;
constexpr size_t kNone = std::string::npos;

bool isWhite(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// out = length bytes of text at start (no NUL among them), with no copy in between: the byte
// after them is made a NUL for the assignment and put back.
void assignPiece(char* start, size_t length, msString& out) {
  const char saved = start[length];
  start[length] = '\0';
  out = start;
  start[length] = saved;
}

// The first c in [from, size) of text, or kNone.
size_t findChar(const char* text, size_t from, size_t size, char c) {
  if (from >= size) {
    return kNone;
  }
  const void* found = std::memchr(text + from, c, size - from);
  return found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - text) : kNone;
}

// Looks for the ">" that ends the tag whose "<" stands at open, resuming where the last look
// stopped, so that a tag spread over many pieces is searched once.
class TagEnd {
public:
  explicit TagEnd(size_t open) : open_(open), at_(open + 1) {}

  // The position of the ">", or kNone when it is not in text yet.
  size_t find(const char* text, size_t size) {
    if (!decided_) {
      // Three characters tell a comment; a ">" among fewer ends an ordinary tag.
      if (size - at_ < 3 && findChar(text, at_, size, '>') == kNone) {
        return kNone;
      }
      comment_ = size - at_ >= 3 && std::memcmp(text + at_, "!--", 3) == 0;
      at_ = comment_ ? at_ + 3 : at_;
      decided_ = true;
    }
    return comment_ ? findCommentEnd(text, size) : findTagEnd(text, size);
  }
  // Positions move back by dropped when the text before them is dropped.
  void shift(size_t dropped) {
    open_ -= dropped;
    at_ -= dropped;
  }

private:
  size_t findCommentEnd(const char* text, size_t size) {
    for (size_t dash = findChar(text, at_, size, '-'); dash != kNone;
         dash = findChar(text, dash + 1, size, '-')) {
      if (dash + 2 < size && text[dash + 1] == '-' && text[dash + 2] == '>') {
        return dash + 2;
      }
      if (dash + 2 >= size) {
        at_ = dash; // "-" or "--" at the end: looked at again with the next piece
        return kNone;
      }
    }
    at_ = size;
    return kNone;
  }
  // A quote that follows "=" (white space between allowed) opens a value that runs to the same
  // quote; a ">" inside it does not end the tag.
  size_t findTagEnd(const char* text, size_t size) {
    for (; at_ < size; ++at_) {
      const char c = text[at_];
      if (quote_ != '\0') {
        if (c == quote_) {
          quote_ = '\0';
        }
      } else if (c == '>') {
        return at_;
      } else if ((c == '"' || c == '\'') && afterEquals_) {
        quote_ = c;
        afterEquals_ = false;
      } else if (c == '=') {
        afterEquals_ = true;
      } else if (!isWhite(c)) {
        afterEquals_ = false;
      }
    }
    return kNone;
  }

  size_t open_;
  size_t at_;
  bool decided_ = false;
  bool comment_ = false;
  char quote_ = '\0';
  bool afterEquals_ = false;
};

// The attribute scan of getAttribute: p stands in the tag's text after the element name.
struct AttributeCursor {
  const char* p;

  // Takes the next attribute with a value: name and the value's bounds (end null when it has no
  // closing quote; quoted false for an unquoted value, whose end is its first white space).
  // False when the text ends.
  bool next(const char*& name, size_t& nameLength, const char*& value, const char*& end,
            bool& quoted) {
    for (;;) {
      while (isWhite(*p) || *p == '/') {
        ++p;
      }
      if (*p == '\0') {
        return false;
      }
      name = p;
      while (*p != '\0' && !isWhite(*p) && *p != '=') {
        ++p;
      }
      nameLength = static_cast<size_t>(p - name);
      const char* equals = p;
      while (isWhite(*equals)) {
        ++equals;
      }
      if (*equals != '=') {
        continue; // a name without a value: passed over
      }
      p = equals + 1;
      while (isWhite(*p)) {
        ++p;
      }
      quoted = *p == '"' || *p == '\'';
      if (quoted) {
        const char quote = *p++;
        value = p;
        end = std::strchr(p, quote);
        p = end != nullptr ? end + 1 : p + std::strlen(p);
      } else {
        value = p;
        while (*p != '\0' && !isWhite(*p)) {
          ++p;
        }
        end = p;
      }
      return true;
    }
  }
};

} // namespace

int nextTag(FILE* file, msString& before, msString& tag, QvScanBuffer& buffer) {
  size_t openAt = kNone;
  size_t closeAt = kNone;
  size_t endAt = kNone;
  TagEnd tagEnd(0);
  // Text before checked has been searched already: a long line read piece by piece is searched
  // once, not once per piece.
  size_t checked = buffer.pos;
  for (;;) {
    const char* base = buffer.data();
    const size_t size = buffer.size();
    if (openAt == kNone && (openAt = findChar(base, checked, size, '<')) != kNone) {
      tagEnd = TagEnd(openAt);
    }
    if (closeAt == kNone) {
      closeAt = findChar(base, checked, size, '>');
    }
    if (closeAt != kNone && (openAt == kNone || closeAt < openAt)) {
      return 0; // a ">" before the next "<"
    }
    if (openAt != kNone && closeAt != kNone && (endAt = tagEnd.find(base, size)) != kNone) {
      break;
    }
    if (file == nullptr || buffer.borrowed != nullptr) {
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
    if (openAt != kNone) {
      openAt -= dropped;
      tagEnd.shift(dropped);
    }
    closeAt = closeAt != kNone ? closeAt - dropped : kNone;
    buffer.text.append(piece);
  }
  char* base = buffer.data();
  assignPiece(base + buffer.pos, openAt - buffer.pos, before);
  assignPiece(base + openAt + 1, endAt - openAt - 1, tag);
  buffer.pos = endAt + 1;
  return 1;
}

void getAttribute(const char* tag, const char* name, msString& out) {
  out = "";
  if (tag == nullptr || name == nullptr) {
    return;
  }
  AttributeCursor cursor{tag};
  while (*cursor.p != '\0' && !isWhite(*cursor.p)) {
    ++cursor.p; // the element name
  }
  const size_t wanted = std::strlen(name);
  const char* attribute = nullptr;
  size_t length = 0;
  const char* value = nullptr;
  const char* end = nullptr;
  bool quoted = false;
  while (cursor.next(attribute, length, value, end, quoted)) {
    if (length != wanted || std::memcmp(attribute, name, wanted) != 0) {
      continue;
    }
    if (!quoted) {
      end = std::strchr(value, '"'); // as the format always read it
    }
    if (end != nullptr) {
      XmlUnescape(value, static_cast<size_t>(end - value), out);
    }
    return;
  }
}

int tagNameIs(const char* tag, const char* name) {
  if (tag == nullptr || name == nullptr) {
    return 0;
  }
  size_t length = 0;
  while (tag[length] != '\0' && !isWhite(tag[length]) && !(tag[length] == '/' && length > 0)) {
    ++length;
  }
  return compareNoCase(tag, length, name, std::strlen(name)) == 0 ? 1 : 0;
}

int tagHasSpace(const char* tag) {
  if (tag == nullptr) {
    return 0;
  }
  for (const char* p = tag; *p != '\0'; ++p) {
    if (isWhite(*p)) {
      return 1;
    }
  }
  return 0;
}

int tagClosesItself(const char* tag) {
  if (tag == nullptr) {
    return 0;
  }
  size_t end = std::strlen(tag);
  while (end > 0 && isWhite(tag[end - 1])) {
    --end;
  }
  return end > 1 && tag[end - 1] == '/' ? 1 : 0;
}

} // namespace qv

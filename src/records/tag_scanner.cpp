// nextTag and getAttribute: the scanner under the record-table reader and the XML record form.
#include "records/tag_scanner.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "records/internal/no_case.h"
#include "records/internal/piece_text.h"
#include "records/internal/tag_view.h"
#include "text/xml_escape.h"

namespace qv {

namespace {

constexpr size_t kNone = std::string::npos;

// out = length bytes of text at start (no NUL among them), with no copy in between: the byte
// after them is made a NUL for the assignment and put back.
void assignPiece(char* start, size_t length, msString& out) {
  const char saved = start[length];
  start[length] = '\0';
  out = start;
  start[length] = saved;
}

// The first c in [from, size) of text, or kNone. The few characters between tags are looked at
// one by one before a longer text is searched by memchr.
size_t findChar(const char* text, size_t from, size_t size, char c) {
  if (from >= size) {
    return kNone;
  }
  const size_t near = size - from < 16 ? size : from + 16;
  for (; from < near; ++from) {
    if (text[from] == c) {
      return from;
    }
  }
  if (from >= size) {
    return kNone;
  }
  const void* found = std::memchr(text + from, c, size - from);
  return found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - text) : kNone;
}

// The characters that findTagEnd must look at outside a quoted value (and the NUL that ends the
// text): every other one only ends an "=" run.
struct TagSpecial {
  bool marks[256] = {};
  constexpr TagSpecial() {
    for (const char c : {'>', '"', '\'', '=', ' ', '\t', '\r', '\n', '\0'}) {
      marks[static_cast<unsigned char>(c)] = true;
    }
  }
};
constexpr TagSpecial kTagSpecial;

// The first character at or after p that kTagSpecial marks, four at a time: the NUL after the
// text is marked, so no character after it is read.
const char* skipPlain(const char* p) {
  const bool* marks = kTagSpecial.marks;
  for (;; p += 4) {
    if (marks[static_cast<unsigned char>(p[0])]) {
      return p;
    }
    if (marks[static_cast<unsigned char>(p[1])]) {
      return p + 1;
    }
    if (marks[static_cast<unsigned char>(p[2])]) {
      return p + 2;
    }
    if (marks[static_cast<unsigned char>(p[3])]) {
      return p + 3;
    }
  }
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
  // quote; a ">" inside it does not end the tag. The NUL that follows the text stops each run.
  size_t findTagEnd(const char* text, size_t size) {
    const char* p = text + at_;
    const char* const end = text + size;
    char quote = quote_;
    bool afterEquals = afterEquals_;
    size_t found = kNone;
    for (;;) {
      if (quote != '\0') {
        while (*p != quote && *p != '\0') {
          ++p;
        }
        if (p == end) {
          break;
        }
        quote = *p == quote ? '\0' : quote;
        ++p;
        continue;
      }
      const char* run = p;
      p = skipPlain(p);
      afterEquals = afterEquals && p == run;
      if (p == end) {
        break;
      }
      const char c = *p;
      if (c == '>') {
        found = static_cast<size_t>(p - text);
        break;
      }
      if ((c == '"' || c == '\'') && afterEquals) {
        quote = c;
        afterEquals = false;
      } else if (c == '=') {
        afterEquals = true;
      } else if (!isTagWhite(c)) {
        afterEquals = false; // a quote not after "=", or a NUL inside the text
      }
      ++p;
    }
    at_ = static_cast<size_t>(p - text);
    quote_ = quote;
    afterEquals_ = afterEquals;
    return found;
  }

  size_t open_;
  size_t at_;
  bool decided_ = false;
  bool comment_ = false;
  char quote_ = '\0';
  bool afterEquals_ = false;
};

// Character kinds for the attribute scan.
constexpr unsigned char kWhite = 1;
constexpr unsigned char kEquals = 2;
constexpr unsigned char kEnd = 4; // the NUL
constexpr unsigned char kSlash = 8;
struct AttributeKinds {
  unsigned char of[256] = {};
  constexpr AttributeKinds() {
    for (const char c : {' ', '\t', '\r', '\n'}) {
      of[static_cast<unsigned char>(c)] = kWhite;
    }
    of[static_cast<unsigned char>('=')] = kEquals;
    of[0] = kEnd;
    of[static_cast<unsigned char>('/')] = kSlash;
  }
  unsigned char operator()(char c) const { return of[static_cast<unsigned char>(c)]; }
};
constexpr AttributeKinds kKind;

// The attribute scan of getAttribute: p stands in the tag's text after the element name.
struct AttributeCursor {
  const char* p;

  // Takes the next attribute with a value: name and the value's bounds (end null when it has no
  // closing quote; quoted false for an unquoted value, whose end is its first white space).
  // False when the text ends.
  bool next(const char*& name, size_t& nameLength, const char*& value, const char*& end,
            bool& quoted) {
    const char* at = p;
    for (;;) {
      while ((kKind(*at) & (kWhite | kSlash)) != 0) {
        ++at;
      }
      if (*at == '\0') {
        p = at;
        return false;
      }
      name = at;
      while ((kKind(*at) & (kEnd | kWhite | kEquals)) == 0) {
        ++at;
      }
      nameLength = static_cast<size_t>(at - name);
      const char* equals = at;
      while (kKind(*equals) == kWhite) {
        ++equals;
      }
      if (*equals != '=') {
        continue; // a name without a value: passed over
      }
      at = equals + 1;
      while (kKind(*at) == kWhite) {
        ++at;
      }
      quoted = *at == '"' || *at == '\'';
      if (quoted) {
        const char quote = *at++;
        value = at;
        while (*at != quote && *at != '\0') {
          ++at;
        }
        end = *at == quote ? at : nullptr;
        p = *at == quote ? at + 1 : at;
      } else {
        value = at;
        while ((kKind(*at) & (kEnd | kWhite)) == 0) {
          ++at;
        }
        end = at;
        p = at;
      }
      return true;
    }
  }
};

// The characters that end a run in scanPlainTag: white space, "=", ">", quotes, "/" and the NUL.
struct PlainStops {
  bool marks[256] = {};
  constexpr PlainStops() {
    for (const char c : {' ', '\t', '\r', '\n', '=', '>', '"', '\'', '/', '\0'}) {
      marks[static_cast<unsigned char>(c)] = true;
    }
  }
  bool operator()(char c) const { return marks[static_cast<unsigned char>(c)]; }
};
constexpr PlainStops kPlainStop;

// The characters that end an element name: those of kPlainStop but "/".
struct NameStops : PlainStops {
  constexpr NameStops() { marks[static_cast<unsigned char>('/')] = false; }
};
constexpr NameStops kNameStop;

// The characters that end a run inside a quoted value: the quotes, the NUL, and the two that may
// start an escape.
struct ValueStops {
  bool marks[256] = {};
  constexpr ValueStops() {
    for (const char c : {'"', '\'', '&', '\\', '\0'}) {
      marks[static_cast<unsigned char>(c)] = true;
    }
  }
  bool operator()(char c) const { return marks[static_cast<unsigned char>(c)]; }
};
constexpr ValueStops kValueStop;

// The first character at or after p that kValueStop marks, end being the end of the text. Values
// are short but of every length: while sixteen bytes are left they are looked at together, which
// costs less than a loop whose end the processor cannot foresee.
const char* skipValue(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i doubleQuote = _mm_set1_epi8('"');
  const __m128i singleQuote = _mm_set1_epi8('\'');
  const __m128i ampersand = _mm_set1_epi8('&');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i nul = _mm_setzero_si128();
  for (; end - p >= 16; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i quotes =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, doubleQuote), _mm_cmpeq_epi8(bytes, singleQuote));
    const __m128i escapes =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, ampersand), _mm_cmpeq_epi8(bytes, backslash));
    const int stops =
        _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(quotes, escapes), _mm_cmpeq_epi8(bytes, nul)));
    if (stops != 0) {
      return p + __builtin_ctz(static_cast<unsigned>(stops));
    }
  }
#else
  (void)end;
#endif
  while (!kValueStop(*p)) {
    ++p; // the NUL after the text stops this
  }
  return p;
}

const char* skipTagWhite(const char* p) {
  while (isTagWhite(*p)) {
    ++p;
  }
  return p;
}

// Reads the tag whose "<" stands at open in one pass when it is written as writers write tags:
// an element name, then attributes each a name, "=" and a value in double or single quotes, with
// white space (and "/") between them. Returns the position of its ">" and notes its attributes in
// tag; kNone for any other tag (a comment, a name without a value, an unquoted value, text after
// a closing quote) and for a tag not whole in the text, which the general scan then reads. On
// such tags both scans find the same end, and the attributes are those findAttributes finds.
size_t scanPlainTag(const char* text, size_t open, size_t size, TagView& tag) {
  const char* p = text + open + 1;
  const char* const end = text + size;
  if (end - p >= 3 && std::memcmp(p, "!--", 3) == 0) {
    return kNone;
  }
  // The element name as elementNameLength counts it: on a plain tag its run of characters ends at
  // white space or the ">", and a "/" after its first character ends it earlier.
  const char* const name = p;
  p += *p == '/' ? 1 : 0;
  while (!kPlainStop(*p)) {
    ++p;
  }
  const size_t nameLength = static_cast<size_t>(p - name);
  while (!kNameStop(*p)) {
    ++p; // the rest of the run, as findAttributes passes over it
  }
  int count = 0;
  for (;;) {
    while (isTagWhite(*p) || *p == '/') {
      ++p;
    }
    if (*p == '>') {
      tag.seenCount = count <= TagView::kMostSeen ? count : -1;
      tag.nameLength = nameLength;
      return static_cast<size_t>(p - text);
    }
    const char* attribute = p;
    while (!kPlainStop(*p)) {
      ++p;
    }
    const char* attributeEnd = p;
    p = skipTagWhite(p);
    if (p == attribute || *p != '=') {
      return kNone; // a NUL (the text's end), or not a plain attribute
    }
    p = skipTagWhite(p + 1);
    const char quote = *p;
    if (quote != '"' && quote != '\'') {
      return kNone;
    }
    const char* value = p + 1;
    const char* close = value;
    bool plain = true;
    for (;;) {
      close = skipValue(close, end);
      if (*close == quote) {
        break;
      }
      if (*close == '\0') {
        return kNone; // the text's end: the value goes on in the next block
      }
      plain = plain && *close != '&' && *close != '\\';
      ++close;
    }
    p = close + 1;
    if (!isTagWhite(*p) && *p != '/' && *p != '>') {
      return kNone;
    }
    if (count < TagView::kMostSeen) {
      tag.seen[count] = {attribute, value, static_cast<uint32_t>(attributeEnd - attribute),
                         static_cast<uint32_t>(close - value), plain};
    }
    ++count;
  }
}

// Reads the next block of the file into the buffer, behind the text not yet scanned (the text
// before pos is dropped first). False at the end of the file or when the read failed.
bool readBlock(FILE* file, QvScanBuffer& buffer) {
  if (buffer.ended) {
    return false;
  }
  buffer.text.erase(0, buffer.pos);
  buffer.pos = 0;
  // Read into a block of its own, which is sized once, rather than into text grown and filled
  // with NULs for every block.
  buffer.block.resize(kScanBlockSize);
  char* block = buffer.block.data();
  const size_t got = std::fread(block, 1, kScanBlockSize, file);
  if (got < kScanBlockSize) {
    buffer.ended = true;
  }
  if (got == 0 || std::ferror(file) != 0) {
    // As a failed read of a piece gave nothing, neither does a failed block.
    buffer.ended = true;
    return false;
  }
  PieceState state{buffer.pieceUsed, buffer.droppingPiece};
  buffer.text.append(block, keepPieceText(block, got, state));
  buffer.pieceUsed = state.used;
  buffer.droppingPiece = state.dropping;
  return true;
}

} // namespace

int takeTag(FILE* file, QvScanBuffer& buffer, TagView& tag, msString* keepLast, const char** before,
            size_t* beforeLength) {
  size_t openAt = kNone;
  size_t endAt = kNone;
  TagEnd tagEnd(0);
  tag.seenCount = -1;
  tag.nameLength = TagView::kNameUncounted;
  // A caller's text scanned in place may hold a NUL inside a value, where findAttributes stops:
  // only a file's text, which holds none, is read by the plain scan.
  bool plainTried = buffer.borrowed != nullptr;
  // Text before checked has been searched for "<" and ">" already: a long line read block by
  // block is searched once, not once per block.
  size_t checked = buffer.pos;
  for (;;) {
    const char* base = buffer.data();
    const size_t size = buffer.size();
    if (openAt == kNone) {
      openAt = findChar(base, checked, size, '<');
      if (findChar(base, checked, openAt != kNone ? openAt : size, '>') != kNone) {
        return 0; // a ">" before the next "<"
      }
      if (openAt != kNone) {
        tagEnd = TagEnd(openAt);
      }
    }
    // The end is looked for once the "<" is there; it cannot be found before a ">" has come.
    if (openAt != kNone && !plainTried) {
      plainTried = true;
      if ((endAt = scanPlainTag(base, openAt, size, tag)) != kNone) {
        break;
      }
    }
    if (openAt != kNone && (endAt = tagEnd.find(base, size)) != kNone) {
      break;
    }
    if (file == nullptr || buffer.borrowed != nullptr) {
      return 0;
    }
    // What was scanned is dropped before the block goes on, so the buffer holds only the text
    // after the last whole tag.
    const size_t dropped = buffer.pos;
    if (tag.text != nullptr && keepLast != nullptr) {
      *keepLast = tag.text;
    }
    tag.text = nullptr;
    if (!readBlock(file, buffer)) {
      return 0;
    }
    checked = size - dropped;
    if (openAt != kNone) {
      openAt -= dropped;
      tagEnd.shift(dropped);
    }
  }
  buffer.unmark();
  char* base = buffer.data();
  base[endAt] = '\0';
  tag.text = base + openAt + 1;
  tag.length = endAt - openAt - 1;
  if (buffer.borrowed != nullptr) {
    buffer.markAt = endAt;
    tag.length = std::strlen(tag.text); // a caller's text may hold a NUL
  }
  if (before != nullptr) {
    *before = base + buffer.pos;
    *beforeLength = openAt - buffer.pos;
  }
  buffer.pos = endAt + 1;
  return 1;
}

bool takeTagQuickly(QvScanBuffer& buffer, TagView& tag) {
  if (buffer.borrowed != nullptr) {
    return false;
  }
  char* base = buffer.text.data();
  const size_t size = buffer.text.size();
  size_t open = buffer.pos;
  while (open < size && isTagWhite(base[open])) {
    ++open;
  }
  if (open >= size || base[open] != '<') {
    return false;
  }
  const size_t end = scanPlainTag(base, open, size, tag);
  if (end == kNone) {
    tag.seenCount = -1;
    tag.nameLength = TagView::kNameUncounted;
    return false;
  }
  base[end] = '\0';
  tag.text = base + open + 1;
  tag.length = end - open - 1;
  buffer.pos = end + 1;
  return true;
}

int nextTag(FILE* file, msString& before, msString& tag, QvScanBuffer& buffer) {
  TagView view;
  const char* beforeText = nullptr;
  size_t beforeLength = 0;
  if (takeTag(file, buffer, view, nullptr, &beforeText, &beforeLength) == 0) {
    return 0;
  }
  assignPiece(const_cast<char*>(beforeText), beforeLength, before);
  tag = view.text;
  buffer.unmark();
  return 1;
}

void findAttributes(const char* tag, AttributeWant* wants, size_t count) {
  AttributeCursor cursor{tag};
  while ((kKind(*cursor.p) & (kEnd | kWhite)) == 0) {
    ++cursor.p; // the element name
  }
  size_t left = count;
  const char* attribute = nullptr;
  size_t length = 0;
  const char* value = nullptr;
  const char* end = nullptr;
  bool quoted = false;
  while (left > 0 && cursor.next(attribute, length, value, end, quoted)) {
    for (size_t i = 0; i < count; ++i) {
      AttributeWant& want = wants[i];
      if (want.found || length != want.nameLength || !sameNameBytes(attribute, want.name, length)) {
        continue;
      }
      want.found = true;
      want.value = value;
      want.end = quoted ? end : std::strchr(value, '"'); // as the format always read it
      --left;
      break;
    }
  }
}

size_t attributeText(const AttributeWant& want, std::string& out) {
  if (want.end == nullptr) {
    out.clear();
    return 0;
  }
  // Copied as it is up to the first character that may start an escape; only from there on is
  // the copy unescaped.
  const size_t length = static_cast<size_t>(want.end - want.value);
  out.resize(length);
  char* to = out.data();
  size_t i = 0;
  for (; i < length; ++i) {
    const char c = want.value[i];
    if (c == '&' || c == '\\') {
      break;
    }
    to[i] = c;
  }
  if (i == length) {
    return length;
  }
  std::memcpy(to + i, want.value + i, length - i);
  XmlUnescape(to + i);
  return i + std::strlen(to + i);
}

size_t attributeViewSlowly(const AttributeWant& want, std::string& scratch, const char*& text) {
  const size_t length = static_cast<size_t>(want.end - want.value);
  for (size_t i = 0; i < length; ++i) {
    if (want.value[i] == '&' || want.value[i] == '\\') {
      const size_t unescaped = attributeText(want, scratch);
      text = scratch.c_str();
      return unescaped;
    }
  }
  text = want.value;
  return length;
}

void getAttribute(const char* tag, const char* name, msString& out) {
  out = "";
  if (tag == nullptr || name == nullptr) {
    return;
  }
  AttributeWant want{name, std::strlen(name)};
  findAttributes(tag, &want, 1);
  if (want.end != nullptr) {
    XmlUnescape(want.value, static_cast<size_t>(want.end - want.value), out);
  }
}

int tagNameIs(const char* tag, const char* name) {
  if (tag == nullptr || name == nullptr) {
    return 0;
  }
  return compareNoCase(tag, elementNameLength(tag), name, std::strlen(name)) == 0 ? 1 : 0;
}

int tagHasSpace(const char* tag) {
  if (tag == nullptr) {
    return 0;
  }
  for (const char* p = tag; *p != '\0'; ++p) {
    if (isTagWhite(*p)) {
      return 1;
    }
  }
  return 0;
}

int tagClosesItself(const char* tag) {
  if (tag == nullptr) {
    return 0;
  }
  return closesItself(tag, std::strlen(tag)) ? 1 : 0;
}

} // namespace qv

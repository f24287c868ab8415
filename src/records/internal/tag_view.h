// The tag scanner without copies: tags taken as views of the scanner's buffer, their names and
// attributes read in place. nextTag, getAttribute and the tag tests are built on these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "records/tag_scanner.h"

namespace qv {

// A tag taken by takeTag: the text between "<" and ">", NUL-terminated inside the buffer (the
// ">" made a NUL, put back by the next take when the text is scanned in place). It stays valid
// until the next tag is taken. length counts up to the first NUL.
struct TagView {
  const char* text = nullptr;
  size_t length = 0;
  // The attributes, in order, when the scan that found the tag's end could read them on the way:
  // a tag of plain name="value" attributes (single quotes too) read from a file. Then
  // findAttributes need not read the tag again. seenCount is -1 when they are not known.
  struct Attribute {
    const char* name;
    const char* value; // after the opening quote
    uint32_t nameLength;
    uint32_t valueLength; // up to the closing quote
    bool plain;           // the value holds no "&" or "\\": nothing to unescape
  };
  static constexpr int kMostSeen = 6;
  Attribute seen[kMostSeen];
  int seenCount = -1;
  // The length of the element name when that scan counted it, else kNameUncounted.
  static constexpr size_t kNameUncounted = static_cast<size_t>(-1);
  size_t nameLength = kNameUncounted;
};

// nextTag without its copies: the same tags in the same cases. tag holds the last tag taken, or
// a null text; when the buffer must move while tag is still in it, the tag is copied to keepLast
// first (when given) and tag's text becomes null. On failure the buffer keeps the last tag's
// mark. before and beforeLength give the text up to the "<" (not NUL-terminated).
int takeTag(FILE* file, QvScanBuffer& buffer, TagView& tag, msString* keepLast = nullptr,
            const char** before = nullptr, size_t* beforeLength = nullptr);

// takeTag's usual case in fewer steps: the next tag of a file's text read so far, after nothing
// but white space, whole and of plain attributes. False, with nothing taken, for any other case,
// which takeTag then handles.
bool takeTagQuickly(QvScanBuffer& buffer, TagView& tag);

inline bool isTagWhite(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The length of the tag's element name as tagNameIs takes it.
inline size_t elementNameLength(const char* tag) {
  size_t length = 0;
  while (tag[length] != '\0' && !isTagWhite(tag[length]) && !(tag[length] == '/' && length > 0)) {
    ++length;
  }
  return length;
}

// The same for a tag taken by takeTag, counted by its scan where that could.
inline size_t elementNameLength(const TagView& tag) {
  return tag.nameLength != TagView::kNameUncounted ? tag.nameLength : elementNameLength(tag.text);
}

// True when the first length characters of tag equal lowerName (lower case, length characters)
// with the case of ASCII letters ignored.
inline bool equalsLowerName(const char* tag, size_t length, const char* lowerName,
                            size_t nameLength) {
  if (length != nameLength) {
    return false;
  }
  // A letter of lowerName matches its two cases, which differ only in the bit 0x20; any other
  // character only itself. Where lowerName is a constant, each comparison is a single one.
  for (size_t i = 0; i < length; ++i) {
    const char want = lowerName[i];
    const char c = want >= 'a' && want <= 'z' ? static_cast<char>(tag[i] | 0x20) : tag[i];
    if (c != want) {
      return false;
    }
  }
  return true;
}

// tagClosesItself for a tag of known length.
inline bool closesItself(const char* tag, size_t length) {
  while (length > 0 && isTagWhite(tag[length - 1])) {
    --length;
  }
  return length > 1 && tag[length - 1] == '/';
}

// One attribute asked of findAttributes: its name, then where its value lies once found (end
// null when getAttribute would give the empty text).
struct AttributeWant {
  const char* name;
  size_t nameLength;
  const char* value = nullptr;
  const char* end = nullptr;
  bool found = false;
  bool plain = false; // known to hold nothing to unescape
};

// Finds several attributes in one pass over the tag, each as getAttribute finds it.
void findAttributes(const char* tag, AttributeWant* wants, size_t count);

// True when the length bytes at a and b are the same. The names asked for are a few characters
// long: compared here rather than by a call, four at a time while four are left.
inline bool sameNameBytes(const char* a, const char* b, size_t length) {
  size_t i = 0;
  for (; i + 4 <= length; i += 4) {
    uint32_t left = 0;
    uint32_t right = 0;
    std::memcpy(&left, a + i, 4);
    std::memcpy(&right, b + i, 4);
    if (left != right) {
      return false;
    }
  }
  for (; i < length; ++i) {
    if (a[i] != b[i]) {
      return false;
    }
  }
  return true;
}

// findAttributes for a tag taken by takeTag, from the attributes its scan saw when it saw them
// all. Inline, so that where the names asked for are constants, each comparison becomes one.
inline void findAttributes(const TagView& tag, AttributeWant* wants, size_t count) {
  if (tag.seenCount < 0) {
    findAttributes(tag.text, wants, count);
    return;
  }
  size_t left = count;
  for (int i = 0; i < tag.seenCount && left > 0; ++i) {
    const TagView::Attribute& seen = tag.seen[i];
    for (size_t w = 0; w < count; ++w) {
      AttributeWant& want = wants[w];
      if (want.found || seen.nameLength != want.nameLength ||
          !sameNameBytes(seen.name, want.name, want.nameLength)) {
        continue;
      }
      want.found = true;
      want.value = seen.value;
      want.end = seen.value + seen.valueLength;
      want.plain = seen.plain;
      --left;
      break;
    }
  }
}

// The value of a found attribute unescaped as XML text into out; the empty text when there is
// none. Returns the length of out's text (up to its first NUL, which an escape may make).
size_t attributeText(const AttributeWant& want, std::string& out);

// attributeView below for a found value not known to be plain: looked through for escapes.
size_t attributeViewSlowly(const AttributeWant& want, std::string& scratch, const char*& text);

// The same text without a copy where none is needed: text points into the tag when the value
// holds nothing to unescape, else into scratch, which then holds attributeText's result. Returns
// the length of the text.
inline size_t attributeView(const AttributeWant& want, std::string& scratch, const char*& text) {
  if (want.end == nullptr) {
    text = "";
    return 0;
  }
  if (want.plain) {
    text = want.value;
    return static_cast<size_t>(want.end - want.value);
  }
  return attributeViewSlowly(want, scratch, text);
}

} // namespace qv

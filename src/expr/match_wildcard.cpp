// Wildcard matching: the pieces between stars are fixed-length, so taking each at its leftmost
// place never loses a match, and no backtracking is needed.
#include "expr/match_wildcard.h"

#include <cstring>

#include "platform/acad/adscodes.h"

namespace qv {

namespace {

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool matchesOne(char c, char wildcard) {
  switch (wildcard) {
  case '?':
    return true;
  case '#':
    return c >= '0' && c <= '9';
  case '@':
    return isLetter(c);
  case '.':
    return !isLetter(c);
  default:
    return c == wildcard;
  }
}

// True when length characters of text match length characters of pattern (no stars among them).
bool matchesPiece(const char* text, const char* pattern, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (!matchesOne(text[i], pattern[i])) {
      return false;
    }
  }
  return true;
}

// Leftmost place in text (of textLength) where the piece matches; textLength when none does.
size_t findPiece(const char* text, size_t textLength, const char* piece, size_t pieceLength) {
  for (size_t at = 0; at + pieceLength <= textLength; ++at) {
    if (matchesPiece(text + at, piece, pieceLength)) {
      return at;
    }
  }
  return textLength;
}

} // namespace

int MatchWildcard(const char* text, const char* pattern) {
  text = text != nullptr ? text : "";
  pattern = pattern != nullptr ? pattern : "";
  size_t textLength = std::strlen(text);
  if (textLength == 0) {
    return pattern[0] == '\0' || std::strcmp(pattern, "*") == 0 ? RTNORM : RTERROR;
  }
  const char* star = std::strchr(pattern, '*');
  if (star == nullptr) {
    const size_t length = std::strlen(pattern);
    return length == textLength && matchesPiece(text, pattern, length) ? RTNORM : RTERROR;
  }
  const size_t headLength = static_cast<size_t>(star - pattern);
  if (headLength > textLength || !matchesPiece(text, pattern, headLength)) {
    return RTERROR;
  }
  text += headLength;
  textLength -= headLength;
  for (;;) {
    const char* piece = star + 1;
    const char* nextStar = std::strchr(piece, '*');
    if (nextStar == nullptr) {
      // The last piece must match the end of what is left.
      const size_t tailLength = std::strlen(piece);
      if (tailLength > textLength) {
        return RTERROR;
      }
      return matchesPiece(text + textLength - tailLength, piece, tailLength) ? RTNORM : RTERROR;
    }
    const size_t pieceLength = static_cast<size_t>(nextStar - piece);
    const size_t at = findPiece(text, textLength, piece, pieceLength);
    if (at == textLength && pieceLength > 0) {
      return RTERROR;
    }
    text += at + pieceLength;
    textLength -= at + pieceLength;
    star = nextStar;
  }
}

} // namespace qv

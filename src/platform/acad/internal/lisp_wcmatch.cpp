// Wild-card matching as wcmatch does it, in time linear in the text per star.
#include "platform/acad/internal/lisp_wcmatch.h"

#include <vector>

namespace sim::detail {
namespace {

struct Token {
  enum Kind { Literal, Digit, Letter, Other, AnyOne, Star, Set } kind = Literal;
  char c = 0;
  bool negated = false;
  std::vector<std::pair<char, char>> ranges; // Set
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

// One alternative of the pattern as tokens; at ends just after it (on the comma or the end).
std::vector<Token> parseAlternative(const std::string& pattern, size_t& at, bool* negated) {
  std::vector<Token> tokens;
  *negated = at < pattern.size() && pattern[at] == '~';
  at += *negated ? 1 : 0;
  while (at < pattern.size() && pattern[at] != ',') {
    Token token;
    const char c = pattern[at++];
    switch (c) {
    case '#':
      token.kind = Token::Digit;
      break;
    case '@':
      token.kind = Token::Letter;
      break;
    case '.':
      token.kind = Token::Other;
      break;
    case '?':
      token.kind = Token::AnyOne;
      break;
    case '*':
      token.kind = Token::Star;
      break;
    case '`':
      token.c = at < pattern.size() ? pattern[at++] : '`';
      break;
    case '[': {
      const size_t close = pattern.find(']', at + (pattern.compare(at, 1, "~") == 0 ? 2 : 1));
      if (close == std::string::npos) {
        token.c = '['; // no closing bracket: the bracket is itself
        break;
      }
      token.kind = Token::Set;
      token.negated = pattern[at] == '~' && close > at + 1;
      for (size_t i = at + (token.negated ? 1 : 0); i < close; ++i) {
        if (i + 2 < close && pattern[i + 1] == '-') {
          token.ranges.push_back({pattern[i], pattern[i + 2]});
          i += 2;
        } else {
          token.ranges.push_back({pattern[i], pattern[i]});
        }
      }
      at = close + 1;
      break;
    }
    default:
      token.c = c;
    }
    tokens.push_back(token);
  }
  return tokens;
}

bool matchesOne(const Token& token, char c) {
  switch (token.kind) {
  case Token::Literal:
    return c == token.c;
  case Token::Digit:
    return isDigit(c);
  case Token::Letter:
    return isLetter(c);
  case Token::Other:
    return !isDigit(c) && !isLetter(c);
  case Token::AnyOne:
    return true;
  case Token::Set: {
    bool inside = false;
    for (const auto& [low, high] : token.ranges) {
      inside = inside || (c >= low && c <= high);
    }
    return inside != token.negated;
  }
  case Token::Star:
    break;
  }
  return false;
}

bool matchTokens(const std::vector<Token>& tokens, const std::string& text) {
  size_t t = 0, p = 0;
  size_t starAt = std::string::npos, resumeText = 0;
  while (t < text.size()) {
    if (p < tokens.size() && tokens[p].kind == Token::Star) {
      starAt = p++;
      resumeText = t;
    } else if (p < tokens.size() && matchesOne(tokens[p], text[t])) {
      ++p;
      ++t;
    } else if (starAt != std::string::npos) {
      p = starAt + 1; // let the last star take one more character
      t = ++resumeText;
    } else {
      return false;
    }
  }
  while (p < tokens.size() && tokens[p].kind == Token::Star) {
    ++p;
  }
  return p == tokens.size();
}

} // namespace

bool wildcardMatch(const std::string& text, const std::string& pattern) {
  size_t at = 0;
  for (;;) {
    bool negated = false;
    const std::vector<Token> tokens = parseAlternative(pattern, at, &negated);
    if (matchTokens(tokens, text) != negated) {
      return true;
    }
    if (at >= pattern.size()) {
      return false;
    }
    ++at; // the comma
  }
}

} // namespace sim::detail

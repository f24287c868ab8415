// Wild-card matching as the host does it, in time linear in the text per star.
#include "platform/acad/internal/wildcard_match.h"

namespace sim::detail {
namespace {

using Token = WildcardPattern::Token;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// One alternative of the pattern; at ends just after it (on the comma or the end).
WildcardPattern::Alternative parseAlternative(std::string_view pattern, size_t& at) {
  WildcardPattern::Alternative alternative;
  alternative.negated = at < pattern.size() && pattern[at] == '~';
  at += alternative.negated ? 1 : 0;
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
      // A ']' first (or first after '~') is a member, not the end.
      const size_t first = at + (at < pattern.size() && pattern[at] == '~' ? 2 : 1);
      const size_t close = first <= pattern.size() ? pattern.find(']', first) : std::string::npos;
      if (close == std::string_view::npos) {
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
    alternative.tokens.push_back(std::move(token));
  }
  return alternative;
}

bool matchesOne(const Token& token, char c, bool ignoreCase) {
  switch (token.kind) {
  case Token::Literal:
    return c == token.c || (ignoreCase && upper(c) == upper(token.c));
  case Token::Digit:
    return isDigit(c);
  case Token::Letter:
    return isLetter(c);
  case Token::Other:
    return !isDigit(c) && !isLetter(c);
  case Token::AnyOne:
    return true;
  case Token::Set: {
    const auto inSet = [&token](char x) {
      for (const auto& [low, high] : token.ranges) {
        if (x >= low && x <= high) {
          return true;
        }
      }
      return false;
    };
    const bool inside = inSet(c) || (ignoreCase && (inSet(upper(c)) || inSet(lower(c))));
    return inside != token.negated;
  }
  case Token::Star:
    break;
  }
  return false;
}

bool matchTokens(const std::vector<Token>& tokens, std::string_view text, bool ignoreCase) {
  size_t t = 0, p = 0;
  size_t starAt = std::string::npos, resumeText = 0;
  while (t < text.size()) {
    if (p < tokens.size() && tokens[p].kind == Token::Star) {
      starAt = p++;
      resumeText = t;
    } else if (p < tokens.size() && matchesOne(tokens[p], text[t], ignoreCase)) {
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

WildcardPattern::WildcardPattern(std::string_view pattern, bool ignoreCase)
    : ignoreCase_(ignoreCase) {
  pattern = pattern.substr(0, kWildcardLimit);
  size_t at = 0;
  for (;;) {
    alternatives_.push_back(parseAlternative(pattern, at));
    if (at >= pattern.size()) {
      break;
    }
    ++at; // the comma
  }
}

bool WildcardPattern::matches(std::string_view text) const {
  text = text.substr(0, kWildcardLimit);
  for (const Alternative& alternative : alternatives_) {
    if (matchTokens(alternative.tokens, text, ignoreCase_) != alternative.negated) {
      return true;
    }
  }
  return false;
}

bool wildcardMatch(std::string_view text, std::string_view pattern) {
  return WildcardPattern(pattern).matches(text);
}

} // namespace sim::detail

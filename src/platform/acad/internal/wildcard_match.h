// The host's wild-card match, shared by acutWcMatch, AutoLISP's wcmatch and the filters of
// acedSSGet: # digit, @ letter, . other character, * any run, ? any character, [...] and [~...]
// sets with ranges, ` escape, ~ first to negate an alternative, commas between alternatives. Only
// the first 500 characters of the text and of the pattern count, as in the host.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sim::detail {

// A pattern read once and matched against many texts (a filter tests every entity).
class WildcardPattern {
public:
  explicit WildcardPattern(std::string_view pattern, bool ignoreCase = false);
  bool matches(std::string_view text) const;

  struct Token {
    enum Kind { Literal, Digit, Letter, Other, AnyOne, Star, Set } kind = Literal;
    char c = 0;
    bool negated = false;
    std::vector<std::pair<char, char>> ranges; // Set
  };
  struct Alternative {
    bool negated = false;
    std::vector<Token> tokens;
  };

private:
  std::vector<Alternative> alternatives_;
  bool ignoreCase_ = false;
};

// Case counts.
bool wildcardMatch(std::string_view text, std::string_view pattern);

// How many characters of a text or pattern the host compares.
inline constexpr size_t kWildcardLimit = 500;

} // namespace sim::detail

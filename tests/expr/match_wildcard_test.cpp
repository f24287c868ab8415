// Wildcard matching: each wildcard, the empty cases, pieces between stars, and long texts with
// many stars that backtracking would never finish.
#include "expr/match_wildcard.h"

#include <string>

#include "platform/acad/adscodes.h"
#include "testing/host_test.h"

namespace {

using qv::MatchWildcard;

class MatchWildcardTest : public qvtest::HostTest {};

bool matches(const std::string& text, const std::string& pattern) {
  return MatchWildcard(text.c_str(), pattern.c_str()) == RTNORM;
}

// Each wildcard (@ takes only the 26 letters of both cases, "." any other character, byte 0xE9
// too), the empty cases, and each piece between stars taken at its leftmost place, with the last
// piece against the end and head and tail never sharing a character.
TEST_F(MatchWildcardTest, MatchesEachWildcardAndEachPieceBetweenStars) {
  struct Case {
    const char* text;
    const char* pattern;
    bool match;
  };
  const Case cases[] = {
      {"A1", "@#", true},       {"AB", "@#", false},      {"abc", "a?c", true},
      {"abc", "a?", false},     {"a-c", "a.c", true},     {"a7c", "a.c", true},
      {"abc", "a.c", false},    {"a\351c", "a@c", false}, {"a\351c", "a.c", true},
      {"abc", "abc", true},     {"abc", "ABC", false},    {"a?c", "a#c", false},
      {"", "*", true},          {"", "", true},           {"", "?", false},
      {"", "**", false},        {"a", "", false},         {"abc", "a*c", true},
      {"abc", "*b*", true},     {"ab", "a*bc", false},    {"abc", "*", true},
      {"abc", "abc*", true},    {"abc", "**c", true},     {"aXbXc", "a*b*c", true},
      {"abcbc", "a*bc", true},  {"abcbc", "a*b*c", true}, {"aba", "a*ab", false},
      {"a", "a*a", false},      {"aa", "a*a", true},      {"x12y", "x*##*y", true},
      {"x1y2", "x*##*", false}, {"ab", "a*b*", true},     {"abcd", "*c*b*", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(matches(c.text, c.pattern), c.match) << c.text << " ~ " << c.pattern;
  }
  EXPECT_EQ(MatchWildcard("x", "y"), RTERROR);
  EXPECT_EQ(MatchWildcard(nullptr, nullptr), RTNORM);
  EXPECT_EQ(MatchWildcard("abc", nullptr), RTERROR);
}

TEST_F(MatchWildcardTest, ManyStarsOnLongTextsNeverBacktrack) {
  // Backtracking tries every way of spreading 60 stars over 20,000 characters before it gives
  // up (more ways than could ever be counted); taking each piece leftmost answers at once.
  const std::string text(20000, 'a');
  std::string stars;
  for (int i = 0; i < 60; ++i) {
    stars += "*a";
  }
  const std::string failing = stars + "*b";
  const std::string matching = stars + "*";
  EXPECT_FALSE(matches(text, failing));
  EXPECT_TRUE(matches(text, matching));
  EXPECT_TRUE(matches(text + "b", failing));

  // Pieces with wildcards among the stars, over a long text with the match at the very end.
  std::string mixed(100000, 'x');
  mixed += "a1b2c3";
  const std::string pattern = std::string(1000, '*') + "@#*@#*@#";
  EXPECT_TRUE(matches(mixed, pattern));
  EXPECT_FALSE(matches(mixed + "d", pattern));
}

} // namespace

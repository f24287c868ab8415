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

TEST_F(MatchWildcardTest, MatchesEachWildcardCharacter) {
  EXPECT_TRUE(matches("A1", "@#"));
  EXPECT_FALSE(matches("AB", "@#"));
  EXPECT_TRUE(matches("abc", "a?c"));
  EXPECT_FALSE(matches("abc", "a?"));
  EXPECT_TRUE(matches("a-c", "a.c"));
  EXPECT_TRUE(matches("a7c", "a.c"));
  EXPECT_FALSE(matches("abc", "a.c"));
  EXPECT_FALSE(matches("a\xE9"
                       "c",
                       "a@c")); // only the 26 letters of both cases
  EXPECT_TRUE(matches("a\xE9"
                      "c",
                      "a.c"));
  EXPECT_TRUE(matches("abc", "abc"));
  EXPECT_FALSE(matches("abc", "ABC"));
  EXPECT_FALSE(matches("a?c", "a#c"));
  EXPECT_EQ(MatchWildcard("x", "y"), RTERROR);
}

TEST_F(MatchWildcardTest, EmptyTextsAndPatterns) {
  EXPECT_TRUE(matches("", "*"));
  EXPECT_TRUE(matches("", ""));
  EXPECT_FALSE(matches("", "?"));
  EXPECT_FALSE(matches("", "**"));
  EXPECT_FALSE(matches("a", ""));
  EXPECT_TRUE(MatchWildcard(nullptr, nullptr) == RTNORM);
  EXPECT_TRUE(MatchWildcard("abc", nullptr) == RTERROR);
}

TEST_F(MatchWildcardTest, TakesEachPieceBetweenStarsAtItsLeftmostPlace) {
  EXPECT_TRUE(matches("abc", "a*c"));
  EXPECT_TRUE(matches("abc", "*b*"));
  EXPECT_FALSE(matches("ab", "a*bc"));
  EXPECT_TRUE(matches("abc", "*"));
  EXPECT_TRUE(matches("abc", "abc*"));
  EXPECT_TRUE(matches("abc", "**c"));
  EXPECT_TRUE(matches("aXbXc", "a*b*c"));
  EXPECT_TRUE(matches("abcbc", "a*bc"));  // the last piece against the end
  EXPECT_TRUE(matches("abcbc", "a*b*c")); // a later b would do as well
  EXPECT_FALSE(matches("aba", "a*ab"));
  EXPECT_FALSE(matches("a", "a*a")); // head and tail may not share a character
  EXPECT_TRUE(matches("aa", "a*a"));
  EXPECT_TRUE(matches("x12y", "x*##*y"));
  EXPECT_FALSE(matches("x1y2", "x*##*"));
  EXPECT_TRUE(matches("ab", "a*b*"));
  EXPECT_FALSE(matches("abcd", "*c*b*"));
}

TEST_F(MatchWildcardTest, ManyStarsOnLongTextsNeverBacktrack) {
  // Backtracking tries every way of spreading 60 stars over 20,000 characters before it gives
  // up (more ways than could ever be counted); taking each piece leftmost answers at once.
  const std::string text(20000, 'a');
  std::string failing;
  std::string matching;
  for (int i = 0; i < 60; ++i) {
    failing += "*a";
    matching += "*a";
  }
  failing += "*b";
  matching += "*";
  EXPECT_FALSE(matches(text, failing));
  EXPECT_TRUE(matches(text, matching));
  EXPECT_TRUE(matches(text + "b", failing));

  // Pieces with wildcards among the stars, over a long text with the match at the very end.
  std::string mixed(100000, 'x');
  mixed += "a1b2c3";
  std::string pattern;
  for (int i = 0; i < 1000; ++i) {
    pattern += "*";
  }
  pattern += "@#*@#*@#";
  EXPECT_TRUE(matches(mixed, pattern));
  EXPECT_FALSE(matches(mixed + "d", pattern));
}

} // namespace

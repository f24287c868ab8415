// The host's wild-card test: acutWcMatch and acutWcMatchEx over the whole pattern syntax.
#include <string>

#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class WildcardMatchTest : public qvtest::HostTest {};

TEST_F(WildcardMatchTest, FollowsThePatternSyntax) {
  const struct {
    const char* text;
    const char* pattern;
    bool match;
  } cases[] = {
      {"STR1", "STR[1-38]", true},
      {"STR8", "STR[1-38]", true},
      {"STR5", "STR[1-38]", false},
      {"ABC", "ABC,XYZ*,*123", true},
      {"XYZQ", "ABC,XYZ*,*123", true},
      {"Q123", "ABC,XYZ*,*123", true},
      {"QQ", "ABC,XYZ*,*123", false},
      {"A1", "@#", true},
      {"11", "@#", false},
      {"a-b", "a.b", true},
      {"aXb", "a.b", false},
      {"a7b", "a.b", false},
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"", "*", true},
      {"", "", true},
      {"a", "", false},
      {"abc", "~abc", false},
      {"abd", "~abc", true},
      {"x", "[~abc]", true},
      {"a", "[~abc]", false},
      {"]", "[]a]", true},
      {"-", "[-a]", true},
      {"-", "[a-]", true},
      {"~", "[a~]", true},
      {"]", "[~]a]", false},
      {"b", "[~]a]", true},
      {"*A", "`*A", true},
      {"BA", "`*A", false},
      {"a,b", "a`,b", true},
      {"a", "a`,b", false},
      {"[x", "[x", true},
      {"abc", "~abc,xyz", false},
      {"q", "~abc,xyz", true},
      {"Name", "N*", true},
      {"Name", "n*", false},
      {"A#1", "A#1", false},
      {"A11", "A#1", true},
      {"aaaab", "*a*b", true},
      {"abab", "*ab", true},
      {"abac", "*ab", false},
      {"Layer-12", "*-##", true},
      {"x", "[a-c,x]", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(acutWcMatch(c.text, c.pattern), c.match ? RTNORM : RTERROR)
        << c.text << " against " << c.pattern;
    EXPECT_EQ(sim::evalLisp(std::string("(wcmatch \"") + c.text + "\" \"" + c.pattern + "\")"),
              c.match ? "T" : "nil")
        << "wcmatch " << c.text << " against " << c.pattern;
  }
}

TEST_F(WildcardMatchTest, ComparesTheFirstFiveHundredCharactersAndRefusesNulls) {
  const std::string longText = std::string(500, 'a') + "b";
  EXPECT_EQ(acutWcMatch(longText.c_str(), "*b"), RTERROR);
  EXPECT_EQ(acutWcMatch(longText.c_str(), "a*"), RTNORM);
  const std::string longPattern = std::string(500, 'a') + "b";
  EXPECT_EQ(acutWcMatch(std::string(500, 'a').c_str(), longPattern.c_str()), RTNORM);
  EXPECT_EQ(acutWcMatch(nullptr, "*"), RTERROR);
  EXPECT_EQ(acutWcMatch("a", nullptr), RTERROR);
}

TEST_F(WildcardMatchTest, MatchesWithoutRegardToCaseOnRequest) {
  EXPECT_TRUE(acutWcMatchEx("Name", "n*", true));
  EXPECT_FALSE(acutWcMatchEx("Name", "n*", false));
  EXPECT_TRUE(acutWcMatchEx("walls", "W[A-C]LLS", true));
  EXPECT_TRUE(acutWcMatchEx("WALLS", "w[a-c]lls", true));
  EXPECT_FALSE(acutWcMatchEx("WALLS", "w[~a-c]lls", true));
}

} // namespace

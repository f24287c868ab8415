// The runtime's case-blind text calls: ASCII letters only, lower case for ordering, bytes from 128
// on compared unsigned and never changed.
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"

namespace {

class StringWinTest : public qvtest::HostTest {};

int sign(int value) {
  return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

TEST_F(StringWinTest, StricmpOrdersWithLettersFoldedToLowerCase) {
  struct Case {
    const char* a;
    const char* b;
    int order;
  } cases[] = {
      {"abc", "ABC", 0},     {"Point", "pOINT", 0}, {"", "", 0},
      {"a", "B", -1},        {"B", "a", 1},         {"_", "a", -1}, // "_" (95) before every letter
      {"_", "A", -1},        {"[", "a", -1},        {"abc", "abcd", -1},
      {"abcd", "ABC", 1},    {"\xC4", "\xE4", -1}, // only ASCII folds
      {"a\xE4", "A\xE4", 0}, {"@", "`", -1},        {"Z", "{", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(_stricmp(c.a, c.b)), c.order) << c.a << " / " << c.b;
    EXPECT_EQ(sign(_stricmp(c.b, c.a)), -c.order) << c.b << " / " << c.a;
  }
  // Bytes from 128 on compare unsigned, after "z", as strcmp compares them. Wine's _stricmp
  // compares them as signed chars, before every ASCII byte: that check is Windows' alone.
  if (!sim::runsOnWine()) {
    EXPECT_EQ(sign(_stricmp("z", "\xE4")), -1);
    EXPECT_EQ(sign(_stricmp("\xE4", "z")), 1);
  }
}

TEST_F(StringWinTest, StrnicmpLooksAtCountCharactersAtMost) {
  struct Case {
    const char* a;
    const char* b;
    size_t count;
    int order;
  } cases[] = {
      {"ORIGINAL=x", "original", 8, 0},
      {"ORIGINAL=x", "original", 9, 1},
      {"abc", "abd", 2, 0},
      {"abc", "abd", 3, -1},
      {"ab", "AB", 100, 0},
      {"ab", "abc", 3, -1},
      {"x", "y", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(_strnicmp(c.a, c.b, c.count)), c.order) << c.a << " / " << c.b << " " << c.count;
  }
}

TEST_F(StringWinTest, NullTextsAreInvalidArguments) {
  // Wine's comparisons answer _NLSCMPERROR but leave errno alone.
  errno = 0;
  EXPECT_EQ(_stricmp(nullptr, "a"), _NLSCMPERROR);
  EXPECT_TRUE(errno == EINVAL || sim::runsOnWine());
  errno = 0;
  EXPECT_EQ(_strnicmp("a", nullptr, 1), _NLSCMPERROR);
  EXPECT_TRUE(errno == EINVAL || sim::runsOnWine());
  errno = 0;
  EXPECT_EQ(_strupr(nullptr), nullptr);
  EXPECT_EQ(errno, EINVAL);
  errno = 0;
  EXPECT_EQ(_strlwr(nullptr), nullptr);
  EXPECT_EQ(errno, EINVAL);
}

TEST_F(StringWinTest, CaseChangesTouchOnlyAsciiLetters) {
  struct Case {
    const char* text;
    const char* upper;
    const char* lower;
  } cases[] = {
      {"Hello, World 42!", "HELLO, WORLD 42!", "hello, world 42!"},
      {"stra\xDF"
       "e \xE4\xC4",
       "STRA\xDF"
       "E \xE4\xC4",
       "stra\xDF"
       "e \xE4\xC4"},
      {"@[`{", "@[`{", "@[`{"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    std::string upper = c.text;
    std::string lower = c.text;
    EXPECT_EQ(_strupr(upper.data()), upper.data());
    EXPECT_EQ(_strlwr(lower.data()), lower.data());
    EXPECT_EQ(upper, c.upper);
    EXPECT_EQ(lower, c.lower);
  }
}

} // namespace

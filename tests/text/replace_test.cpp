// ReplaceAll over buffers and msStrings, the quoting of EscapeQuoted, and EscapeControl and
// UnescapeControl: the three sequences, raw line feeds, lone backslashes.
#include "text/replace.h"

#include <cstring>
#include <random>
#include <string>

#include "platform/sim.h"
#include "testing/host_test.h"
#include "text/control_escape.h"

namespace {

using qv::msString;

class ReplaceTest : public qvtest::HostTest {};

TEST_F(ReplaceTest, NeverScansAReplacementAgainAndShrinksOrGrowsInTheCallersBuffer) {
  char buffer[64] = "a-b-c";
  EXPECT_EQ(qv::ReplaceAll(buffer, "-", "--"), 2);
  EXPECT_STREQ(buffer, "a--b--c");
  msString s("aaa");
  EXPECT_EQ(qv::ReplaceAll(s, "a", "aa"), 3);
  EXPECT_STREQ(s, "aaaaaa");
  EXPECT_EQ(qv::ReplaceAll(s, "aa", "b"), 3);
  EXPECT_STREQ(s, "bbb");
  std::strcpy(buffer, "one, two, three");
  EXPECT_EQ(qv::ReplaceAll(buffer, ", ", ","), 2);
  EXPECT_STREQ(buffer, "one,two,three");
  EXPECT_EQ(qv::ReplaceAll(buffer, ",", " and "), 2);
  EXPECT_STREQ(buffer, "one and two and three");
  EXPECT_EQ(qv::ReplaceAll(buffer, " and ", nullptr), 2);
  EXPECT_STREQ(buffer, "onetwothree");
  EXPECT_EQ(sim::liveBlocks(), 1); // the msString's own block only
}

TEST_F(ReplaceTest, IgnoresMissingPatternsAndLeavesTheTextWhenMemoryRunsOut) {
  char buffer[16] = "abc";
  EXPECT_EQ(qv::ReplaceAll(buffer, "", "x"), 0);
  EXPECT_EQ(qv::ReplaceAll(buffer, nullptr, "x"), 0);
  EXPECT_EQ(qv::ReplaceAll(buffer, "z", "x"), 0);
  EXPECT_EQ(qv::ReplaceAll(static_cast<char*>(nullptr), "a", "x"), 0);
  EXPECT_STREQ(buffer, "abc");
  msString s("abc");
  EXPECT_EQ(qv::ReplaceAll(s, "", "x"), 0);
  EXPECT_STREQ(s, "abc");
  sim::failCall("acad_malloc");
  EXPECT_EQ(qv::ReplaceAll(buffer, "b", "..."), -1);
  EXPECT_STREQ(buffer, "abc");
  sim::failCall("acad_malloc");
  EXPECT_EQ(qv::ReplaceAll(s, "b", ""), -1);
  EXPECT_STREQ(s, "abc");
}

TEST_F(ReplaceTest, HandlesLongTexts) {
  const std::string text(100000, 'x');
  msString s(text.c_str());
  EXPECT_EQ(qv::ReplaceAll(s, "x", "yz"), 100000);
  EXPECT_EQ(s.GetLength(), 200000);
  EXPECT_EQ(qv::ReplaceAll(s, "zy", ""), 99999);
  EXPECT_STREQ(s, "yz");
}

TEST_F(ReplaceTest, QuotesBackslashesApostrophesAndGreaterThan) {
  char out[64];
  EXPECT_EQ(qv::EscapeQuoted("a\\b'c>d", out), 10);
  EXPECT_STREQ(out, "a\\\\b''c\\>d");
  EXPECT_EQ(qv::EscapeQuoted(nullptr, out), 0);
  EXPECT_STREQ(out, "");
  msString s("it's > \\");
  EXPECT_EQ(qv::EscapeQuoted(s), 1);
  EXPECT_STREQ(s, "it''s \\> \\\\");
}

class ControlEscapeTest : public qvtest::HostTest {};

TEST_F(ControlEscapeTest, EscapesAndUnescapesTheThreeSequences) {
  char out[64];
  EXPECT_EQ(qv::EscapeControl("a\nb\tc\\d\re", out), 12);
  EXPECT_STREQ(out, "a\\nb\\tc\\\\d\re");
  EXPECT_EQ(qv::EscapeControl(nullptr, out), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(qv::UnescapeControl("a\\nb\\tc\\\\d", out), 7);
  EXPECT_STREQ(out, "a\nb\tc\\d");
  qv::UnescapeControl("raw\nfeed\\x and \\", out);
  EXPECT_STREQ(out, "rawfeed\\x and \\");
  // "\\n" is an escaped backslash followed by n, not a line feed.
  qv::UnescapeControl("\\\\n", out);
  EXPECT_STREQ(out, "\\n");
  char inPlace[] = "in\\tplace\\n";
  qv::UnescapeControl(inPlace, inPlace);
  EXPECT_STREQ(inPlace, "in\tplace\n");
}

TEST_F(ControlEscapeTest, UnescapeUndoesEscape) {
  std::mt19937 random(7);
  const char alphabet[] = "ab\\nt\n\t\r";
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int i = static_cast<int>(random() % 16); i > 0; --i) {
      text += alphabet[random() % (sizeof alphabet - 1)];
    }
    std::string escaped(2 * text.size() + 1, '\0');
    qv::EscapeControl(text.c_str(), escaped.data());
    std::string back(escaped.size(), '\0');
    qv::UnescapeControl(escaped.c_str(), back.data());
    EXPECT_STREQ(back.c_str(), text.c_str());
  }
}

} // namespace

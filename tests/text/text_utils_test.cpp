// The small text utilities: copies, trims, fields and words, keywords, numbers, paths, plain-text
// tests and thousands separators, at their edges.
#include <cstring>
#include <fstream>
#include <string>

#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "text/text.h"

namespace {

using qv::msString;

class TextUtilsTest : public qvtest::HostTest {
protected:
  // The host text as a std::string, freed.
  static std::string take(char* text) {
    EXPECT_NE(text, nullptr);
    std::string result = text == nullptr ? "<null>" : text;
    acad_free(text);
    return result;
  }
};

TEST_F(TextUtilsTest, CopiesAndAppends) {
  char* text = qv::ReplaceWithCopy(nullptr, "first");
  text = qv::ReplaceWithCopy(text, text + 2); // a part of the old text
  EXPECT_STREQ(text, "rst");
  text = qv::AppendCopy(text, "-more");
  text = qv::AppendCopy(text, text); // b inside a
  EXPECT_EQ(take(text), "rst-morerst-more");
  EXPECT_EQ(take(qv::ReplaceWithCopy(nullptr, nullptr)), "");
  EXPECT_EQ(take(qv::AppendCopy(nullptr, "b")), "b");
  EXPECT_EQ(take(qv::AppendCopy(acad_strdup("a"), nullptr)), "a");
  char* kept = acad_strdup("kept");
  sim::failCall("acad_malloc");
  EXPECT_EQ(qv::AppendCopy(kept, "x"), nullptr); // kept is freed all the same
}

TEST_F(TextUtilsTest, TrimsStripsRemovesAndChangesCase) {
  char text[] = "  value \r\n \r\n";
  qv::TrimText(text);
  EXPECT_STREQ(text, "value");
  char tabs[] = "\tkeeps tabs\t";
  qv::TrimText(tabs);
  EXPECT_STREQ(tabs, "\tkeeps tabs\t");
  msString s("   padded  \n");
  qv::TrimText(s);
  EXPECT_STREQ(s, "padded");
  char line[] = "line \r\n\n";
  qv::StripLineEnd(line);
  EXPECT_STREQ(line, "line ");
  char slashes[] = "path///";
  qv::TrimTrailingChar(slashes, '/');
  EXPECT_STREQ(slashes, "path");
  char onlySlashes[] = "///";
  qv::TrimTrailingChar(onlySlashes, '/');
  EXPECT_STREQ(onlySlashes, "///");
  qv::TrimText(static_cast<char*>(nullptr));
  qv::StripLineEnd(nullptr);
  char mixed[] = "Mixed Case \xE9 1"; // letters only change case
  qv::UpperText(mixed);
  EXPECT_STREQ(mixed, "MIXED CASE \xE9 1");
  qv::LowerText(mixed);
  EXPECT_STREQ(mixed, "mixed case \xE9 1");
  qv::UpperText(s);
  EXPECT_STREQ(s, "PADDED");
  std::string short321 = std::string(160, 'a') + std::string(161, ' ');
  qv::RemoveSpaces(short321.data());
  EXPECT_STREQ(short321.c_str(), std::string(160, 'a').c_str());
  std::string long322 = std::string(161, 'a') + std::string(161, ' ');
  qv::RemoveSpaces(long322.data());
  EXPECT_EQ(std::string(long322.c_str()), std::string(161, 'a') + std::string(161, ' '));
  char digits[] = "1,234,567";
  qv::RemoveChar(digits, ',');
  EXPECT_STREQ(digits, "1234567");
}

// Each row: a text and what an in-place edit makes of it.
TEST_F(TextUtilsTest, StripsLeadingZerosAndGroupsTheFirstRunOfDigits) {
  const char* zeros[][2] = {
      {"  007 ", "7"},
      {"000", "0"},
      {"0.50", ".50"},
      {"", ""},
  };
  for (const auto& c : zeros) {
    char text[32];
    std::strcpy(text, c[0]);
    qv::StripLeadingZeros(text);
    EXPECT_STREQ(text, c[1]) << c[0];
  }
  const char* groups[][2] = {
      {"1234567.891", "1,234,567.891"},
      {"   -1234 and 5678", "  -1,234 and 5678"},
      {" 1234567", "1,234,567"},
      {"123", "123"},
      {"123456", "123,456"},
      {"no digits", "no digits"},
  };
  for (const auto& c : groups) {
    char text[32];
    std::strcpy(text, c[0]);
    qv::InsertThousandsSeparators(text);
    EXPECT_STREQ(text, c[1]) << c[0];
  }
}

// Each row: a text and its first number; none reads as 98765432.1, a "-" before no digits as 0
// (never infinity or NaN), and "0x" as its zero.
TEST_F(TextUtilsTest, FindsTheFirstNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {{"N 45.5", 45.5}, {"-3", -3.0},  {".25 ft", 0.25},    {"x -7", -7.0},
               {"x-7", 7.0},     {"a.5", 5.0},  {"abc", 98765432.1}, {nullptr, 98765432.1},
               {"x -inf", 0.0},  {"-nan", 0.0}, {"id 0x1A", 0.0}};
  for (const auto& c : cases) {
    EXPECT_EQ(qv::FirstNumberInText(c.text), c.value) << (c.text ? c.text : "null");
  }
}

TEST_F(TextUtilsTest, ReadsFieldsQuotedWordsAndWordsWithoutCase) {
  EXPECT_EQ(take(qv::DelimitedAt("say \"hello there\" now", 4)), "hello there");
  EXPECT_EQ(take(qv::DelimitedAt("'unterminated", 0)), "unterminated");
  EXPECT_EQ(take(qv::DelimitedAt("abc", 3)), "");
  EXPECT_EQ(take(qv::DelimitedAt("abc", -1)), "");
  const struct {
    const char* text;
    int n;
    const char* field;
  } fields[] = {{"a,b,,d", 1, "a"}, {"a,b,,d", 3, ""}, {"a,b,,d", 4, "d"},
                {"a,b,,d", 5, ""},  {"a,b", 0, ""},    {nullptr, 1, ""}};
  for (const auto& c : fields) {
    EXPECT_EQ(take(qv::NthField(c.text, ',', c.n)), c.field) << c.n;
  }
  EXPECT_EQ(qv::CountOccurrences("aaaa", "aa"), 2);
  EXPECT_EQ(qv::CountOccurrences("abcabc", "c"), 2);
  EXPECT_EQ(qv::CountOccurrences("abc", ""), 0);
  EXPECT_EQ(qv::WordIndex("north,EAST,elev", "east", ','), 2);
  EXPECT_EQ(qv::WordIndex("north,east", "eas", ','), 0);
  EXPECT_EQ(qv::WordIndex("a,,c", "c", ','), 3);
  EXPECT_EQ(qv::WordIndex("a,,c", "", ','), 2);
  EXPECT_EQ(qv::WordIndex(nullptr, "a", ','), 0);
  EXPECT_EQ(qv::ContainsWord("ZOOM PAN REGEN", "pan", ' '), 1);
  EXPECT_EQ(qv::ContainsWord("ZOOM PAN REGEN", "PA", ' '), 0);
  // The index agrees with NthField.
  const char* text = "x;Y;z";
  EXPECT_EQ(take(qv::NthField(text, ';', qv::WordIndex(text, "y", ';'))), "Y");
}

TEST_F(TextUtilsTest, CopiesRangesWithoutReadingPastTheTextAndMatchesKeywords) {
  char out[16];
  qv::CopyRange("abcdef", 1, 3, out);
  EXPECT_STREQ(out, "bcd");
  std::memset(out, 'x', sizeof out);
  qv::CopyRange("abc", 1, 5, out);
  EXPECT_EQ(std::string(out, 6), std::string("bc\0\0\0\0", 6));
  qv::CopyRange("abc", -2, 0, out);
  EXPECT_EQ(std::string(out, 4), std::string("\0\0a\0", 4));
  qv::CopyRange("abc", 2, 1, out);
  EXPECT_STREQ(out, "");
  const char* rest = "unset";
  EXPECT_EQ(qv::MatchKeyword("zoom", "ZOOM \t window", &rest), 1);
  EXPECT_STREQ(rest, "window");
  EXPECT_EQ(qv::MatchKeyword("zoom", "zoomer x", &rest), 0);
  EXPECT_EQ(rest, nullptr);
  EXPECT_EQ(qv::MatchKeyword("zoom", "zoom   ", &rest), 0);
  EXPECT_EQ(qv::MatchKeyword("zoom", "zoom", &rest), 0);
  EXPECT_EQ(qv::MatchKeyword("zoom", "zo", nullptr), 0);
}

// Each row: a path, the most characters allowed, and the shortened, capitalised path. 40
// characters on drive C with a maximum of 20 keep "C:", "..." and the last 13.
TEST_F(TextUtilsTest, ShortensAndCapitalisesPaths) {
  const struct {
    const char* path;
    int max;
    const char* text;
  } cases[] = {
      {"c:\\PROGRAM files//quorvane\\", 100, "C:\\Program files\\Quorvane"},
      {"\\\\server\\SHARE\\x", 100, "\\\\Server\\Share\\X"},
      {"\\root\\dir", 100, "\\Root\\Dir"},
      {"c:", 100, "C:\\"},
      {"c:\\survey\\projects\\north\\points_2024.csv", 20, "C:...ints_2024.csv"},
      {"\\\\server\\share\\a\\long\\folder", 12, "\\\\...older"},
      {"relative\\path\\name", 5, "..."},
  };
  char out[128];
  for (const auto& c : cases) {
    qv::ShortenPath(c.path, out, c.max);
    EXPECT_STREQ(out, c.text) << c.path;
  }
  EXPECT_EQ(qv::ShortenPath("c:\\PROGRAM files//quorvane\\", out, 100), 25);
  EXPECT_EQ(qv::ShortenPath(nullptr, out, 10), 0);
  EXPECT_STREQ(out, "");
  char slashes[] = "a\\b\\c";
  EXPECT_EQ(qv::ToForwardSlashes(slashes), 5);
  EXPECT_STREQ(slashes, "a/b/c");
}

TEST_F(TextUtilsTest, TellsPlainTextsAndFiles) {
  EXPECT_EQ(qv::IsPlainText("Plain text\twith\r\nbreaks ~"), 1);
  EXPECT_EQ(qv::IsPlainText("caf\xE9"), 0);
  EXPECT_EQ(qv::IsPlainText("bell\a"), 0);
  EXPECT_EQ(qv::IsPlainText(""), 1);
  const std::string text = tempPath("text.txt");
  std::ofstream(text, std::ios::binary) << std::string(12200, 'a') << '\x01';
  EXPECT_EQ(qv::IsTextFile(text.c_str()), 1); // the control byte lies past what is read
  const std::string binary = tempPath("binary.dat");
  std::ofstream(binary, std::ios::binary) << std::string(12199, 'a') << '\x01';
  EXPECT_EQ(qv::IsTextFile(binary.c_str()), 0);
  const std::string withNul = tempPath("zero.txt");
  std::ofstream(withNul, std::ios::binary) << std::string("a\0b\r\n", 5);
  EXPECT_EQ(qv::IsTextFile(withNul.c_str()), 1);
  EXPECT_EQ(qv::IsTextFile(tempPath("missing").c_str()), 0);
  QV_SKIP_UNLESS_FAILABLE("fopen");
  sim::failCall("fopen");
  EXPECT_EQ(qv::IsTextFile(text.c_str()), 0);
  EXPECT_EQ(sim::openFiles(), 0);
}

} // namespace

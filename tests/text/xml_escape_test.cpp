// XML escaping both ways: the documented replacements, one level only, round trips, and the
// single-pass forms against the documented sequence of whole-text replacements.
#include "text/xml_escape.h"

#include <random>
#include <string>

#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "text/replace.h"

namespace {

using qv::msString;

class XmlEscapeTest : public qvtest::HostTest {};

std::string escaped(const char* text) {
  msString s(text);
  EXPECT_EQ(qv::XmlEscape(s), 1);
  return std::string(s);
}

std::string unescaped(const char* text) {
  msString s(text);
  qv::XmlUnescape(s);
  return std::string(s);
}

// Representatives of both ways; the randomised comparison below covers the rest.
TEST_F(XmlEscapeTest, EscapesEachSpecialCharacterOnceAndUnescapesOneLevelOnly) {
  EXPECT_EQ(escaped("a & b < c > \"d\" 'e'\r\nf"),
            "a &amp; b &lt; c &gt; &quot;d&quot; &apos;e&apos;\\nf");
  EXPECT_EQ(escaped("C:\\new\\notes\\"), "C:&#92;new&#92;notes\\");
  EXPECT_EQ(escaped("\\\r\n\\\\n"), "\\\\n\\&#92;n");
  EXPECT_EQ(unescaped("&gt;&lt;&quot;&apos;&amp;\\n"), "><\"'&\r\n");
  EXPECT_EQ(unescaped("&unknown; & &amp &gt"), "&unknown; & &amp &gt");
  EXPECT_EQ(unescaped("trailing \\"), "trailing \\");
  EXPECT_EQ(unescaped("&#65;&#x42;&#X63;&#92;n&#13;&#10;"), "ABc\\n\r\n");
  // References to no 8-bit character, or not closed, stay as they are.
  EXPECT_EQ(unescaped("&#0;&#256;&#x100;&#;&#x;&#65&#6a;&#99999999999;"),
            "&#0;&#256;&#x100;&#;&#x;&#65&#6a;&#99999999999;");
  char buffer[] = "x&lt;y";
  qv::XmlUnescape(buffer);
  EXPECT_STREQ(buffer, "x<y");
  qv::XmlUnescape(static_cast<char*>(nullptr));
}

TEST_F(XmlEscapeTest, UnescapesARangeIntoAnotherString) {
  const char* source = "&lt;a&gt; rest not taken";
  msString out("old");
  EXPECT_EQ(qv::XmlUnescape(source, 9, out), 1);
  EXPECT_STREQ(out, "<a>");
  sim::failCall("acad_malloc");
  EXPECT_EQ(qv::XmlUnescape("a much longer range than the old text", 30, out), 0);
  EXPECT_STREQ(out, "<a>");
}

TEST_F(XmlEscapeTest, KeepsTheTextWhenMemoryRunsOut) {
  // The string's own block may fail too: then it is empty and stays so.
  const int points = qvtest::forEachFailure("acad_malloc", [](int) {
    msString s("a < b & a long enough tail to need a new block");
    const std::string before(s);
    const int escaped = qv::XmlEscape(s);
    const std::string whole =
        before.empty() ? "" : "a &lt; b &amp; a long enough tail to need a new block";
    EXPECT_EQ(std::string(s), escaped == 1 ? whole : before);
  });
  EXPECT_GE(points, 2);
}

// The documented definition: whole-text replacements in a fixed order.
std::string escapedBySequence(const std::string& text) {
  msString s(text.c_str());
  qv::ReplaceAll(s, "&", "&amp;");
  qv::ReplaceAll(s, ">", "&gt;");
  qv::ReplaceAll(s, "<", "&lt;");
  qv::ReplaceAll(s, "\"", "&quot;");
  qv::ReplaceAll(s, "'", "&apos;");
  qv::ReplaceAll(s, "\\n", "&#92;n");
  qv::ReplaceAll(s, "\r\n", "\\n");
  return std::string(s);
}

std::string unescapedBySequence(const std::string& text) {
  msString s(text.c_str());
  qv::ReplaceAll(s, "&gt;", ">");
  qv::ReplaceAll(s, "&lt;", "<");
  qv::ReplaceAll(s, "&quot;", "\"");
  qv::ReplaceAll(s, "&apos;", "'");
  // A backslash written as a reference never joins an "n" after it into a line break.
  qv::ReplaceAll(s, "\\n", "\r\n");
  qv::ReplaceAll(s, "&#92;", "\\");
  qv::ReplaceAll(s, "&amp;", "&");
  return std::string(s);
}

TEST_F(XmlEscapeTest, AgreesWithTheSequenceOfReplacements) {
  // Texts built from the pieces that the replacements look for, so that they meet often.
  const char* pieces[] = {"&", "amp;", "gt;", "lt;", "quot;", "apos;", "\\", "n",     "\r",  "\n",
                          "<", ">",    "\"",  "'",   "x",     "&amp;", ";",  "&#92;", "\xE9"};
  std::mt19937 random(12345);
  std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      text += pieces[pick(random)];
    }
    EXPECT_EQ(escaped(text.c_str()), escapedBySequence(text)) << text;
    std::string appended = "kept ";
    qv::XmlEscapeAppend(text.c_str(), appended);
    EXPECT_EQ(appended, "kept " + escapedBySequence(text)) << text;
    EXPECT_EQ(unescaped(text.c_str()), unescapedBySequence(text)) << text;
    EXPECT_EQ(unescaped(escaped(text.c_str()).c_str()), text); // a round trip
  }
}

TEST_F(XmlEscapeTest, AppendsTheEscapedFormWithoutTheHostAllocator) {
  std::string out = "v=";
  qv::XmlEscapeAppend("a & b\r\n<c>", out);
  qv::XmlEscapeAppend(nullptr, out);
  qv::XmlEscapeAppend("\r", out);
  EXPECT_EQ(out, "v=a &amp; b\\n&lt;c&gt;\r");
  EXPECT_EQ(sim::callCount("acad_malloc"), 0);
}

} // namespace

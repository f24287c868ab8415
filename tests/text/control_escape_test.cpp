// EscapeControl and UnescapeControl: the three sequences, raw line feeds, lone backslashes.
#include "text/control_escape.h"

#include <random>
#include <string>

#include "testing/host_test.h"

namespace {

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

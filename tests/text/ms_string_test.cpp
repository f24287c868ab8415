// msString: buffer sizing, assignment from its own text and from null, bounds of operator[],
// pieces, appends, trims, Truncate's diagnostic and out-of-memory behaviour.
#include "text/ms_string.h"

#include <cstring>
#include <string>

#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

using qv::msString;

class MsStringTest : public qvtest::HostTest {};

// Each row: a length and the capacity of a buffer for it; past what an int holds, none.
TEST_F(MsStringTest, SizesBuffersByTheRule) {
  const int64_t cases[][2] = {{0, 6}, {8, 14}, {9, 13}, {20, 28}, {3000000000, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(qv::msStringCapacityFor(c[0]), c[1]) << c[0];
    if (c[1] > 0) {
      EXPECT_EQ(msString(std::string(static_cast<size_t>(c[0]), 'a').c_str()).GetCapacity(), c[1]);
    }
  }
  EXPECT_EQ(msString().GetCapacity(), 6);
}

TEST_F(MsStringTest, AssignsAPartOfItsOwnTextAndNullAsEmpty) {
  msString s("abcdefghijklmnop");
  s = static_cast<const char*>(s) + 2;
  EXPECT_STREQ(s, "cdefghijklmnop");
  EXPECT_EQ(s.GetCapacity(), qv::msStringCapacityFor(14));
  s = static_cast<const char*>(s);
  EXPECT_STREQ(s, "cdefghijklmnop");
  msString same("xyz");
  same = same;
  EXPECT_STREQ(same, "xyz");
  // Null assigns, constructs and appends the empty text.
  s = static_cast<const char*>(nullptr);
  EXPECT_STREQ(s, "");
  EXPECT_GE(s.GetCapacity(), 1);
  msString fromNull(static_cast<const char*>(nullptr));
  EXPECT_EQ(fromNull.IsEmpty(), 1);
  EXPECT_TRUE(fromNull == nullptr);
  s += static_cast<const char*>(nullptr);
  EXPECT_STREQ(s, "");
}

TEST_F(MsStringTest, KeepsItsBufferWhenTheNewTextFitsAndAssignsNumbers) {
  msString s("a much longer text than the next");
  const char* before = s;
  s = "short";
  EXPECT_EQ(static_cast<const char*>(s), before);
  EXPECT_STREQ(s, "short");
  s = -2147483647 - 1;
  EXPECT_STREQ(s, "-2147483648");
  s = int64_t{9000000000};
  EXPECT_STREQ(s, "9000000000");
  s = 'Q';
  EXPECT_STREQ(s, "Q");
}

TEST_F(MsStringTest, IndexAcceptsTheTerminatorsPlaceButNotTheCapacity) {
  msString s("abc");
  const int capacity = s.GetCapacity(); // 9
  EXPECT_EQ(s[3], '\0');
  EXPECT_EQ(sim::callCount("acedAlert"), 0);
  s[capacity - 1] = '\0';
  EXPECT_EQ(sim::callCount("acedAlert"), 0);
  char& bad = s[capacity];
  EXPECT_EQ(&bad, &s[0]);
  EXPECT_EQ(sim::callCount("acedAlert"), 1);
  s[-1] = 'z';
  EXPECT_EQ(sim::callCount("acedAlert"), 2);
  EXPECT_STREQ(s, "zbc");
  const msString& view = s;
  EXPECT_EQ(view[100], 'z');
  ASSERT_EQ(sim::alerts().size(), 3u);
  EXPECT_EQ(sim::alerts()[0], "bad index passed to msString::operator[]");
}

// Each row: Left, Right or Mid of "abcdef" with its arguments (Left and Right take the second).
TEST_F(MsStringTest, CutsPiecesAtTheEdges) {
  const msString s("abcdef");
  const struct {
    char which;
    int start, count;
    const char* piece;
  } cases[] = {{'L', 0, 0, ""},        {'L', 0, -3, ""}, {'L', 0, 2, "ab"}, {'L', 0, 6, "abcdef"},
               {'L', 0, 99, "abcdef"}, {'R', 0, -1, ""}, {'R', 0, 2, "ef"}, {'R', 0, 7, "abcdef"},
               {'M', 6, 1, ""},        {'M', -1, 2, ""}, {'M', 2, 0, ""},   {'M', 2, 2, "cd"},
               {'M', 4, 50, "ef"}};
  for (const auto& c : cases) {
    const msString piece = c.which == 'L'   ? s.Left(c.count)
                           : c.which == 'R' ? s.Right(c.count)
                                            : s.Mid(c.start, c.count);
    EXPECT_STREQ(piece, c.piece) << c.which << c.start << " " << c.count;
  }
  EXPECT_STREQ(s, "abcdef");
}

TEST_F(MsStringTest, AppendsInPlaceWhenTheBufferHoldsTheResult) {
  msString s("abcdefghi"); // capacity 13
  const char* before = s;
  s += "xyz";
  EXPECT_EQ(static_cast<const char*>(s), before);
  EXPECT_STREQ(s, "abcdefghixyz");
  s += "0";
  EXPECT_NE(static_cast<const char*>(s), before);
  EXPECT_STREQ(s, "abcdefghixyz0");
  EXPECT_EQ(s.GetCapacity(), qv::msStringCapacityFor(13));
  s += s;
  EXPECT_STREQ(s, "abcdefghixyz0abcdefghixyz0");
  msString joined = msString("ab") + "cd";
  EXPECT_STREQ(joined + joined, "abcdabcd");
  EXPECT_EQ(joined.GetCapacity(), 10);
}

TEST_F(MsStringTest, FindsTrimsAndCompares) {
  msString s(" \t\r\n path/to/file.txt \v\f\n");
  s.TrimLeft();
  EXPECT_STREQ(s, "path/to/file.txt \v\f\n");
  s.TrimEnd();
  EXPECT_STREQ(s, "path/to/file.txt");
  EXPECT_EQ(s.Find("to"), 5);
  EXPECT_EQ(s.Find("none"), -1);
  EXPECT_EQ(s.ReverseFind('/'), 7);
  EXPECT_EQ(s.ReverseFind('\0'), -1);
  s.MakeUpper();
  EXPECT_STREQ(s, "PATH/TO/FILE.TXT");
  msString blank("   ");
  blank.TrimRight();
  EXPECT_EQ(blank.IsEmpty(), 1);
  msString a("Hello");
  EXPECT_TRUE(a == "Hello" && a != "hello" && "Hello" == a);
  EXPECT_EQ(a.CompareNoCase(msString("hELLO")), 1);
  EXPECT_EQ(a.CompareNoCase(msString("hELL")), 0);
}

TEST_F(MsStringTest, TruncateReportsAPositionOutsideTheBuffer) {
  msString s("abcdef"); // capacity 12
  s.Truncate(3);
  EXPECT_STREQ(s, "abc");
  testing::internal::CaptureStdout();
  s.Truncate(12);
  s.Truncate(-1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "pos 12 len 3 str (abc)\npos -1 len 3 str (abc)\n");
  EXPECT_STREQ(s, "abc");
}

TEST_F(MsStringTest, KeepsItsTextWhenMemoryRunsOut) {
  // Whichever allocation fails, every step either takes effect whole or leaves the text as it was.
  qvtest::forEachFailure("acad_malloc", [](int) {
    std::string expected;
    msString s("short");
    const auto step = [&](const std::string& after) {
      if (std::string(s) != expected) {
        EXPECT_EQ(std::string(s), after);
        expected = after;
      }
    };
    step("short");
    s = "a text longer than the buffer";
    step("a text longer than the buffer");
    s += " and a long tail for it";
    step(expected + " and a long tail for it");
    const std::string wide(300, 'w');
    s = wide.c_str();
    step(wide);
    s.Format("%s=%d", "n", 12);
    step("n=12");
  });
  sim::failCall("acad_malloc");
  msString orphan("never allocated");
  EXPECT_STREQ(orphan, "");
  EXPECT_EQ(orphan.GetCapacity(), 0);
  orphan[0] = 'x'; // no buffer: alerted, and the shared empty text stays empty
  EXPECT_STREQ(orphan, "");
  EXPECT_STREQ(msString(), "");
  orphan = "now it has one";
  EXPECT_STREQ(orphan, "now it has one");
}

} // namespace

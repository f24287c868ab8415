// The formatter: every conversion of its table, "*" widths, results around the working buffer's
// size, "z" freeing its argument, out-of-memory results and msString::Format; and long messages
// reaching the host's command line whole, in pieces its 132-character buffer takes.
#include "text/format.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "text/ms_string.h"
#include "text/print_pieces.h"

namespace {

class FormatTest : public qvtest::HostTest {
protected:
  // The formatted text as a std::string, the host block freed.
  template <class... Args> std::string format(const char* spec, Args... args) {
    char* text = qv::FormatAlloc(spec, args...);
    EXPECT_NE(text, nullptr) << spec;
    std::string result = text == nullptr ? "<null>" : text;
    acad_free(text);
    return result;
  }
  // The same without gtest checks, for a child process.
  template <class... Args> static std::string fresh(const char* spec, Args... args) {
    char* text = qv::FormatAlloc(spec, args...);
    std::string result = text == nullptr ? "<null>" : text;
    acad_free(text);
    return result;
  }
};

TEST_F(FormatTest, PrintsEveryConversionCountsAndFreesTheTextOfZ) {
  EXPECT_EQ(format("%d|%i|%+d|% d|%05d|%-4d|%.3d", -42, 7, 5, 5, -42, 7, 5),
            "-42|7|+5| 5|-0042|7   |005");
  EXPECT_EQ(format("%u|%o|%#o|%x|%#x|%X|%#X", -1, 8, 8, 255, 255, 255, 255),
            "4294967295|10|010|ff|0xff|FF|0XFF");
  // long is 32 bits on Windows.
  EXPECT_EQ(format("%ld|%lld|%llx", -2000000000L, -5000000000LL, 0x1234567890ULL),
            "-2000000000|-5000000000|1234567890");
  // The extremes of each size, written without a flag, width or precision.
  EXPECT_EQ(format("%d|%i|%u|%lld|%llu|%d", INT32_MIN, INT32_MAX, UINT32_MAX,
                   static_cast<long long>(INT64_MIN), static_cast<unsigned long long>(UINT64_MAX),
                   0),
            "-2147483648|2147483647|4294967295|-9223372036854775808|18446744073709551615|0");
  void* p = reinterpret_cast<void*>(0xbeef);
  EXPECT_EQ(format("%p|%#p", p, p), "BEEF|0xBEEF");
  EXPECT_EQ(format("[%c][%.3c][%-4c][%5.2c]", 'a', 'b', 'c', 'd'), "[a][bbb][c   ][   dd]");
  // 8-bit texts: a byte from 128 on stays one byte.
  EXPECT_EQ(format("%c", 0xE9), "\xE9");
  EXPECT_EQ(format("<%s><%s>", "plain", static_cast<const char*>(nullptr)), "<plain><>");
  EXPECT_EQ(format("%.3s|%6s|%-6s|", "abcdef", "ab", "ab"), "abc|    ab|ab    |");
  EXPECT_EQ(format("%q|%Q", "it's", "it's"), "it''s|'it''s'");
  EXPECT_EQ(format("%Q|%q", static_cast<const char*>(nullptr), static_cast<const char*>(nullptr)),
            "NULL|(NULL)");
  char* owned = acad_strdup("owned");
  char* cut = acad_strdup("abcdef");
  EXPECT_EQ(sim::liveBlocks(), 2);
  EXPECT_EQ(format("%z|%.2z|%z", owned, cut, static_cast<char*>(nullptr)), "owned|ab|");
  EXPECT_EQ(sim::liveBlocks(), 0);
  EXPECT_TRUE(sim::memoryProblems().empty());
  EXPECT_EQ(format("%f|%5.1f|%e|%E", 3.14159, 3.14159, 1234.5, 0.00012),
            "3.141590|  3.1|1.234500e+03|1.200000E-04");
  EXPECT_EQ(format("%g|%G|%.3g|%lf", 0.0001, 1e20, 2.0 / 3.0, 1.5), "0.0001|1E+20|0.667|1.500000");
  EXPECT_EQ(format("[%*d][%-*d][%*d]", 4, 7, 4, 7, -4, 7), "[   7][7   ][7   ]");
  EXPECT_EQ(format("[%.*f][%*.*s][%.*s]", 2, 3.14159, 5, 2, "abcdef", -1, "abc"),
            "[3.14][   ab][abc]");
  int count = -1;
  long longCount = -1;
  EXPECT_EQ(format("abc%n%s%ln", &count, "de", &longCount), "abcde");
  EXPECT_EQ(count, 3);
  EXPECT_EQ(longCount, 5);
  EXPECT_EQ(format("100%% and a trailing %"), "100% and a trailing %");
  // A letter the formatter does not know ends the output; the arguments after it are not read.
  EXPECT_EQ(format("kept%ycut%d", 5), "kept");
}

TEST_F(FormatTest, GivesShortAndLongResultsWhole) {
  EXPECT_EQ(format("%s", "0123456789"), "0123456789");
  const std::string big(5000, 'x');
  EXPECT_EQ(format("%s", big.c_str()), big);
  // Expected texts are built by appending: GCC 12 at -O3 takes a literal + a temporary string
  // for an overlapping copy.
  EXPECT_EQ(format("%s|%5000d|", "a", 1), std::string("a|").append(4999, ' ').append("1|"));
  const std::string quoted(3000, '\'');
  EXPECT_EQ(format("%q", quoted.c_str()), std::string(6000, '\''));
  // The 6000 doubled quotes between the two that surround them.
  EXPECT_EQ(format("%Q", quoted.c_str()), std::string(6002, '\''));
  // Pieces larger than SQLite's fixed-size printing takes.
  EXPECT_EQ(format("%.600f", 0.5), std::string("0.5").append(599, '0'));
  EXPECT_EQ(format("%.0f", 1e300).size(), 301u);
  EXPECT_EQ(format("%-700s|", "x"), std::string("x").append(699, ' ').append("|"));
}

// Each call runs as the first printing of a fresh process: a piece printed through SQLite's
// fixed-size printing must not depend on an earlier call having set SQLite up.
TEST_F(FormatTest, PrintsLargePiecesAsTheFirstCallOfAProcess) {
  ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
  const std::string hundred(100, 'a');
  const struct {
    const char* spec;
    std::function<std::string()> run;
    size_t length;
  } cases[] = {
      {"%.14f of 1e42", [] { return fresh("%.14f", 1e42); }, 58},
      {"%f of 1e300", [] { return fresh("%f", 1e300); }, 308},
      {"%.60f of 1", [] { return fresh("%.60f", 1.0); }, 62},
      {"%60.2f of 1", [] { return fresh("%60.2f", 1.0); }, 60},
      {"%q of 100 characters", [&] { return fresh("%q", hundred.c_str()); }, 100},
      {"msString::Format %.14f of 1e45",
       [] {
         qv::msString s;
         return s.Format("%.14f", 1e45) == 1 ? std::string(s) : std::string("<failed>");
       },
       60},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(std::exit(c.run().size() == c.length ? 0 : 1), ::testing::ExitedWithCode(0), "")
        << c.spec;
  }
}

TEST_F(FormatTest, AnswersNullWhenMemoryRunsOut) {
  // Short and long results, plain and SQLite-printed pieces: a failure anywhere gives null and
  // leaves nothing live (the sweep checks), else the whole text.
  const std::string big(5000, 'y');
  const std::string whole = "short|" + big + "|   42|2.50|" + big;
  for (const char* call : {"acad_malloc", "acad_realloc"}) {
    const int points = qvtest::forEachFailure(call, [&](int) {
      char* made = qv::FormatAlloc("short|%s|%5d|%.2f|%s", big.c_str(), 42, 2.5, big.c_str());
      if (made != nullptr) {
        EXPECT_EQ(std::string(made), whole);
        acad_free(made);
      }
    });
    EXPECT_GE(points, 1) << call;
  }
  // Growing past the first host block fails: the block goes, and z arguments are still freed.
  sim::failCall("acad_realloc");
  char* owned = acad_strdup("owned");
  EXPECT_EQ(qv::FormatAlloc("%s%s%z", big.c_str(), big.c_str(), owned), nullptr);
  EXPECT_EQ(sim::liveBlocks(), 0);
  EXPECT_EQ(qv::FormatAlloc(nullptr), nullptr);
}

TEST_F(FormatTest, FormatsIntoAnMsString) {
  qv::msString s("before");
  EXPECT_EQ(s.Format("%s-%03d", "item", 7), 1);
  EXPECT_STREQ(s, "item-007");
  sim::failCall("acad_malloc");
  EXPECT_EQ(s.Format("%s", "lost"), 0);
  EXPECT_STREQ(s, "item-007");
  const std::string big(5000, 'z');
  EXPECT_EQ(s.Format("%s", big.c_str()), 1);
  EXPECT_EQ(s.GetLength(), 5000);
  EXPECT_EQ(s.GetCapacity(), qv::msStringCapacityFor(5000));
}

class PrintPiecesTest : public qvtest::HostTest {};

// A text of the given length whose every position can be told apart, '%' signs included.
std::string numbered(size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    text += "0123456789%abcdefghijklmnopqrstuvwxyz"[i % 37];
  }
  return text;
}

TEST_F(PrintPiecesTest, EveryLengthArrivesWhole) {
  for (size_t length : {0, 1, 131, 132, 133, 264, 265, 1000}) {
    const std::string text = numbered(length);
    qv::PrintInPieces(text.c_str());
    EXPECT_EQ(sim::takeCommandLine(), text) << length;
    qv::PrintLong("<%s>%d", text.c_str(), 7);
    EXPECT_EQ(sim::takeCommandLine(), "<" + text + ">7") << length;
  }
  qv::PrintInPieces(nullptr);
  qv::PrintLong(nullptr);
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(PrintPiecesTest, WithoutMemoryTheFirstPieceStillArrives) {
  const std::string text = numbered(300);
  qvtest::forEachFailure("acad_malloc", [&](int nth) {
    qv::PrintLong("%s", text.c_str());
    const std::string printed = sim::takeCommandLine();
    EXPECT_EQ(printed, nth == 1 ? text.substr(0, qv::kCommandLinePiece) : text);
  });
}

} // namespace

// The AutoLISP reader and printer: numbers, strings, symbols, lists, comments and malformed text
// (the files people really write: lisp_corpus_test.cpp).
#include "lisp_cases.h"
#include "testing/host_test.h"

namespace {

using qvtest::LispCase;

class LispReaderTest : public qvtest::HostTest {};

TEST_F(LispReaderTest, ReadsAndPrintsAtoms) {
  qvtest::expectLispCases({
      {"42", "42"},
      {"-7", "-7"},
      {"+7", "7"},
      {"2147483647", "2147483647"},
      {"-2147483648", "-2147483648"},
      {"2147483648", "2.14748e+009"}, // beyond 32 bits an integer reads as a real
      {"99999999999999999999", "1.0e+020"},
      {"1.", "1.0"},
      {".5", "0.5"},
      {"-.5", "-0.5"},
      {"1e3", "1000.0"},
      {"1.5E-3", "0.0015"},
      {"2.0", "2.0"},
      {"1.5", "1.5"},
      {"3.14159265", "3.14159"},
      {"123456.0", "123456.0"},
      {"1234567.0", "1.23457e+006"},
      {"0.00001", "1.0e-005"},
      {"0.0001", "0.0001"},
      {"'abc", "ABC"},
      {"'Mixed_Case$", "MIXED_CASE$"},
      {"'1e", "1E"},
      {"'1+", "1+"},
      {"'a.b", "A.B"},
      {"nil", "nil"},
      {"NIL", "nil"},
      {"t", "T"},
      {"\"plain\"", "\"plain\""},
  });
}

TEST_F(LispReaderTest, ReadsStringEscapes) {
  qvtest::expectLispCases({
      {R"("a\\b")", R"("a\\b")"},
      {R"("say \"hi\"")", R"("say \"hi\"")"},
      {R"((strlen "\n\r\t\e"))", "4"},
      {R"((ascii "\e"))", "27"},
      {R"((ascii "\101"))", "65"},
      {R"((ascii "\0101"))", "8"}, // three octal digits at most: \010 then "1"
      {R"((strlen "\0101"))", "2"},
      {R"((ascii "\q"))", "113"}, // an unknown escape is the character itself
      {R"("line\nbreak")", R"("line\nbreak")"},
      {R"((chr 7))", R"("\007")"},
      {"\"two\nlines\"", R"("two\nlines")"},
  });
}

TEST_F(LispReaderTest, ReadsListsQuotesAndComments) {
  qvtest::expectLispCases({
      {"'(1 2 3)", "(1 2 3)"},
      {"'(1 . 2)", "(1 . 2)"},
      {"'(1 2 . 3)", "(1 2 . 3)"},
      {"'(1 . (2 3))", "(1 2 3)"},
      {"'((a . \"x\") (b 1.5))", "((A . \"x\") (B 1.5))"},
      {"'()", "nil"},
      {"''a", "(QUOTE A)"},
      {"'(a 'b)", "(A (QUOTE B))"},
      {"1 ; a comment\n2", "2"},
      {"1 ;| a block\n comment (( |; 3", "3"},
      {"(+ 1 ;| inside |; 2)", "3"},
      {"'(a;comment\nb)", "(A B)"},
      {"(setq a 1)(setq b 2)(+ a b)", "3"},
      {"", ""},
      {"  ; only a comment", ""},
  });
}

TEST_F(LispReaderTest, MalformedTextIsAnErrorWithItsLine) {
  struct Case {
    const char* source;
    const char* error;
    int line;
  };
  const Case cases[] = {
      {"(setq a 1", "; error: malformed list on input", 1},
      {"(setq a 1)\n\n(princ (list 1 2)", "; error: malformed list on input", 3},
      {"1)\n", "; error: extra right paren on input", 1},
      {"\n\n)", "; error: extra right paren on input", 3},
      {"\"open string", "; error: malformed string on input", 1},
      {"'( . 2)", "; error: misplaced dot on input", 1},
      {"'(1 . 2 3)", "; error: misplaced dot on input", 1},
      {"'", "; error: malformed list on input", 1},
  };
  for (const Case& c : cases) {
    std::string error;
    int line = 0;
    EXPECT_FALSE(sim::readLisp(c.source, &error, &line)) << c.source;
    EXPECT_EQ(error, c.error) << c.source;
    EXPECT_EQ(line, c.line) << c.source;
    error.clear();
    line = 0;
    EXPECT_EQ(sim::evalLisp(c.source, &error, &line), "") << c.source;
    EXPECT_EQ(error, c.error) << c.source;
    EXPECT_EQ(line, c.line) << c.source;
  }
}

TEST_F(LispReaderTest, DeepNestingIsBoundedNotACrash) {
  const std::string deep(100000, '(');
  std::string error;
  EXPECT_FALSE(sim::readLisp(deep + std::string(100000, ')'), &error));
  EXPECT_EQ(error, "; error: Hard error occurred *** internal stack limit reached (simulated)");
  const std::string quotes(100000, '\'');
  EXPECT_FALSE(sim::readLisp(quotes + "a", &error));
  // Nesting within the bound reads and prints (the innermost () is nil).
  std::string nested = "'" + std::string(500, '(') + std::string(500, ')');
  EXPECT_EQ(sim::evalLisp(nested, &error), std::string(499, '(') + "nil" + std::string(499, ')'));
}

TEST_F(LispReaderTest, ArbitraryTextReadsOrFailsCleanly) {
  // Texts made of the characters the reader treats specially: each one either reads or gives
  // one of the reader's messages, and evaluating it never does worse than an AutoLISP error.
  const std::string alphabet = "()'\";|.\\ \n\t1e-5a#~`";
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  int read = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    for (uint32_t n = next() % 40; n > 0; --n) {
      text += alphabet[next() % alphabet.size()];
    }
    std::string error;
    int line = 0;
    if (sim::readLisp(text, &error, &line)) {
      ++read;
      EXPECT_EQ(error, "");
    } else {
      EXPECT_TRUE(error == "; error: malformed list on input" ||
                  error == "; error: extra right paren on input" ||
                  error == "; error: misplaced dot on input" ||
                  error == "; error: malformed string on input")
          << text << " -> " << error;
      EXPECT_GE(line, 1);
    }
    sim::evalLisp(text, &error);
    EXPECT_TRUE(error.empty() || error.rfind("; error: ", 0) == 0) << text;
  }
  EXPECT_GT(read, 100);
  sim::takeCommandLine();
}

} // namespace

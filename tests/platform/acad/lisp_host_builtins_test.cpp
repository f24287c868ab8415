// AutoLISP's unit texts, files and host calls: distof, angtos, open ... load, findfile, getvar,
// setvar, alert, getfiled, and where an error happened (file, line, call).
#include <filesystem>
#include <fstream>

#include "lisp_cases.h"
#include "platform/acad/acedads.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class LispHostBuiltinsTest : public qvtest::HostTest {
protected:
  void write(const std::string& name, const std::string& text) {
    std::ofstream(tempPath(name), std::ios::binary) << text;
  }
  // A LISP string naming a file of the test's folder.
  std::string quoted(const std::string& name) { return qvtest::lispString(tempPath(name)); }
};

TEST_F(LispHostBuiltinsTest, UnitTexts) {
  qvtest::expectLispCases({
      {"(distof \"12.5\" 2)", "12.5"},
      {"(distof \"-1.75E+01\" 1)", "-17.5"},
      {"(distof \"1'-5.50\\\"\" 3)", "17.5"},
      {"(distof \"1'5-1/2\\\"\" 4)", "17.5"},
      {"(distof \"2'\" 4)", "24.0"},
      {"(distof \"17 1/2\" 5)", "17.5"},
      {"(distof \"3/4\" 5)", "0.75"},
      {"(distof \"12.5\")", "12.5"}, // LUNITS 2
      {"(distof \"12,5\" 2)", "nil"},
      {"(distof \"\" 2)", "nil"},
      {"(distof \"1/0\" 5)", "nil"},
      {"(distof \"1\" 6)", "; error: bad argument value: AutoCAD units mode 6"},
      {"(distof 1)", "; error: bad argument type: stringp 1"},
      {"(angtos 0.785398 0 4)", "\"45.0000\""},
      {"(angtos 0.785398 1 4)", "\"45d0'0\\\"\""},
      {"(angtos (/ pi 3.0) 1 0)", "\"60d\""},
      {"(angtos 1.0 1 6)", "\"57d17'44.81\\\"\""},
      {"(angtos pi 2 2)", "\"200.00g\""},
      {"(angtos 1.0 3 3)", "\"1.000r\""},
      {"(angtos 0.785398 4 4)", "\"N 45d0'0\\\" E\""},
      {"(angtos (* pi 1.25) 4 2)", "\"S 45d0' W\""},
      {"(angtos (/ pi 2) 4 4)", "\"N\""},
      {"(angtos 0.0 4 4)", "\"E\""},
      {"(angtos (- (/ pi 4)) 0 2)", "\"315.00\""},
      {"(angtos 1.0)", "\"57\""}, // AUNITS 0, AUPREC 0
      {"(angtos 1.0 5)", "; error: bad argument value: AutoCAD angle units mode 5"},
  });
}

TEST_F(LispHostBuiltinsTest, SymbolsCompareAndNameFunctionsAsAutoLispDoes) {
  qvtest::expectLispCases({
      {"(= 'str (type \"a\"))", "T"},
      {"(= (type 1) 'STRING)", "nil"},
      {"(/= 'a 'b)", "T"},
      {"(= 'a 'a 'a)", "T"},
      {"(< 'a 'b)", "; error: bad argument type: numberp: A"},
      {"(setq f '+) (f 1 2)", "3"},
      {"(defun g (op) (op 6 7)) (g '*)", "42"},
      {"(setq f 't) (f)", "; error: bad function: T"},
      {"(setq f 'nothing) (f)", "; error: no function definition: NOTHING"},
  });
}

TEST_F(LispHostBuiltinsTest, FilesWrittenAndReadBack) {
  const std::string file = quoted("notes.txt");
  EXPECT_EQ(qvtest::lispOutcome("(setq f (open " + file +
                                " \"w\"))"
                                "(write-line \"first\" f) (princ 42 f) (print \"q\" f) (close f)"),
            "nil");
  EXPECT_EQ(readHost("notes.txt"), "first\r\n42\r\n\"q\" ");
  EXPECT_EQ(qvtest::lispOutcome("(setq f (open " + file +
                                " \"a\")) (write-line \"more\" f) (close f)"
                                "(setq f (open " +
                                file +
                                " \"R\"))"
                                "(setq l (list (read-line f) (read-line f) (read-line f)"
                                "  (read-line f)))"
                                "(close f) l"),
            "(\"first\" \"42\" \"\\\"q\\\" more\" nil)");
  EXPECT_EQ(qvtest::lispOutcome("(open " + quoted("missing/x.txt") + " \"r\")"), "nil");
  EXPECT_EQ(qvtest::lispOutcome("(open " + file + " \"x\")"), "; error: bad argument value: \"x\"");
  EXPECT_EQ(qvtest::lispOutcome("(setq f (open " + file + " \"r\")) (close f) (read-line f)"),
            "; error: bad argument type: streamp #<file \"" + tempPath("notes.txt") + "\">");
  EXPECT_EQ(qvtest::lispOutcome("(write-line \"x\" 5)"), "; error: bad argument type: streamp 5");
  // A file left open is closed when its document's interpreter ends. Where Windows answers, the
  // stream is a kernel handle, and a file still open could not be removed.
  sim::evalLisp("(setq f (open " + file + " \"r\"))");
  EXPECT_EQ(sim::windowsAnswers() ? sim::liveHandles() : sim::openFiles(), 1);
  sim::reset();
  sim::liveLispValues();
  EXPECT_EQ(sim::openFiles(), 0);
  std::error_code error;
  EXPECT_TRUE(std::filesystem::remove(tempPath("notes.txt"), error)) << error.message();
}

TEST_F(LispHostBuiltinsTest, FindAndLoad) {
  write("lib.lsp", "(defun twice (x) (* 2 x))\n(setq loaded \"yes\")\n");
  write("broken.lsp", "(setq a 1)\n\n(car 5)\n");
  write("nested.lsp", "(princ \"outer\")\n(load " + quoted("broken.lsp") + ")\n");
  sim::setSysVarString("ACADPREFIX", "C:\\none\\;" + tempPath(""));
  // Found in the support folders, named as it was asked for.
  EXPECT_EQ(sim::evalLisp("(findfile \"LIB.LSP\")"), quoted("LIB.LSP"));
  EXPECT_EQ(sim::evalLisp("(findfile \"nothing.lsp\")"), "nil");
  EXPECT_EQ(sim::evalLisp("(findfile " + qvtest::lispString(tempDir().string()) + ")"),
            "nil"); // a folder
  EXPECT_EQ(sim::evalLisp("(load \"lib\") (twice 21)"), "42");
  EXPECT_EQ(sim::evalLisp("loaded"), "\"yes\"");
  EXPECT_EQ(qvtest::lispOutcome("(load \"nofile\")"), "; error: LOAD failed: \"nofile\"");
  EXPECT_EQ(sim::evalLisp("(load \"nofile\" 'fallback)"), "FALLBACK");

  sim::LispFailure failure;
  EXPECT_FALSE(sim::runLisp("(setq x 1)\n(load \"nested\")", nullptr, &failure));
  EXPECT_EQ(failure.message, "; error: bad argument type: consp 5");
  EXPECT_EQ(failure.file, tempPath("broken.lsp"));
  EXPECT_EQ(failure.line, 3);
  EXPECT_EQ(failure.expression, "(CAR 5)");
  write("unbalanced.lsp", "(setq a 1)\n(defun f (x)\n  (+ x 1)\n");
  EXPECT_FALSE(sim::runLisp("(load \"unbalanced\")", nullptr, &failure));
  EXPECT_EQ(failure.message, "; error: malformed list on input");
  EXPECT_EQ(failure.file, tempPath("unbalanced.lsp"));

  qvtest::forEachFailure("acedFindFile", [&](int) { sim::evalLisp("(load \"lib\" nil)"); });
  qvtest::forEachFailure("fopen", [&](int) { sim::evalLisp("(load \"lib\" nil)"); });
}

TEST_F(LispHostBuiltinsTest, SystemVariablesAlertsAndFileDialog) {
  qvtest::expectLispCases({
      {"(getvar \"lunits\")", "2"},
      {"(getvar \"VIEWCTR\")", "(6.0 4.5 0.0)"},
      {"(getvar \"nosuchvar\")", "nil"},
      {"(setvar \"OSMODE\" 0) (getvar \"OSMODE\")", "0"},
      {"(setvar \"DIMSCALE\" 2) (getvar \"DIMSCALE\")", "2.0"},
      {"(setvar \"CLAYER\" \"WALLS\")", "\"WALLS\""},
      {"(setvar \"DWGNAME\" \"x\")",
       "; error: AutoCAD variable setting rejected: \"DWGNAME\" \"x\""},
      {"(setvar \"OSMODE\" 100000)",
       "; error: AutoCAD variable setting rejected: \"OSMODE\" 100000"},
      {"(setvar \"OSMODE\" '(1 2 3 4))",
       "; error: AutoCAD variable setting rejected: \"OSMODE\" (1 2 3 4)"},
      {"(getvar 'lunits)", "; error: bad argument type: stringp LUNITS"},
      {"(alert \"Done\")", "nil"},
      {"(getfiled \"Open\" \"\" \"txt\" 0)", "nil"}, // nobody answers: cancelled
  });
  sim::evalLisp("(alert \"Careful\")");
  EXPECT_EQ(sim::alerts(), std::vector<std::string>{"Careful"});
  sim::answer(sim::Answer::fileName("C:\\jobs\\a.txt"));
  EXPECT_EQ(sim::evalLisp("(getfiled \"Open\" \"a\" \"txt\" 4)"), "\"C:\\\\jobs\\\\a.txt\"");
  ASSERT_EQ(sim::asked().size(), 1u);
  EXPECT_EQ(sim::asked()[0].filter, "txt");
  EXPECT_EQ(sim::asked()[0].flags, 4);
}

} // namespace

// The family's dialogs and the memory of dialog values from AutoLISP: the person's answers come
// from the queue, the values go to the value files and back as association lists.
#include <string>

#include "dialogs/dialogs_fixture.h"
#include "module_fixture.h"
#include "testing/failure_sweep.h"

namespace {

using qvtest::putText;

class DialogFunctionsTest : public qvtest::ModuleFunctionTest {
protected:
  void SetUp() override {
    ModuleFunctionTest::SetUp();
    qvtest::makeDialogFolders(tempDir());
  }
  std::filesystem::path user() const { return tempDir() / "user"; }
};

struct Case {
  const char* lisp;
  const char* answer;
};

TEST_F(DialogFunctionsTest, AlertsAndAsksThroughTheFamilysDialogs) {
  EXPECT_EQ(run("(cf:alert \"Saved\")"), "nil");
  EXPECT_EQ(qvtest::valueAtStart(sim::shownDialogs().back(), "msg"), "Saved");
  const struct {
    const char* lisp;
    std::vector<sim::Answer> steps;
    const char* answer;
  } cases[] = {
      {"(cf:askstring \"Layer:\" \"L1\" \"New layer\")", {sim::Answer::press("ok")}, "\"L1\""},
      {"(cf:askstring \"Layer:\" nil \"New layer\")",
       {sim::Answer::tile("value", "a \"b\""), sim::Answer::press("ok")},
       "\"a \\\"b\\\"\""},
      {"(cf:askstring \"Layer:\" \"L1\" \"New layer\")",
       {sim::Answer::tile("value", "typed"), sim::Answer::press("cancel")},
       "nil"},
  };
  for (const auto& each : cases) {
    for (const sim::Answer& step : each.steps) {
      sim::answer(step);
    }
    EXPECT_EQ(run(each.lisp), each.answer) << each.lisp;
    // The caption goes through SetWindowTextA: where Windows answers, the stand-in host's
    // dialogs are no windows of its own.
    if (!sim::windowsAnswers()) {
      EXPECT_EQ(sim::shownDialogs().back().caption, "New layer");
    }
    EXPECT_EQ(qvtest::valueAtStart(sim::shownDialogs().back(), "prompt"), "Layer:");
  }
  putText("lspdir$", user().string().append("/").c_str()); // no qvanfile.dcl there
  EXPECT_EQ(run("(cf:askstring \"Layer:\")"), "nil | Can not load a dialog definition\n");
}

TEST_F(DialogFunctionsTest, SavedValuesComeBackAsAnAssociationList) {
  const std::string longValue(600, 'v');
  const Case cases[] = {
      {"(cf:dialogsave \"f\" \"ab\" '((\"name\" . \"North, 'fence'\") (\"flag\" \"1\")))", "T"},
      {"(cf:dialogrestore \"f\" \"ab\")",
       "((\"name\" . \"North, 'fence'\") (\"note\" . \"\") (\"flag\" . \"1\"))"},
      {"(cf:dialogsave \"f\" \"ab\" '((\"name\" . \"S\") (\"other\" . \"x\")) 1)", "T"},
      {"(cf:dialogrestore \"f\" \"ab\" 1)", // a key not given keeps its stored value
       "((\"name\" . \"S\") (\"note\" . \"\") (\"flag\" . \"1\"))"},
      {"(cf:dialogrestore \"f\" \"ab\")", // the DCL's own file wins
       "((\"name\" . \"North, 'fence'\") (\"note\" . \"\") (\"flag\" . \"1\"))"},
      {"(cf:tilevalue \"f\" \"ab\" \"name\")", "\"North, 'fence'\""},
      {"(cf:tilevalue \"f\" \"ab\" \"name\" 1)", "\"S\""},
      {"(cf:tilevalue \"f\" \"ab\" \"other\")", "nil"},
      {"(cf:dialogrestore \"f\" \"abc\")", "nil"},
      {"(cf:dialogsave \"f\" \"zz\" nil)", "nil"}, // the DCL file has no such dialog
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.lisp), c.answer) << c.lisp;
  }
  EXPECT_EQ(qvtest::readText(user() / "dialogs.ini"),
            "f,ab,name,'S'\r\nf,ab,note,''\r\nf,ab,flag,'1'\r\n");
  // A value longer than the first buffer of the reader comes whole.
  EXPECT_EQ(
      run("(cf:dialogsave \"f\" \"ab\" (list (cons \"note\" (strcat \"" + longValue + "\"))))"),
      "T");
  EXPECT_EQ(run("(strlen (cf:tilevalue \"f\" \"ab\" \"note\"))"), "600");
}

TEST_F(DialogFunctionsTest, WrongCallsPrintTheHostsErrorAndAnswerNil) {
  const Case cases[] = {
      {"(cf:alert 1)", "nil | ; error: bad argument type: stringp 1\n"},
      {"(cf:alert \"a\" \"b\")", "nil | ; error: too many arguments\n"},
      {"(cf:askstring)", "nil | ; error: too few arguments\n"},
      {"(cf:askstring \"p\" 5)", "nil | ; error: bad argument type: stringp 5\n"},
      {"(cf:dialogsave \"f\" \"ab\" \"x\")", "nil | ; error: bad argument type: listp \"x\"\n"},
      {"(cf:dialogsave \"f\" \"ab\" '((\"a\" . 1)))",
       "nil | ; error: bad argument type: consp (\"a\" . 1)\n"},
      {"(cf:dialogsave \"f\" \"ab\" '(\"a\"))", "nil | ; error: bad argument type: consp \"a\"\n"},
      {"(cf:dialogrestore \"f\" \"ab\" \"1\")",
       "nil | ; error: bad argument type: fixnump: \"1\"\n"},
      {"(cf:tilevalue \"f\" \"ab\")", "nil | ; error: too few arguments\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.lisp), c.answer) << c.lisp;
  }
  EXPECT_FALSE(std::filesystem::exists(user() / "f.ini"));
}

TEST_F(DialogFunctionsTest, AFailedSaveAnswersNilAndKeepsTheOldFile) {
  const std::string old = "f,ab,name,'old'\r\ng,h,i,'j'\r\n";
  const std::string saved = "f,ab,name,'new'\r\nf,ab,note,''\r\nf,ab,flag,''\r\ng,h,i,'j'\r\n";
  for (const char* call : {"fopen", "fwrite", "fclose", "MoveFileExA", "acedGetSym"}) {
    qvtest::forEachFailure(call, [&](int nth) {
      qvtest::writeText(user() / "f.ini", old);
      const std::string answer = run("(cf:dialogsave \"f\" \"ab\" '((\"name\" . \"new\")))");
      const std::string now = qvtest::readText(user() / "f.ini");
      EXPECT_EQ(now, answer == "T" ? saved : old) << call << " " << nth;
    });
  }
}

} // namespace

// The module's functions called from AutoLISP: good arguments, wrong types and wrong counts, each
// answered as a host function answers (the host's error on the command line, then nil).
#include <cstring>
#include <string>

#include "module_fixture.h"

namespace {

class ModuleFunctionsTest : public qvtest::ModuleFunctionTest {};

struct Case {
  const char* lisp;
  const char* answer;
};

TEST_F(ModuleFunctionsTest, QuantitiesAndDates) {
  const Case cases[] = {
      {"(cf:angle 12.5)", "\"12\xB0"
                          "30'00\\\"\""},
      {"(cf:angle -12.5125 -1)", "\"-12\xB0"
                                 "30'45.0\\\"\""},
      {"(cf:angle 12.5125 1 0)", "\"12.3045\""},
      {"(cf:angle 12.5125 nil 0)", "\"12.3045\""}, // nil takes the default
      {"(cf:degrees 12.3)", "12.5"},
      {"(cf:degrees 12.7)", "nil"}, // 70 minutes
      {"(cf:bearing 0.785398163397448)", "(1 \"45.0000\")"},
      {"(cf:bearing 4)", "(3 \"49.1059\")"},
      {"(cf:station 1234.56)", "\"12+34.56\""},
      {"(cf:station \"123456\" \"1\")", "\"123+456\""},
      {"(cf:station 620 2 50.0)", "\"+20.000\""},
      {"(cf:station 600 2 50)", "\"NO.12\""},
      {"(cf:stationvalue \"12+34.56\")", "1234.56"},
      {"(cf:feetinches 3.5)", "\"3'6\\\"\""},
      {"(cf:feetinches (/ 3.0 96))", "\"3/8\\\"\""},
      {"(cf:date 7 12 2026 \"yyyy-MM-dd\")", "\"2026-12-07\""},
      {"(cf:date 31 4 2026 \"yyyy-MM-dd\")", "nil"},
      {"(cf:dateparse \"07/12/2026\" \"dd/MM/yyyy\")", "(7 12 2026)"},
      {"(cf:dateparse \"7 Dec\" \"dd/MM/yyyy\")", "nil"},
      {"(cf:isnumeric \"-12.5\")", "T"},
      {"(cf:isnumeric \"1234567890\" 10)", "nil"},
      {"(cf:isnumeric \"1234567890\" 100000)", "T"},
      {"(cf:numval \"abc\")", "-9.87654e+007"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.lisp), c.answer) << c.lisp;
  }
}

TEST_F(ModuleFunctionsTest, UserBreakAndUserFolder) {
  qv::userFolder[0] = '\0';
  std::strcat(qv::userFolder, "C:\\Qv\\User\\");
  EXPECT_EQ(run("(cf:userfolder)"), "\"C:\\\\Qv\\\\User\\\\\"");
  EXPECT_EQ(run("(cf:userbreak)"), "0");
  sim::answer(sim::Answer::userBreak(true));
  EXPECT_EQ(run("(list (cf:userbreak) (cf:userbreak))"), "(1 1)"); // latched
}

TEST_F(ModuleFunctionsTest, ExpressionsOverAScriptsVariables) {
  const Case cases[] = {
      {"(cf:evaluate \"[a]*2+1\" '((\"a\" . 3.5)))", "8.0"},
      {"(cf:evaluate \"[A]+[b]\" '((\"a\" . 1) (\"B\" . \"2.5\")))", "3.5"},
      {"(cf:evaluate \"if code like \\\"IP*\\\" then 1 else 0\" '((\"code\" . \"ipx\")))", "1.0"},
      {"(cf:evaluate \"if code like \\\"IP*\\\" then 1 else 0\" '((\"code\" . \"CP\")))", "0.0"},
      {"(cf:evaluate \"(1<2)&(3<4)\")", "1.0"},
      {"(cf:evaluate \"1/0\")", "nil"},
      {"(cf:evaluate \"[gone]+1\" nil)", "nil | Unable to evaluate a value of variable 'gone'.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.lisp), c.answer) << c.lisp;
  }
}

TEST_F(ModuleFunctionsTest, RecordListsSortAndKeepTheirShape) {
  const char* points = "'((\"B\" (\"n\" . \"2\")) (\"A\" (\"n\" . \"10\")) (nil (\"n\" . 1)))";
  EXPECT_EQ(run(std::string("(cf:tablesort ") + points + " \"n\")"),
            "((nil (\"n\" . \"1\")) (\"B\" (\"n\" . \"2\")) (\"A\" (\"n\" . \"10\")))");
  EXPECT_EQ(run(std::string("(cf:tablesort ") + points + " \"n\" T)"),
            "((\"A\" (\"n\" . \"10\")) (\"B\" (\"n\" . \"2\")) (nil (\"n\" . \"1\")))");
  EXPECT_EQ(run(std::string("(cf:tablesort ") + points + ")"),
            "((nil (\"n\" . \"1\")) (\"A\" (\"n\" . \"10\")) (\"B\" (\"n\" . \"2\")))");
  EXPECT_EQ(run("(cf:tablesort '((\"A\" (\"x\" 1.5) (\"y\" . -7))))"),
            "((\"A\" (\"x\" . \"1.5\") (\"y\" . \"-7\")))");
  EXPECT_EQ(run("(cf:tablesort nil)"), "nil");
}

TEST_F(ModuleFunctionsTest, WrongCallsPrintTheHostsErrorAndAnswerNil) {
  const Case cases[] = {
      {"(cf:angle \"x\")", "nil | ; error: bad argument type: numberp: \"x\"\n"},
      {"(cf:angle)", "nil | ; error: too few arguments\n"},
      {"(cf:angle 1 1 1 1)", "nil | ; error: too many arguments\n"},
      {"(cf:angle 1 1.5)", "nil | ; error: bad argument type: fixnump: 1.5\n"},
      {"(cf:bearing nil)", "nil | ; error: bad argument type: numberp: nil\n"},
      {"(cf:station '(1 2))", "nil | ; error: bad argument type: stringp (1 2)\n"},
      {"(cf:station 1 2 \"x\")", "nil | ; error: bad argument type: numberp: \"x\"\n"},
      {"(cf:feetinches 1 2)", "nil | ; error: too many arguments\n"},
      {"(cf:date 1.5 2 2020)", "nil | ; error: bad argument type: fixnump: 1.5\n"},
      {"(cf:date 1 2)", "nil | ; error: too few arguments\n"},
      {"(cf:isnumeric \"5\" -1)", "nil | ; error: bad argument value: non-negative -1\n"},
      {"(cf:numval 5)", "nil | ; error: bad argument type: stringp 5\n"},
      {"(cf:userfolder 1)", "nil | ; error: too many arguments\n"},
      {"(cf:evaluate \"1\" \"a\")", "nil | ; error: bad argument type: listp \"a\"\n"},
      {"(cf:tablesort \"x\")", "nil | ; error: bad argument type: listp \"x\"\n"},
      {"(cf:tablesort '((\"A\" \"x\")))", "nil | ; error: bad argument type: listp \"x\"\n"},
      {"(cf:tablesort '((\"A\" (1 . \"x\"))))",
       "nil | ; error: bad argument type: consp (1 . \"x\")\n"},
      {"(cf:tablesort '(\"A\"))", "nil | ; error: bad argument type: listp \"A\"\n"},
      {"(cf:tablewrite \"a.xml\")", "nil | ; error: too few arguments\n"},
      {"(cf:pointimport \"p.txt\" \",\" '(\"n\" 2))",
       "nil | ; error: bad argument type: stringp 2\n"},
      {"(cf:storageread)", "nil | ; error: too few arguments\n"},
      {"(cf:settingwrite \"a\" 1)", "nil | ; error: bad argument type: stringp 1\n"},
      // The offending value as prin1 prints it.
      {"(cf:numval 1.0e20)", "nil | ; error: bad argument type: stringp 1.0e+020\n"},
      {"(cf:numval '(1 (2 . 3.5) \"a\\\"b\\n\" T))",
       "nil | ; error: bad argument type: stringp (1 (2 . 3.5) \"a\\\"b\\n\" T)\n"},
      {"(cf:numval '(1.0 2.0))", "nil | ; error: bad argument type: stringp (1.0 2.0)\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.lisp), c.answer) << c.lisp;
  }
}

} // namespace

// AutoLISP's built-in functions: lists, numbers with the integer and real rules, strings, and
// output to the command line.
#include "lisp_cases.h"
#include "testing/host_test.h"

namespace {

class LispBuiltinsTest : public qvtest::HostTest {};

TEST_F(LispBuiltinsTest, ListFunctions) {
  qvtest::expectLispCases({
      {"(car '(1 2))", "1"},
      {"(cdr '(1 2))", "(2)"},
      {"(car nil)", "nil"},
      {"(cadr '(1 2 3))", "2"},
      {"(caddr '(1 2 3))", "3"},
      {"(cdddr '(1 2 3 4))", "(4)"},
      {"(caar '((1) 2))", "1"},
      {"(cdar '((1 . 5)))", "5"},
      {"(cadddr '(1 2 3 4))", "4"},
      {"(caaaar '((((x)))))", "X"},
      {"(cddddr '(1 2 3 4 5))", "(5)"},
      {"(cadr '(1 . 2))", "; error: bad argument type: consp 2"},
      {"(cons 1 '(2))", "(1 2)"},
      {"(cons 1 2)", "(1 . 2)"},
      {"(cons 1 nil)", "(1)"},
      {"(list)", "nil"},
      {"(list 1 \"a\" 'b 2.5)", "(1 \"a\" B 2.5)"},
      {"(append '(1) '(2 3) nil '(4))", "(1 2 3 4)"},
      {"(append)", "nil"},
      {"(append '(1) 2)", "; error: bad argument type: listp 2"},
      {"(assoc 2 '((1 . \"a\") (2 . \"b\")))", "(2 . \"b\")"},
      {"(assoc \"k\" '((\"k\" 1)))", "(\"k\" 1)"},
      {"(assoc 3 '((1 . 2)))", "nil"},
      {"(member 2 '(1 2 3))", "(2 3)"},
      {"(member '(1) '(a (1) b))", "((1) B)"},
      {"(member 9 '(1 2))", "nil"},
      {"(nth 1 '(a b c))", "B"},
      {"(nth 5 '(a b c))", "nil"},
      {"(nth -1 '(a b c))", "nil"},
      {"(length '(1 2 3))", "3"},
      {"(length nil)", "0"},
      {"(reverse '(1 2 3))", "(3 2 1)"},
      {"(last '(1 2 3))", "3"},
      {"(last nil)", "nil"},
      {"(subst 'x 2 '(1 2 3 2))", "(1 X 3 X)"},
      {"(subst '(n) '(o) '((o) a))", "((N) A)"},
      {"(vl-position 'c '(a b c))", "2"},
      {"(vl-position 'z '(a b c))", "nil"},
      {"(vl-remove 2 '(1 2 3 2))", "(1 3)"},
      {"(vl-sort '(3 1 2) '<)", "(1 2 3)"},
      {"(vl-sort '(\"b\" \"a\" \"c\") '>)", "(\"c\" \"b\" \"a\")"},
      {"(vl-sort '(3 1 3 2 1) '<)", "(1 2 3)"}, // equal integers are dropped, as AutoLISP does
      {"(vl-sort '(2.0 1.0 2.0) '<)", "(1.0 2.0 2.0)"},
      {"(vl-sort '((2 a) (1 b)) '(lambda (x y) (< (car x) (car y))))", "((1 B) (2 A))"},
      {"(vl-sort nil '<)", "nil"},
      {"(eq 'a 'a)", "T"},
      {"(eq 1 1)", "T"},
      {"(eq '(1) '(1))", "nil"},
      {"(setq l '(1)) (eq l l)", "T"},
      {"(equal '(1 (2 \"x\")) '(1 (2 \"x\")))", "T"},
      {"(equal 1 1.0)", "T"},
      {"(equal 1.0 1.05)", "nil"},
      {"(equal 1.0 1.05 0.1)", "T"},
      {"(equal '(1.0 2.0) '(1.01 1.99) 0.02)", "T"},
      {"(equal \"a\" \"A\")", "nil"},
  });
}

TEST_F(LispBuiltinsTest, NumbersFollowTheIntegerAndRealRules) {
  qvtest::expectLispCases({
      {"(+)", "0"},
      {"(+ 1 2 3)", "6"},
      {"(+ 1 2.0)", "3.0"},
      {"(- 5)", "-5"},
      {"(- 10 1 2)", "7"},
      {"(*)", "1"},
      {"(* 2 3.5)", "7.0"},
      {"(/ 7 2)", "3"},
      {"(/ -7 2)", "-3"},
      {"(/ 7 2.0)", "3.5"},
      {"(/ 8)", "8"},
      {"(+ 2147483647 1)", "-2147483648"},
      {"(* 65536 65536)", "0"},
      {"(- -2147483648 1)", "2147483647"},
      {"(/ -2147483648 -1)", "-2147483648"},
      {"(= 1 1.0)", "T"},
      {"(= 1 1 2)", "nil"},
      {"(= \"a\" \"a\")", "T"},
      {"(= 1 \"1\")", "nil"},
      {"(/= 1 2)", "T"},
      {"(/= 1 1)", "nil"},
      {"(< 1 2 3)", "T"},
      {"(< 1 3 2)", "nil"},
      {"(> 3 2 1)", "T"},
      {"(<= 1 1 2)", "T"},
      {"(>= 2 2 3)", "nil"},
      {"(< \"abc\" \"abd\")", "T"},
      {"(< 1 'a)", "; error: bad argument type: numberp: A"},
      {"(abs -5)", "5"},
      {"(abs -2.5)", "2.5"},
      {"(max 1 5 3)", "5"},
      {"(max 1 2.0)", "2.0"},
      {"(min 4 2 8)", "2"},
      {"(rem 42 12)", "6"},
      {"(rem -7 2)", "-1"},
      {"(rem 7.5 2)", "1.5"},
      {"(fix 2.7)", "2"},
      {"(fix -2.7)", "-2"},
      {"(fix 5)", "5"},
      {"(float 3)", "3.0"},
      {"(1+ 1)", "2"},
      {"(1- 1.5)", "0.5"},
      {"(1+ 2147483647)", "-2147483648"},
      {"(minusp -1)", "T"},
      {"(minusp 0)", "nil"},
      {"(zerop 0.0)", "T"},
      {"(numberp 1.5)", "T"},
      {"(numberp \"1\")", "nil"},
      {"(atom 'a)", "T"},
      {"(atom '(1))", "nil"},
      {"(atom nil)", "T"},
      {"(listp nil)", "T"},
      {"(listp 1)", "nil"},
      {"(type 1)", "INT"},
      {"(type 1.0)", "REAL"},
      {"(type \"\")", "STR"},
      {"(type 'a)", "SYM"},
      {"(type '(1))", "LIST"},
      {"(type nil)", "nil"},
      {"(sqrt 16)", "4.0"},
      {"(expt 2 10)", "1024"},
      {"(expt 2 0.5)", "1.41421"},
      {"pi", "3.14159"},
      {"(* 1e200 1e200)", "1.#INF"},
  });
}

TEST_F(LispBuiltinsTest, StringFunctions) {
  qvtest::expectLispCases({
      {"(strcat \"ab\" \"\" \"cd\")", "\"abcd\""},
      {"(strcat)", "\"\""},
      {"(substr \"abcdef\" 2 3)", "\"bcd\""},
      {"(substr \"abcdef\" 4)", "\"def\""},
      {"(substr \"abc\" 5)", "\"\""},
      {"(substr \"abc\" 0)", "; error: bad argument value: positive 0"},
      {"(strlen \"hello\")", "5"},
      {"(strlen \"ab\" \"c\")", "3"},
      {"(strcase \"MiXed\")", "\"MIXED\""},
      {"(strcase \"MiXed\" t)", "\"mixed\""},
      {"(itoa -12)", "\"-12\""},
      {"(atoi \"  42abc\")", "42"},
      {"(atoi \"x\")", "0"},
      {"(atoi \"99999999999\")", "2147483647"},
      {"(atof \"2.5e1\")", "25.0"},
      {"(atof \"\")", "0.0"},
      {"(atof \"0x1A\")", "0.0"},
      {"(atof \" -1.5e2x\")", "-150.0"},
      {"(atof \"inf\")", "0.0"},
      {"(rtos 1.5 2 2)", "\"1.50\""},
      {"(rtos 2 2 0)", "\"2\""},
      {"(rtos -0.125 2 2)", "\"-0.13\""},
      {"(rtos 3.14159)", "\"3.1416\""}, // LUNITS 2 and LUPREC 4
      {"(rtos 15.0 1 4)", "\"1.5000E+01\""},
      {"(rtos 17.5 4 2)", "\"1'-5 1/2\\\"\""},
      {"(rtos 1.0 7 2)", "; error: bad argument value: AutoCAD units mode 7"},
      {"(chr 65)", "\"A\""},
      {"(ascii \"A\")", "65"},
      {"(ascii \"\")", "0"},
      {"(vl-string-search \"cd\" \"abcdcd\")", "2"},
      {"(vl-string-search \"cd\" \"abcdcd\" 3)", "4"},
      {"(vl-string-search \"x\" \"abc\")", "nil"},
      {"(vl-prin1-to-string '(1 \"a\" b))", "\"(1 \\\"a\\\" B)\""},
      {"(vl-princ-to-string '(1 \"a\" b))", "\"(1 a B)\""},
  });
}

TEST_F(LispBuiltinsTest, WildCardMatch) {
  qvtest::expectLispCases({
      {"(wcmatch \"Name\" \"N*\")", "T"},
      {"(wcmatch \"Name\" \"n*\")", "nil"}, // case counts
      {"(wcmatch \"Name\" \"???,*e\")", "T"},
      {"(wcmatch \"Name\" \"???,*x\")", "nil"},
      {"(wcmatch \"A12\" \"@##\")", "T"},
      {"(wcmatch \"A1b\" \"@##\")", "nil"},
      {"(wcmatch \"a-b\" \"a.b\")", "T"},
      {"(wcmatch \"a1b\" \"a.b\")", "nil"},
      {"(wcmatch \"abc\" \"~a*\")", "nil"},
      {"(wcmatch \"xbc\" \"~a*\")", "T"},
      {"(wcmatch \"b\" \"[abc]\")", "T"},
      {"(wcmatch \"d\" \"[a-c]\")", "nil"},
      {"(wcmatch \"d\" \"[~a-c]\")", "T"},
      {"(wcmatch \"*\" \"`*\")", "T"},
      {"(wcmatch \"x\" \"`*\")", "nil"},
      {"(wcmatch \"a,b\" \"a`,b\")", "T"},
      {"(wcmatch \"\" \"*\")", "T"},
      {"(wcmatch \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab\" \"*a*a*a*a*a*a*c\")", "nil"},
      {"(wcmatch \"LAYER-01\" \"LAYER-##,WALL*\")", "T"},
      {"(wcmatch 1 \"*\")", "; error: bad argument type: stringp 1"},
  });
}

TEST_F(LispBuiltinsTest, OutputGoesToTheCommandLine) {
  struct Case {
    const char* source;
    const char* printed;
    const char* value;
  };
  const Case cases[] = {
      {"(princ \"a\\nb\")", "a\nb", "\"a\\nb\""},
      {"(prin1 \"a\\nb\")", "\"a\\nb\"", "\"a\\nb\""},
      {"(print 'x)", "\nX ", "X"},
      {"(princ 1.5)", "1.5", "1.5"},
      {"(princ '(1 \"s\" 2.0))", "(1 s 2.0)", "(1 \"s\" 2.0)"},
      {"(prin1 '(1 \"s\" 2.0))", "(1 \"s\" 2.0)", "(1 \"s\" 2.0)"},
      {"(princ)", "", ""},
      {"(terpri)", "\n", "nil"},
      {"(prompt \"Pick a point: \")", "Pick a point: ", "nil"},
      {"(princ 'a nil)", "A", "A"},
  };
  for (const Case& c : cases) {
    sim::takeCommandLine();
    std::string error;
    EXPECT_EQ(sim::evalLisp(c.source, &error), c.value) << c.source;
    EXPECT_EQ(error, "") << c.source;
    EXPECT_EQ(sim::takeCommandLine(), c.printed) << c.source;
  }
  // A long text goes out whole, though the host keeps 132 characters of one print call.
  const std::string longText(1000, 'x');
  sim::evalLisp("(princ \"" + longText + "\")");
  EXPECT_EQ(sim::takeCommandLine(), longText);
}

} // namespace

// The AutoLISP evaluator: special forms, user functions with locals, calls of function values,
// errors as the host reports them, *error*, vl-catch-all-apply, and the depth bound.
#include <thread>

#include "lisp_cases.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class LispEvalTest : public qvtest::HostTest {};

TEST_F(LispEvalTest, SpecialForms) {
  qvtest::expectLispCases({
      {"(setq a 1 b (+ a 1))", "2"},
      {"(setq a 1 b (+ a 1)) (list a b)", "(1 2)"},
      {"(setq Abc 5) abc", "5"},
      {"unset", "nil"},
      {"(quote (a b))", "(A B)"},
      {"(if t 1 2)", "1"},
      {"(if nil 1 2)", "2"},
      {"(if nil 1)", "nil"},
      {"(cond ((= 1 2) 'a) ((= 1 1) 'b 'c) (t 'd))", "C"},
      {"(cond (nil 1) (5))", "5"},
      {"(cond (nil 1))", "nil"},
      {"(setq i 0 s 0) (while (< i 5) (setq s (+ s i) i (1+ i))) s", "10"},
      {"(while nil 1)", "nil"},
      {"(setq n 0) (repeat 4 (setq n (+ n 2)))", "8"},
      {"(repeat 0 1)", "nil"},
      {"(setq s 0) (foreach x '(1 2 3) (setq s (+ s x)))", "6"},
      {"(setq x 'outer) (foreach x '(1 2) x) x", "OUTER"},
      {"(progn 1 2 3)", "3"},
      {"(progn)", "nil"},
      {"(and)", "T"},
      {"(and 1 2)", "T"},
      {"(and 1 nil (undefined-function))", "nil"},
      {"(or)", "nil"},
      {"(or nil 3)", "T"},
      {"(or 1 (undefined-function))", "T"},
      {"(not nil)", "T"},
      {"(null '(1))", "nil"},
  });
}

TEST_F(LispEvalTest, UserFunctionsBindAndRestoreTheirSymbols) {
  qvtest::expectLispCases({
      {"(defun sq (x) (* x x))", "SQ"},
      {"(defun sq (x) (* x x)) (sq 7)", "49"},
      {"(defun f () 1) (type f)", "USUBR"},
      {"(defun f () ) (f)", "nil"},
      {"(setq x 10) (defun f (x) (* x 2)) (list (f 3) x)", "(6 10)"},
      {"(setq tmp 'global) (defun f (a / tmp) (setq tmp a) tmp) (list (f 1) tmp)", "(1 GLOBAL)"},
      {"(defun f (/ loc) loc) (setq loc 5) (f)", "nil"},
      // Dynamic scope: a called function sees its caller's locals.
      {"(defun inner () v) (defun outer (v) (inner)) (outer 42)", "42"},
      {"(defun fact (n) (if (< n 2) 1 (* n (fact (1- n))))) (fact 10)", "3628800"},
      {"(defun f (a) (setq a 2)) (setq a 1) (f 5) a", "1"},
      // An error in a function restores its symbols on the way out.
      {"(setq a 1) (defun f (a) (/ 1 0)) (vl-catch-all-apply 'f '(9)) a", "1"},
      {"((lambda (x y) (+ x y)) 1 2)", "3"},
      {"(type (lambda (x) x))", "USUBR"},
      {"(setq f (lambda (x) (* 3 x))) (f 2)", "6"},
      {"(function car)", "CAR"},
      {"(apply (function (lambda (x) (1+ x))) '(1))", "2"},
      {"(apply '+ '(1 2 3))", "6"},
      {"(apply 'max '())", "0"},
      {"(apply '(lambda (a b) (list b a)) '(1 2))", "(2 1)"},
      {"(mapcar '1+ '(1 2 3))", "(2 3 4)"},
      {"(mapcar '+ '(1 2 3) '(10 20))", "(11 22)"},
      {"(mapcar '(lambda (x) (* x x)) '(1 2 3))", "(1 4 9)"},
      {"(mapcar 'car nil)", "nil"},
      {"(eval '(+ 1 2))", "3"},
      {"(setq q '(* 2 3)) (eval q)", "6"},
      {"(eval 'undefined-symbol)", "nil"},
      {"(type car)", "SUBR"},
      {"(type 'car)", "SYM"},
  });
}

TEST_F(LispEvalTest, ErrorsCarryTheHostsMessages) {
  qvtest::expectLispCases({
      {"(foo 1)", "; error: no function definition: FOO"},
      {"(+ 1 \"a\")", "; error: bad argument type: numberp: \"a\""},
      {"(+ 1 nil)", "; error: bad argument type: numberp: nil"},
      {"(car 1)", "; error: bad argument type: consp 1"},
      {"(strcat \"a\" 1)", "; error: bad argument type: stringp 1"},
      {"(itoa 1.5)", "; error: bad argument type: fixnump: 1.5"},
      {"(length 5)", "; error: bad argument type: listp 5"},
      {"(setq 1 2)", "; error: bad argument type: symbolp 1"},
      {"(setq a)", "; error: too few arguments"},
      {"(defun f (a b) a) (f 1)", "; error: too few arguments"},
      {"(defun f (a) a) (f 1 2)", "; error: too many arguments"},
      {"(car)", "; error: too few arguments"},
      {"(car '(1) '(2))", "; error: too many arguments"},
      {"(if)", "; error: too few arguments"},
      {"(if 1 2 3 4)", "; error: too many arguments"},
      {"(/ 1 0)", "; error: divide by zero"},
      {"(/ 1.0 0)", "; error: divide by zero"},
      {"(rem 5 0)", "; error: divide by zero"},
      {"(1 2)", "; error: bad function: 1"},
      {"(setq v 3) (v)", "; error: bad function: 3"},
      {"(exit)", "; error: quit / exit abort"},
      {"(quit)", "; error: quit / exit abort"},
      {"(apply 'nothing '(1))", "; error: no function definition: NOTHING"},
  });
}

TEST_F(LispEvalTest, AnErrorStopsTheTextAndIsPrintedWithItsLine) {
  std::string error;
  int line = 0;
  EXPECT_EQ(sim::evalLisp("(setq a 1)\n(setq b (car\n 5))\n(setq a 2)", &error, &line), "");
  EXPECT_EQ(error, "; error: bad argument type: consp 5");
  EXPECT_EQ(line, 2);
  EXPECT_EQ(sim::takeCommandLine(), "; error: bad argument type: consp 5\n");
  EXPECT_EQ(sim::evalLisp("a"), "1"); // the expression after the error never ran
  // The line of the innermost expression, not of the function's caller.
  EXPECT_EQ(sim::evalLisp("(defun f ()\n\n (/ 2 0))\n\n(f)", &error, &line), "");
  EXPECT_EQ(line, 3);
}

TEST_F(LispEvalTest, ErrorFunctionRunsBeforeTheLocalsAreRestored) {
  std::string error;
  const std::string result = sim::evalLisp(R"(
      (defun *error* (msg) (princ (strcat "caught: " msg " with " (itoa saved))))
      (setq saved 0)
      (defun work (/ saved) (setq saved 7) (car 'x))
      (work))",
                                           &error);
  EXPECT_EQ(result, "");
  EXPECT_EQ(error, "; error: bad argument type: consp X");
  EXPECT_EQ(sim::takeCommandLine(), "caught: bad argument type: consp X with 7");
  EXPECT_EQ(sim::evalLisp("saved"), "0");
  // exit goes through *error* too, and an error inside *error* is printed, not looped.
  sim::evalLisp("(exit)");
  EXPECT_EQ(sim::takeCommandLine(), "caught: quit / exit abort with 0");
  sim::evalLisp("(defun *error* (msg) (car msg)) (/ 1 0)");
  EXPECT_EQ(sim::takeCommandLine(), "; error: bad argument type: consp \"divide by zero\"\n");
}

TEST_F(LispEvalTest, CatchAllApplyTurnsErrorsIntoValues) {
  qvtest::expectLispCases({
      {"(vl-catch-all-apply '/ '(6 2))", "3"},
      {"(setq r (vl-catch-all-apply '/ '(1 0))) (vl-catch-all-error-p r)", "T"},
      {"(setq r (vl-catch-all-apply '/ '(1 0))) (vl-catch-all-error-message r)",
       "\"divide by zero\""},
      {"(vl-catch-all-error-message (vl-catch-all-apply 'exit nil))", "\"quit / exit abort\""},
      {"(vl-catch-all-error-message (vl-catch-all-apply 'nofun nil))",
       "\"no function definition: NOFUN\""},
      {"(vl-catch-all-error-p 5)", "nil"},
      {"(type (vl-catch-all-apply 'car '(1)))", "VL-CATCH-ALL-APPLY-ERROR"},
      {"(vl-catch-all-apply '(lambda () (vl-catch-all-apply 'car '(1)) 'went-on) nil)", "WENT-ON"},
  });
  // Caught errors do not reach *error* nor the command line.
  sim::evalLisp("(defun *error* (m) (princ \"handler\")) (vl-catch-all-apply '/ '(1 0))");
  EXPECT_EQ(sim::takeCommandLine(), "");
}

// A stop asked from inside a call ends the run once that call returns, whatever handles errors;
// it lasts for that run only.
TEST_F(LispEvalTest, AStopEndsTheRunPastHandlers) {
  EXPECT_FALSE(sim::stopLisp("outside a run"));
  sim::defineLispFunction("halt", [](const resbuf*) {
    sim::stopLisp("halted");
    return nullptr;
  });
  const char* const texts[] = {
      "(setq a 1)\n;; next\n(halt)\n(setq a 2)",
      "(setq a 1)\n(defun *error* (m) (setq a m))\n(halt) (setq a 2)",
      "(setq a 1)\n\n(setq r (vl-catch-all-apply 'halt nil))\n(setq a 2)",
      "(setq a 1)\n(defun f () (halt) (setq a 2))\n(progn (f))",
  };
  for (const char* text : texts) {
    sim::LispFailure failure;
    EXPECT_FALSE(sim::runLisp(text, nullptr, &failure)) << text;
    EXPECT_EQ(failure.message, "; error: halted") << text;
    EXPECT_EQ(failure.line, 3) << text;
    EXPECT_NE(failure.expression.find("HALT"), std::string::npos) << failure.expression;
    EXPECT_EQ(sim::evalLisp("a"), "1") << text;
    EXPECT_EQ(sim::takeCommandLine(), "") << text;
    sim::evalLisp("(setq *error* nil)");
  }
  EXPECT_EQ(sim::evalLisp("(+ 1 2)"), "3");
  sim::undefineLispFunction("halt");
}

TEST_F(LispEvalTest, RecursionIsBoundedByAnError) {
  std::string error;
  EXPECT_EQ(sim::evalLisp("(defun down (n) (down (1+ n))) (down 0)", &error), "");
  EXPECT_EQ(error, "; error: Hard error occurred *** internal stack limit reached (simulated)");
  // The machine works on after it, with its symbols restored.
  EXPECT_EQ(sim::evalLisp("(defun sum (n) (if (= n 0) 0 (+ n (sum (1- n))))) (sum 300)"), "45150");
  // The bound is caught like any other error.
  EXPECT_EQ(sim::evalLisp("(vl-catch-all-error-p (vl-catch-all-apply 'down '(0)))"), "T");
}

TEST_F(LispEvalTest, DeepAndLongValuesAreFreedWithoutRecursion) {
  // A list nested 300000 deep through its first elements, and a long one; and symbols that
  // hold lists of themselves (the reset must free them all: the fixture checks).
  EXPECT_EQ(sim::evalLisp("(setq d nil) (repeat 300000 (setq d (list d))) (setq d nil)"), "nil");
  EXPECT_EQ(sim::evalLisp("(setq l nil) (repeat 300000 (setq l (cons 1 l))) (length l)"), "300000");
  EXPECT_EQ(sim::evalLisp("(setq self '(self)) (defun f () f) (type f)"), "USUBR");
  EXPECT_EQ(sim::evalLisp("(setq d nil) (repeat 100000 (setq d (list d))) (equal d d)"), "T");
  EXPECT_EQ(sim::evalLisp("(strlen (vl-prin1-to-string d))"), "200003"); // (((...(nil)...)))
}

TEST_F(LispEvalTest, ValuesAreCountedAcrossThreadsUntilFreed) {
  // Made by a thread that has ended, freed by this one; then made here and freed by another.
  sim::evalLisp("(setq kept nil)");
  const int64_t before = sim::liveLispValues();
  std::thread([] { sim::evalLisp("(setq kept (list 1 2 3))"); }).join();
  EXPECT_EQ(sim::liveLispValues(), before + 6);
  sim::evalLisp("(setq kept nil)");
  EXPECT_EQ(sim::liveLispValues(), before);
  sim::evalLisp("(setq kept (list 1 2 3))");
  std::thread([] { sim::evalLisp("(setq kept nil)"); }).join();
  EXPECT_EQ(sim::liveLispValues(), before);
}

TEST_F(LispEvalTest, EachDocumentHasItsOwnSymbols) {
  sim::evalLisp("(setq here 1)");
  const int first = sim::currentDocument();
  sim::openDocument("C:\\work\\Other.dwg");
  EXPECT_EQ(sim::evalLisp("here"), "nil");
  sim::evalLisp("(setq here 2)");
  sim::activateDocument(first);
  EXPECT_EQ(sim::evalLisp("here"), "1");
}

} // namespace

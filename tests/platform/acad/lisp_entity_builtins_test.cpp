// AutoLISP's entity functions: entmake, entget, entmod, entdel, entlast, entnext, handent and
// regapp, with the host's answers and errors.
#include "lisp_cases.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class LispEntityBuiltinsTest : public qvtest::HostTest {};

// Makes a line from (1 2 0) to (4 6 0) on layer "Roads".
const std::string kLine = "(entmake '((0 . \"LINE\") (8 . \"Roads\") (10 1.0 2.0 0.0) (11 4 6)))";

TEST_F(LispEntityBuiltinsTest, EntitiesAreMadeReadChangedAndDeleted) {
  qvtest::expectLispCases({
      {(kLine).c_str(), "((0 . \"LINE\") (8 . \"Roads\") (10 1.0 2.0 0.0) (11 4 6))"},
      {(kLine + "(cdr (assoc 11 (entget (entlast))))").c_str(), "(4.0 6.0 0.0)"},
      {(kLine + "(cdr (assoc 8 (entget (entlast))))").c_str(), "\"Roads\""},
      {(kLine + "(setq g (car (entget (entlast)))) (list (car g) (type (cdr g)))").c_str(),
       "(-1 ENAME)"},
      {(kLine + "(assoc 62 (entget (entlast)))").c_str(), "nil"},
      {(kLine + "(setq e (entget (entlast)))"
                "(entmod (subst '(62 . 1) (assoc 8 e) e))"
                "(list (cdr (assoc 62 (entget (entlast)))) (cdr (assoc 8 (entget (entlast)))))")
           .c_str(),
       "(1 \"Roads\")"},
      {(kLine + "(entdel (entlast)) (entlast)").c_str(), "nil"},
      {(kLine + "(setq h (cdr (assoc 5 (entget (entlast)))))"
                "(entdel (entlast)) (entdel (handent h)) (equal (handent h) (entlast))")
           .c_str(),
       "T"},
      {(kLine + kLine + "(equal (entnext (entnext)) (entlast))").c_str(), "T"},
      {(kLine + "(entnext (entlast))").c_str(), "nil"},
      {"(entlast)", "nil"},
      {"(handent \"ZZ\")", "nil"},
      {"(entmake '((0 . \"NOPE\") (10 0 0 0)))", "nil"},
      {"(entmake '((0 . \"CIRCLE\") (10 0 0 0)))", "nil"},
      {"(entmake)", "nil"},
      {"(entmake '((0 . \"CIRCLE\") (10 . 1) (40 . 1.0)))", "; error: bad DXF group: (10 . 1)"},
      {"(entmake '((0 . \"CIRCLE\") (10 0 0) (40 . \"r\")))",
       "; error: bad DXF group: (40 . \"r\")"},
      {"(entmake '((0 . \"CIRCLE\") (\"10\" 0 0)))", "; error: bad DXF group: (\"10\" 0 0)"},
      {"(entget \"x\")", "; error: bad argument type: lentityp \"x\""},
      {"(entmod 5)", "; error: bad argument type: listp 5"},
  });
}

TEST_F(LispEntityBuiltinsTest, ExtendedDataNeedsARegisteredApplication) {
  const std::string tagged =
      kLine + "(setq e (entget (entlast)))"
              "(entmod (append e '((-3 (\"CTRLABEL\" (1000 . \"L1\") (1070 . 4))))))";
  qvtest::expectLispCases({
      {"(regapp \"CTRLABEL\")", "\"CTRLABEL\""},
      {"(regapp \"CTRLABEL\") (regapp \"ctrlabel\")", "nil"},
      {"(regapp \"A<B\")", "nil"},
      {(tagged).c_str(), "nil"},
      {("(regapp \"CTRLABEL\")" + tagged + "(assoc -3 (entget (entlast) '(\"*\")))").c_str(),
       "(-3 (\"CTRLABEL\" (1000 . \"L1\") (1070 . 4)))"},
      {("(regapp \"CTRLABEL\")" + tagged + "(assoc -3 (entget (entlast)))").c_str(), "nil"},
      {("(regapp \"CTRLABEL\")" + tagged + "(assoc -3 (entget (entlast) '(\"SPT\")))").c_str(),
       "nil"},
  });
}

TEST_F(LispEntityBuiltinsTest, FailedHostCallsAnswerNilAndLeaveNothingBehind) {
  const std::string script = kLine + "(list (entget (entlast)) (entlast) (entnext))";
  for (const char* call : {"acdbEntGet", "acdbEntMake", "acutNewRb", "acdbEntLast"}) {
    qvtest::forEachFailure(call, [&](int) { sim::evalLisp(script); });
  }
}

} // namespace

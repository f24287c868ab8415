// The evaluator on the cases where text rewriting hides faults: levels, signs, groups,
// variables, conditions, LIKE tests, every message, and the held functions.
#include "expr/evaluate_expression.h"

#include <cmath>
#include <string>
#include <vector>

#include "expr/evaluation_functions.h"
#include "expr/internal/held_functions.h"
#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "text/text_words.h"

namespace {

using qv::EVAL_NO_VALUE;
using qv::EvaluateExpression;
using qv::isNoValue;
using qvtest::convertName;
using qvtest::readValue;
using qvtest::valueLog;

class EvaluateExpressionTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    valueLog().clear();
  }

  static double evaluate(const char* expression) {
    return EvaluateExpression(expression, readValue, convertName);
  }
};

// Expressions that give a value or fail; kNo, the marker, marks the failures.
constexpr double kNo = EVAL_NO_VALUE;
struct Case {
  const char* expression;
  double expected;
};

// Levels highest first, left to right; 2^3^2 is (2^3)^2, exactly, as the power goes through pow.
// A leading minus is a sign outside the power, and signs around negative values clean up (4-(1-3)
// becomes 4--2.0... and then 4+2.0...). Comparisons and logic need parentheses to combine, and
// negative operands cannot be compared (the minus level runs first). The condition's leading
// integer decides (1.9 counts as 1); "if -1" fails because the minus level takes "if " into its
// operand. LIKE compares upper-cased sides; an unquoted side goes through the conversion function.
// Division by zero and values that are not finite fail without a message (kNo); 1e308 is written
// with 309 digits and read back, and values below the 14 decimals written back become 0. A "-" in
// an exponent bounds operands like any minus: 1e-300*2 multiplies 300 by 2. A combined condition
// goes in parentheses as a whole, or the levels take "if" into operands.
TEST_F(EvaluateExpressionTest, GivesTheValueOfEveryFormOrFailsQuietly) {
  const double near = std::nextafter(EVAL_NO_VALUE, 0.0); // a value one bit from the marker
  const std::vector<Case> arithmetic = {
      {"2+3*4", 14},         {"2^3^2", 64},      {"2^10", 1024},       {"10/4*2", 5},
      {"1-2-3", -4},         {"8-2+1", 7},       {"(2+3)*4", 20},      {"((1+1)*(2+1))^2", 36},
      {" 2 * 3 ", 6},        {"-2^2", -4},       {"-2--3", 1},         {"-2+5", 3},
      {"-2*-3", 6},          {"1-2*-3", 7},      {"2*-3", -6},         {"1-2-3*-1", 2},
      {"4-(1-3)", 6},        {"0^3", 0},         {"0^0", 1},           {"0^-2", 1},
      {"4^0.5", 2},          {"1e308+0", 1e308}, {"[x]*2", 6},         {"[x]+[y]", 1},
      {"[y]*[y]", 4},        {"3/0", kNo},       {"1+(2/(1-1))", kNo}, {"1e308*10", kNo},
      {"-1e308-1e308", kNo}, {"0/0", kNo},       {"10^400", kNo},      {"1e-300*2", kNo},
      {"1e999", kNo},
  };
  const std::vector<Case> edges = {
      {"1.7976931348623157e308*1", 1.7976931348623157e308},
      {"near", near},
      {"near+0", near},
      {"[near]", near},
      {"if 1 then near", near},
      {"10^-400", 0},
      {"0.0000001*0.0000001", 1e-14},
      {"0.0000001*0.00000001", 0},
      {"huge*0", kNo},
      {"[huge]+1", kNo},
      {"(huge)", kNo},
      {"huge-huge", kNo},
      {"if 1 then huge", kNo},
      {"1.7976931348623157e308*2", kNo},
  };
  const std::vector<Case> comparisons = {
      {"(1<2)&(3<4)", 1}, {"(1<2)&(4<3)", 0}, {"(0)|(2)", 1}, {"(0)|(0)", 0}, {"(2)>(1+3)", 0},
      {"x=(1+2)", 1},     {"1<2", 1},         {"2<2", 0},     {"3<2", 0},     {"0.25<0.5", 1},
      {"0.1<0.10", 0},    {"1>2", 0},         {"2>2", 0},     {"3>2", 1},     {"0.5>0.25", 1},
      {"0.1>0.10", 0},    {"1!2", 1},         {"2!2", 0},     {"3!2", 1},     {"0!0", 0},
      {"0.1!0.10", 0},    {"1=2", 0},         {"2=2", 1},     {"3=2", 0},     {"0=0", 1},
      {"0.1=0.10", 1},    {"0|0", 0},         {"0|2", 1},     {"2|0", 1},     {"2|3", 1},
      {"0&0", 0},         {"0&2", 0},         {"2&0", 0},     {"2&3", 1},
  };
  const std::vector<Case> conditions = {
      {"if ([x]>2) then [x] else 0", 3},
      {"if (2) then 7 else 9", 9},
      {"if (5>3) then 7 else 9", 7},
      {"IF (1) Then x ELSE 9", 3},
      {"if   1   then 7", 7},
      {"if 1.9 then 7 else 9", 7},
      {"if 0 then 7 else 9", 9},
      {"if 99999999999999999999 then 7 else 9", 9},
      {"if ((([x]*4+1)>([x]^2))&([x]!0)) then [x] else 0", 3},
      {"if \"abc\" like \"A*\" then 1 else 0", 1},
      {"if \"abc\" not like \"A*\" then 1 else 0", 0},
      {"if \"ab\" like \"A?\" then 1 else 0", 1},
      {"if \"abc\" like \"B*\" then 1 else 0", 0},
      {"If \"a-b\" LIKE \"a.b\" Then 1 Else 0", 1},
      {"if \"a b\" like \"A B\" then 1 else 0", 1},
      {"if \"alike \" like \"ALIKE?\" then 1 else 0", 1},
      {"if name like \"AB*\" then 1 else 0", 1},
      {"if lower like \"AB*\" then 1 else 0", 0},
      {"if lower not like \"AB*\" then 1 else 0", 1},
      {"if \"abc\" like * then 5 else 6", 5},
      {"if 1 then", kNo},
      {"if (5<3) then 7", kNo},
      {"if -1 then 7 else 9", kNo},
      {"if (([x]*4+1)>([x]^2))&([x]!0) then [x] else 0", kNo},
  };

  for (const std::vector<Case>& cases : {arithmetic, edges, comparisons, conditions}) {
    for (const Case& c : cases) {
      EXPECT_EQ(evaluate(c.expression), c.expected) << c.expression;
    }
  }
  EXPECT_TRUE(sim::commandLine().empty());
}

// Each row: an expression, its value, the message printed and every text the caller's function
// was asked about, in order: values written back as numbers, and operands as the levels cut them.
TEST_F(EvaluateExpressionTest, PrintsEachMessageAndAsksForTheTextsTheLevelsCut) {
  const std::string unknown = "Unable to evaluate a value of variable 'nope'.\n";
  const std::string parentheses = "Parentheses do not match.\n";
  const std::string brackets = "Brackets do not match.\n";
  const struct {
    const char* expression;
    double expected;
    std::string message;
    const char* asked; // each in braces
  } cases[] = {
      {"-5", -5, "", "{0.0}{5}{-5.00000000000000}"}, // 0.0 - 5, written back as the same number
      {"-2*-3", 6, "", "{2}{-3}{6.00000000000000}"},
      {"1-2*-3", 7, "", "{2}{-3}{1}{6.00000000000000}{7.00000000000000}"},
      {"if \"abc\" like \"A*\" then 1 else 0", 1, "", "{1}{0}{1.00000000000000}"},
      // Arithmetic bounds operands at every level: the operand of + in 2>1+3 is the text 2>1.
      {"2>1+3", kNo, "", "{2>1}{3}"},
      // The comparison operators do not bound operands: 1 is compared with the text 2&3<4.
      {"1<2&3<4", kNo, "", "{1}{2&3<4}"},
      // The minus level runs before "<": -5<3 hands the operand 5<3 to the caller's function.
      {"-5<3", kNo, "", "{0.0}{5<3}"},
      // "then" must stand at least two words after "like": with no pattern between them there is
      // no LIKE test and no if/then/else, and the whole text goes to the caller's function.
      {"if \"abc\" like then 5 else 6", kNo, "", "{if \"abc\" like then 5 else 6}"},
      {")1(", kNo, parentheses, ""},
      {"x]", kNo, brackets, ""},
      {"[nope]", kNo, unknown, "{nope}{[nope]}"},
      // A failed variable stops substitution only: the operator hands "[nope]" on, which fails.
      {"[x]+[nope]+[y]", kNo, unknown, "{x}{nope}{3.00000000000000}{[nope]}"},
      {"2*", kNo, "\nWarning: Variable name or real value is missing: 2* Token1: 2 Token2: ", ""},
      {"y^2", kNo, "Can not evaluate the power of negative numbers.\n", "{y}{2}"},
      // A "(" or "[" never closed stays in the operand's text; a ")" or "]" without its opener is
      // the message. The empty group is a text without a value.
      {"(", kNo, "", "{(}"},
      {")", kNo, parentheses, ""},
      {"((1)", kNo, "", "{1}{(1.00000000000000}"},
      {"(1))", kNo, parentheses, "{1}"},
      {"[", kNo, "", "{[}"},
      {"]", kNo, brackets, ""},
      {"[[x]", kNo, "", "{x}{[3.00000000000000}"},
      {"[x]]", kNo, brackets, "{x}"},
      {"(]", kNo, brackets, ""},
      {"[)", kNo, parentheses, ""},
      {"()", kNo, "", "{}"},
      {"[]", kNo, "Unable to evaluate a value of variable ''.\n", "{}{[]}"},
      {"(()", kNo, "", "{}"},
      {"if (", kNo, "", "{if (}"},
      {"if ) then", kNo, parentheses, ""},
      {"[(1)]", 1, "", "{1}{1.00000000000000}{1.00000000000000}"},
      {"([x)]", kNo, "", "{[x}"},
  };
  for (const auto& c : cases) {
    valueLog().clear();
    EXPECT_EQ(evaluate(c.expression), c.expected) << c.expression;
    EXPECT_EQ(sim::takeCommandLine(), c.message) << c.expression;
    std::string asked;
    for (const std::string& text : valueLog()) {
      asked += "{" + text + "}";
    }
    EXPECT_EQ(asked, c.asked) << c.expression;
  }
  EXPECT_TRUE(isNoValue(EvaluateExpression("1+1", nullptr, nullptr)));
  EXPECT_EQ(sim::takeCommandLine(), "Evaluation function is not set\n");
  EXPECT_TRUE(
      isNoValue(EvaluateExpression("if abc like \"A*\" then 1 else 0", readValue, nullptr)));
  EXPECT_EQ(sim::takeCommandLine(), "String conversion function is not defined\n");
}

TEST_F(EvaluateExpressionTest, RunsOnTheLibrarysFirstNumberReader) {
  EXPECT_EQ(EvaluateExpression("2+3*4", qv::FirstNumberInText, nullptr), 14.0);
  EXPECT_EQ(EvaluateExpression("(1<2)&(3<4)", qv::FirstNumberInText, nullptr), 1.0);
  // The whole of -5<3: the minus level runs first and reads the operand 5<3 as 5, giving
  // 0.0 - 5; the "<" level then finds nothing left to compare.
  EXPECT_EQ(EvaluateExpression("-5<3", qv::FirstNumberInText, nullptr), -5.0);
  EXPECT_TRUE(isNoValue(EvaluateExpression("[abc]", qv::FirstNumberInText, nullptr)));
  EXPECT_EQ(sim::takeCommandLine(), "Unable to evaluate a value of variable 'abc'.\n");
}

TEST_F(EvaluateExpressionTest, ComparesTheNoValueMarkerOnAllBits) {
  EXPECT_TRUE(isNoValue(98765432.1));
  EXPECT_FALSE(isNoValue(std::nextafter(EVAL_NO_VALUE, 0.0)));
  EXPECT_FALSE(isNoValue(-98765432.1));
  EXPECT_FALSE(isNoValue(std::nan("")));
}

// ---- The held functions

bool sawOwnFunctionHeld = true;

double checkHeld(const char* text) {
  sawOwnFunctionHeld = sawOwnFunctionHeld && qv::heldEvaluationFunction() == checkHeld &&
                       qv::heldStringConversionFunction() == convertName;
  return readValue(text);
}

// Breaks the rule that a caller's function must not evaluate: its own evaluation clears the
// functions that the outer one holds.
double evaluatesInside(const char* text) {
  if (std::string(text) == "inner") {
    return EvaluateExpression("1+1", readValue, nullptr);
  }
  return readValue(text);
}

TEST_F(EvaluateExpressionTest, HoldsTheFunctionsForOneCallAndClearsThemAfter) {
  sawOwnFunctionHeld = true;
  EXPECT_EQ(EvaluateExpression("((1+2)*(3+1))+[x]", checkHeld, convertName), 15.0);
  EXPECT_TRUE(sawOwnFunctionHeld); // held again after each nested group
  EXPECT_EQ(qv::heldEvaluationFunction(), nullptr);
  EXPECT_EQ(qv::heldStringConversionFunction(), nullptr);
  // Failing calls, nested and not, clear them too.
  for (const char* failing : {"3/0", ")1(", "(1+(2/0))", "x]", "2*", "(y^2)+1"}) {
    EXPECT_TRUE(isNoValue(EvaluateExpression(failing, checkHeld, convertName))) << failing;
    EXPECT_EQ(qv::heldEvaluationFunction(), nullptr) << failing;
    EXPECT_EQ(qv::heldStringConversionFunction(), nullptr) << failing;
  }
  EXPECT_TRUE(sawOwnFunctionHeld);
  sim::takeCommandLine();
  // A function that evaluates inside leaves the outer evaluation without one.
  EXPECT_TRUE(isNoValue(EvaluateExpression("inner+1", evaluatesInside, nullptr)));
  EXPECT_EQ(sim::takeCommandLine(), "Evaluation function is not set\n");
  EXPECT_EQ(qv::heldEvaluationFunction(), nullptr);
}

TEST_F(EvaluateExpressionTest, FailsQuietlyWhenTheHostCannotAllocate) {
  EXPECT_TRUE(isNoValue(EvaluateExpression(nullptr, readValue, nullptr)));
  const int points = qvtest::forEachFailure("acad_malloc", [&](int) {
    const double result = evaluate("(1+2)*[x]");
    EXPECT_TRUE(isNoValue(result) || result == 9.0) << result;
  });
  EXPECT_GT(points, 3);
  EXPECT_EQ(evaluate("(1+2)*[x]"), 9.0);
  EXPECT_TRUE(sim::commandLine().empty());
}

} // namespace

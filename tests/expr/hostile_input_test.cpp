// The evaluator on what a user may type: very long expressions, unbalanced groups and brackets,
// and garbage (numbers at the edges of the double range are with the other values). Each gives its
// value or the no-value marker and its message; the sanitizer build catches any read outside a
// buffer.
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "expr/evaluate_expression.h"
#include "expr/evaluation_functions.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

using qv::EvaluateExpression;
using qv::isNoValue;
using qvtest::convertName;
using qvtest::readValue;

class HostileInputTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    qvtest::valueLog().clear();
  }

  // A value or the marker: never an infinity or a NaN written and read back as a number.
  static bool isValueOrNoValue(double value) { return isNoValue(value) || std::isfinite(value); }

  static double evaluate(const std::string& expression) {
    return EvaluateExpression(expression.c_str(), readValue, convertName);
  }
};

TEST_F(HostileInputTest, ExpressionsOfAHundredThousandCharacters) {
  // Every step rewrites the whole text, so these keep to a few thousand steps each.
  const std::string term = "1234567890123456789012345678901234567890.25";
  std::string sum = term;
  double expected = std::strtod(term.c_str(), nullptr);
  while (sum.size() < 100000) {
    sum += "+(" + term + ")";
    expected += std::strtod(term.c_str(), nullptr);
  }
  EXPECT_EQ(evaluate(sum), expected);
  const std::string spaces(98000, ' ');
  EXPECT_EQ(evaluate(std::string(1000, '(') + spaces + "7" + spaces + std::string(1000, ')')), 7.0);
  std::string quotients;
  for (int i = 0; i < 1000; ++i) {
    quotients += "[x]/[x]*";
  }
  EXPECT_EQ(evaluate(quotients + spaces + "1"), 1.0);
  EXPECT_TRUE(isNoValue(evaluate(std::string(100000, '('))));
  EXPECT_TRUE(isNoValue(evaluate(std::string(100000, '7') + "+1"))); // beyond the doubles
  EXPECT_TRUE(sim::commandLine().empty());

  EXPECT_TRUE(isNoValue(evaluate(std::string(100000, ')'))));
  EXPECT_EQ(sim::takeCommandLine(), "Parentheses do not match.\n");
  EXPECT_TRUE(isNoValue(evaluate(std::string(100000, ']'))));
  EXPECT_EQ(sim::takeCommandLine(), "Brackets do not match.\n");

  // Messages that quote the text arrive whole, though the host prints 132 characters a call.
  const std::string name(100000, 'n');
  EXPECT_TRUE(isNoValue(evaluate("[" + name + "]")));
  EXPECT_EQ(sim::takeCommandLine(), "Unable to evaluate a value of variable '" + name + "'.\n");
  const std::string minuses(100000, '-');
  EXPECT_TRUE(isNoValue(evaluate(minuses)));
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning: Variable name or real value is missing: " +
                                        minuses + " Token1:  Token2: -");
  const std::string operand(150, 'x'); // the right operand missing
  EXPECT_TRUE(isNoValue(evaluate(operand + "*")));
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning: Variable name or real value is missing: " +
                                        operand + "* Token1: " + operand + " Token2: ");
}

TEST_F(HostileInputTest, GarbageOverTheLanguagesCharacters) {
  // Texts drawn from the characters that mean something to the evaluator, and a few others.
  const std::string alphabet = "0123456789.+-*/^<>!=|&()[]\" ifthenelselikenot*?#@xy\r\n\t~e";
  std::mt19937 random(20261206);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(1, 60);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int size = length(random);
    for (int i = 0; i < size; ++i) {
      text += alphabet[pick(random)];
    }
    EXPECT_TRUE(isValueOrNoValue(evaluate(text))) << text;
  }
  // Every byte but NUL.
  std::string bytes;
  for (int c = 1; c < 256; ++c) {
    bytes += static_cast<char>(c);
  }
  // "()" comes first in byte order: an empty group, without a value and without a message.
  qvtest::valueLog().clear();
  EXPECT_TRUE(isNoValue(evaluate(bytes)));
  EXPECT_EQ(qvtest::valueLog(), std::vector<std::string>{""});
  sim::takeCommandLine(); // the random texts' messages
}

} // namespace

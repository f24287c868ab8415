// compareNatural: digit runs by value (32-bit, as atol reads on Windows), case never deciding, and
// _stricmp's folding to lower case for everything else.
#include "records/natural_compare.h"

#include <string>

#include "testing/host_test.h"

namespace {

class NaturalCompareTest : public qvtest::HostTest {};

TEST_F(NaturalCompareTest, DigitRunsOrderByValue) {
  EXPECT_EQ(qv::compareNatural("item9", "item10"), -1);
  EXPECT_EQ(qv::compareNatural("item10", "item9"), 1);
  EXPECT_EQ(qv::compareNatural("9", "10"), -1);
  EXPECT_EQ(qv::compareNatural("100", "10"), 1);
  EXPECT_EQ(qv::compareNatural("file 2.txt", "file 10.txt"), -1);
  EXPECT_EQ(qv::compareNatural("p7x", "p7x"), 0);
}

TEST_F(NaturalCompareTest, EqualNumbersMoveOnOneCharacterOnly) {
  // At the second digit position 0 is compared with 10.
  EXPECT_EQ(qv::compareNatural("a10", "a010"), -1);
  EXPECT_EQ(qv::compareNatural("a010", "a10"), 1);
  // 1 and 01 are equal; then "b" meets the digit "1" and the rest decides.
  EXPECT_EQ(qv::compareNatural("a1b", "a01b"), 1);
  // Equal numbers all the way: the whole texts decide, "0" before "1".
  EXPECT_EQ(qv::compareNatural("a01", "a1"), -1);
}

TEST_F(NaturalCompareTest, CaseNeverDecides) {
  EXPECT_EQ(qv::compareNatural("ABC", "abc"), 0);
  EXPECT_EQ(qv::compareNatural("Item10", "item9"), 1);
  EXPECT_EQ(qv::compareNatural("ITEM9", "item10"), -1);
  EXPECT_EQ(qv::compareNatural("b", "A"), 1);
  EXPECT_EQ(qv::compareNatural("B", "a"), 1);
}

TEST_F(NaturalCompareTest, CaseIsFoldedToLowerAsStricmpDoes) {
  // Folded to upper case "_" (0x5F) would sort after "B" (0x42); folded to lower it sorts before
  // "b" (0x62). The same for the other characters between the two alphabets.
  EXPECT_EQ(qv::compareNatural("a_", "aB"), -1);
  EXPECT_EQ(qv::compareNatural("aB", "a_"), 1);
  EXPECT_EQ(qv::compareNatural("x[", "xa"), -1);
  EXPECT_EQ(qv::compareNatural("x^", "XZ"), -1);
  EXPECT_EQ(qv::compareNatural("x`", "xA"), -1);
  // Characters above 127 compare as unsigned values, after every ASCII letter.
  EXPECT_EQ(qv::compareNatural("\xE9", "z"), 1);
}

TEST_F(NaturalCompareTest, EmptyAndNullTexts) {
  EXPECT_EQ(qv::compareNatural("", ""), 0);
  EXPECT_EQ(qv::compareNatural("", "a"), -1);
  EXPECT_EQ(qv::compareNatural("a", ""), 1);
  EXPECT_EQ(qv::compareNatural(nullptr, ""), 0);
  EXPECT_EQ(qv::compareNatural(nullptr, "0"), -1);
  EXPECT_EQ(qv::compareNatural("abc", "ab"), 1);
}

TEST_F(NaturalCompareTest, NumbersAre32BitAsOnWindows) {
  // A 64-bit long would find 3000000000 > 2999999999. The 32-bit atol holds both at 2147483647,
  // so they are equal and the next position decides: 0 against 999999999.
  EXPECT_EQ(qv::compareNatural("x3000000000", "x2999999999"), -1);
  // Held equal at the first digit, the next position (147483648 against 147483647) decides.
  EXPECT_EQ(qv::compareNatural("2147483648", "2147483647"), 1);
  // Below the limit the values decide.
  EXPECT_EQ(qv::compareNatural("2147483646", "2147483647"), -1);
  EXPECT_EQ(qv::compareNatural("99999999999999999999z", "99999999999999999999a"), 1);
}

TEST_F(NaturalCompareTest, KnownLengthsCutTheTexts) {
  EXPECT_EQ(qv::compareNatural("abcX", 3, "abcY", 3), 0);
  // The digit run is read only up to the length: 12 against 13.
  EXPECT_EQ(qv::compareNatural("129", 2, "13", 2), -1);
}

TEST_F(NaturalCompareTest, LongRunsOfEqualDigitsCompareInOnePass) {
  // Every position of the run holds an equal number; the letters after it decide. Reading the
  // whole run again at each position would take about 10^12 steps here.
  const std::string zeros(1000000, '0');
  EXPECT_EQ(qv::compareNatural((zeros + "5x").c_str(), (zeros + "5y").c_str()), -1);
  EXPECT_EQ(qv::compareNatural((zeros + "7").c_str(), (zeros + "7").c_str()), 0);
}

} // namespace

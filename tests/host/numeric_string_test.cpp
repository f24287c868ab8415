// The numeric-string test and value at their boundaries, and the user-break latch.
#include "module_fixture.h"

namespace {

class NumericStringTest : public qvtest::ModuleTest {};

TEST_F(NumericStringTest, AcceptsPlainDecimalsOnly) {
  EXPECT_EQ(qv::isNumericString("-12.5", 10), 1);
  EXPECT_EQ(qv::isNumericString("007", 10), 1);
  for (const char* text : {"12.5.1", "", "1e5", "+1", "1-", " 1", "1 ", "--1", "0x1"}) {
    EXPECT_EQ(qv::isNumericString(text, 10), 0) << '"' << text << '"';
  }
  EXPECT_EQ(qv::isNumericString("-", 10), 1);
  EXPECT_EQ(qv::isNumericString(".", 10), 1);
  EXPECT_EQ(qv::numericStringValue("-", 10), 0.0);
  EXPECT_EQ(qv::numericStringValue(".", 10), 0.0);
  EXPECT_EQ(qv::isNumericString(nullptr, 10), 0);
  EXPECT_EQ(qv::numericStringValue(nullptr, 10), -98765432.1);
}

TEST_F(NumericStringTest, TheTerminatorMustLieWithinTheMaximumLength) {
  EXPECT_EQ(qv::isNumericString("1234567890", 10), 0);
  EXPECT_EQ(qv::isNumericString("1234567890", 11), 1);
  EXPECT_EQ(qv::isNumericString("5", 0), 0);
  // Characters beyond the limit are never read.
  const char unterminated[3] = {'1', '2', 'x'};
  EXPECT_EQ(qv::isNumericString(unterminated, 2), 0);
  EXPECT_EQ(qv::numericStringValue(unterminated, 2), -98765432.1);
}

TEST_F(NumericStringTest, ValuesOfNumbersAndNonNumbers) {
  EXPECT_EQ(qv::numericStringValue("-12.5", 10), -12.5);
  EXPECT_EQ(qv::numericStringValue("12.5.1", 10), -98765432.1);
  EXPECT_EQ(qv::numericStringValue("1e5", 10), -98765432.1);
}

class UserBreakTest : public qvtest::ModuleTest {};

TEST_F(UserBreakTest, ABreakStaysLatchedUntilCleared) {
  sim::queueUserBreak(false);
  sim::queueUserBreak(true);
  EXPECT_EQ(qv::checkUserBreak(), 0);
  EXPECT_NE(qv::checkUserBreak(), 0);
  const int asked = sim::callCount("acedUsrBrk");
  EXPECT_NE(qv::checkUserBreak(), 0); // latched: the host is not asked again
  EXPECT_NE(qv::checkUserBreak(), 0);
  EXPECT_EQ(sim::callCount("acedUsrBrk"), asked);
  qv::clearUserBreak();
  EXPECT_EQ(qv::checkUserBreak(), 0); // the queue is empty: no break
  qv::raiseUserBreak();
  EXPECT_NE(qv::checkUserBreak(), 0);
}

class ResultListsTest : public qvtest::ModuleTest {};

TEST_F(ResultListsTest, FindsItemsByTypeFromTheHead) {
  const ads_name entity = {1, 2};
  resbuf* list = acutBuildList(-1, entity, RTDXF0, "LINE", 8, "0", 8, "TOP", RTNONE);
  ASSERT_NE(list, nullptr);
  const resbuf* type = qv::findResbufByType(list, 0);
  ASSERT_NE(type, nullptr);
  EXPECT_STREQ(type->resval.rstring, "LINE");
  const resbuf* layer = qv::findResbufByType(list, 8);
  ASSERT_NE(layer, nullptr);
  EXPECT_STREQ(layer->resval.rstring, "0"); // the first one
  EXPECT_EQ(qv::findResbufByType(list, -1), list);
  EXPECT_EQ(qv::findResbufByType(list, 10), nullptr);
  EXPECT_EQ(qv::findResbufByType(static_cast<resbuf*>(nullptr), 0), nullptr);
  acutRelRb(list);
}

} // namespace

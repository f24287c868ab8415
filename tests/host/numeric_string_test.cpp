// The numeric-string test and value at their boundaries, and the user-break latch.
#include <tuple>

#include "module_fixture.h"

namespace {

class NumericStringTest : public qvtest::ModuleTest {};

TEST_F(NumericStringTest, AcceptsPlainDecimalsWhoseTerminatorLiesWithinTheMaximumLength) {
  constexpr double kNo = -98765432.1;
  const std::tuple<const char*, size_t, int, double> cases[] = {
      {"-12.5", 10, 1, -12.5}, {"007", 10, 1, 7},          {"-", 10, 1, 0},
      {".", 10, 1, 0},         {"12.5.1", 10, 0, kNo},     {"", 10, 0, kNo},
      {"1e5", 10, 0, kNo},     {"+1", 10, 0, kNo},         {"1-", 10, 0, kNo},
      {" 1", 10, 0, kNo},      {"1 ", 10, 0, kNo},         {"--1", 10, 0, kNo},
      {"0x1", 10, 0, kNo},     {"1234567890", 10, 0, kNo}, {"1234567890", 11, 1, 1234567890},
      {"5", 0, 0, kNo},        {nullptr, 10, 0, kNo},
  };
  for (const auto& [text, maxLength, numeric, value] : cases) {
    const char* shown = text == nullptr ? "(null)" : text;
    EXPECT_EQ(qv::isNumericString(text, maxLength), numeric) << shown << " " << maxLength;
    EXPECT_EQ(qv::numericStringValue(text, maxLength), value) << shown << " " << maxLength;
  }
  // Characters beyond the limit are never read.
  const char unterminated[3] = {'1', '2', 'x'};
  EXPECT_EQ(qv::isNumericString(unterminated, 2), 0);
  EXPECT_EQ(qv::numericStringValue(unterminated, 2), kNo);
}

class UserBreakTest : public qvtest::ModuleTest {};

TEST_F(UserBreakTest, ABreakStaysLatchedUntilCleared) {
  sim::answer(sim::Answer::userBreak(false));
  sim::answer(sim::Answer::userBreak(true));
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

// The module's AutoLISP functions as AutoLISP calls them: arguments read with acedGetArgs,
// results through the host's result calls.
#include "module_fixture.h"

namespace {

class LispTableTest : public qvtest::ModuleTest {
protected:
  void SetUp() override {
    ModuleTest::SetUp();
    ASSERT_TRUE(sim::loadModule(acrxEntryPoint));
  }
};

TEST_F(LispTableTest, NumericTestTakesAnOptionalMaximumLength) {
  EXPECT_EQ(callLispFor("qv_isnumeric", acutBuildList(RTSTR, "1234567890", RTNONE)), "T");
  EXPECT_EQ(callLispFor("qv_isnumeric", acutBuildList(RTSTR, "1234567890", RTSHORT, 10, RTNONE)),
            "nil");
  EXPECT_EQ(
      callLispFor("qv_isnumeric", acutBuildList(RTSTR, "1234567890", RTLONG, int32_t{11}, RTNONE)),
      "T");
  EXPECT_EQ(callLispFor("qv_isnumeric", acutBuildList(RTSTR, "1e5", RTNONE)), "nil");
}

TEST_F(LispTableTest, WrongArgumentsAnswerNil) {
  EXPECT_EQ(callLispFor("qv_isnumeric"), "nil");
  EXPECT_EQ(callLispFor("qv_isnumeric", acutBuildList(RTSHORT, 5, RTNONE)), "nil");
  EXPECT_EQ(callLispFor("qv_isnumeric", acutBuildList(RTSTR, "5", RTSHORT, -1, RTNONE)), "nil");
  EXPECT_EQ(callLispFor("qv_numval", acutBuildList(RTSTR, "5", RTREAL, 2.0, RTNONE)), "nil");
  EXPECT_EQ(callLispFor("qv_numval"), "nil");
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(LispTableTest, NumericValueAndUserBreak) {
  EXPECT_EQ(callLispFor("qv_numval", acutBuildList(RTSTR, "-0.25", RTNONE)), "real -0.250000");
  EXPECT_EQ(callLispFor("qv_numval", acutBuildList(RTSTR, "abc", RTNONE)), "real -98765432.100000");
  sim::answer(sim::Answer::userBreak(true));
  EXPECT_EQ(callLispFor("qv_userbreak"), "short 1");
  EXPECT_EQ(callLispFor("qv_userbreak"), "short 1"); // still latched
}

} // namespace

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
  // The result's type, or RTNIL for no result; the list is released.
  static int resultType(const char* name, resbuf* args, double* real = nullptr) {
    resbuf* result = nullptr;
    const int status = sim::callLisp(name, args, &result);
    acutRelRb(args);
    if (status != RTNORM) {
      return status;
    }
    const int type = result == nullptr ? RTNIL : result->restype;
    if (real != nullptr && type == RTREAL) {
      *real = result->resval.rreal;
    }
    acutRelRb(result);
    return type;
  }
};

TEST_F(LispTableTest, NumericTestTakesAnOptionalMaximumLength) {
  EXPECT_EQ(resultType("qv_isnumeric", acutBuildList(RTSTR, "1234567890", RTNONE)), RTT);
  EXPECT_EQ(resultType("qv_isnumeric", acutBuildList(RTSTR, "1234567890", RTSHORT, 10, RTNONE)),
            RTNIL);
  EXPECT_EQ(
      resultType("qv_isnumeric", acutBuildList(RTSTR, "1234567890", RTLONG, int32_t{11}, RTNONE)),
      RTT);
  EXPECT_EQ(resultType("qv_isnumeric", acutBuildList(RTSTR, "1e5", RTNONE)), RTNIL);
}

TEST_F(LispTableTest, WrongArgumentsAnswerNil) {
  EXPECT_EQ(resultType("qv_isnumeric", nullptr), RTNIL);
  EXPECT_EQ(resultType("qv_isnumeric", acutBuildList(RTSHORT, 5, RTNONE)), RTNIL);
  EXPECT_EQ(resultType("qv_isnumeric", acutBuildList(RTSTR, "5", RTSHORT, -1, RTNONE)), RTNIL);
  EXPECT_EQ(resultType("qv_numval", acutBuildList(RTSTR, "5", RTREAL, 2.0, RTNONE)), RTNIL);
  EXPECT_EQ(resultType("qv_numval", nullptr), RTNIL);
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(LispTableTest, NumericValueAndUserBreak) {
  double value = 0;
  EXPECT_EQ(resultType("qv_numval", acutBuildList(RTSTR, "-0.25", RTNONE), &value), RTREAL);
  EXPECT_EQ(value, -0.25);
  EXPECT_EQ(resultType("qv_numval", acutBuildList(RTSTR, "abc", RTNONE), &value), RTREAL);
  EXPECT_EQ(value, -98765432.1);

  resbuf* result = nullptr;
  sim::queueUserBreak(true);
  ASSERT_EQ(sim::callLisp("qv_userbreak", nullptr, &result), RTNORM);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->restype, RTSHORT);
  EXPECT_EQ(result->resval.rint, 1);
  acutRelRb(result);
  ASSERT_EQ(sim::callLisp("qv_userbreak", nullptr, &result), RTNORM); // still latched
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->resval.rint, 1);
  acutRelRb(result);
}

} // namespace

// System-variable access: types, sign extension, refusals and buffers emptied on failure.
#include "module_fixture.h"
#include "platform/acad/acedads.h"

namespace {

class SysVarsTest : public qvtest::ModuleTest {
protected:
  static std::string readString(const char* name, size_t size = 64) {
    return readText(qv::getSysVarString, name, size);
  }
};

TEST_F(SysVarsTest, ReadsEachTypeAndRefusesAnother) {
  EXPECT_EQ(readString("dwgname"), "1:Drawing1.dwg");
  double real = 5.0;
  EXPECT_EQ(qv::getSysVarReal(&real, "DIMSCALE"), 1);
  EXPECT_EQ(real, 1.0);
  int32_t integer = 5;
  EXPECT_EQ(qv::getSysVarShort(&integer, "aperture"), 1);
  EXPECT_EQ(integer, 10);

  // Another type than asked for: the output keeps its reset value and nothing leaks.
  EXPECT_EQ(readString("DIMSCALE"), "0:");
  EXPECT_EQ(qv::getSysVarReal(&real, "DWGNAME"), 0);
  EXPECT_EQ(real, 0.0);
  EXPECT_EQ(qv::getSysVarShort(&integer, "viewsize"), 0);
  EXPECT_EQ(integer, 0);
  EXPECT_EQ(qv::getSysVarShort(&integer, "nosuchvar"), 0);
}

TEST_F(SysVarsTest, SixteenBitValuesAreSignExtended) {
  sim::setSysVarShort("ERRNO", -1);
  int32_t value = 0;
  EXPECT_EQ(qv::getSysVarShort(&value, "ERRNO"), 1);
  EXPECT_EQ(value, -1);
  ASSERT_EQ(qv::setSysVarShort("ERRNO", -32768), 1);
  EXPECT_EQ(qv::getSysVarShort(&value, "errno"), 1);
  EXPECT_EQ(value, -32768);
}

TEST_F(SysVarsTest, FailedReadsLeaveTheOutputEmpty) {
  sim::failCall("acedGetVar");
  EXPECT_EQ(readString("DWGNAME"), "0:");
  sim::failCall("acutNewRb");
  EXPECT_EQ(readString("DWGNAME"), "0:");
  EXPECT_EQ(readString("DWGNAME", 12), "0:"); // "Drawing1.dwg" needs 13 bytes
  EXPECT_EQ(readString("DWGNAME", 13), "1:Drawing1.dwg");
  sim::failCall("acad_malloc"); // the host cannot copy the text
  EXPECT_EQ(readString("DWGNAME"), "0:");
  EXPECT_EQ(readString(nullptr), "0:");
  EXPECT_EQ(qv::getSysVarString(nullptr, 10, "DWGNAME"), 0);
  EXPECT_EQ(qv::getSysVarReal(nullptr, "DIMSCALE"), 0);
  EXPECT_EQ(qv::getSysVarShort(nullptr, "OSMODE"), 0);
}

TEST_F(SysVarsTest, WritesAnswerOneOnlyWhenTheHostTakesThem) {
  EXPECT_EQ(qv::setSysVarReal("DIMSCALE", 0.5), 1);
  double real = 0;
  EXPECT_EQ(qv::getSysVarReal(&real, "DIMSCALE"), 1);
  EXPECT_EQ(real, 0.5);
  EXPECT_EQ(qv::setSysVarShort("OSMODE", 0), 1);
  EXPECT_EQ(qv::setSysVarString("CLAYER", "SURVEY"), 1);
  EXPECT_EQ(readString("clayer"), "1:SURVEY");

  // The host's refusals (read-only, wrong type, out of range) are its own; one shows the answer.
  EXPECT_EQ(qv::setSysVarString("DWGNAME", "x.dwg"), 0);
  EXPECT_EQ(qv::setSysVarString("CLAYER", nullptr), 0);
  EXPECT_EQ(qv::setSysVarShort(nullptr, 1), 0);
  sim::failCall("acedSetVar");
  EXPECT_EQ(qv::setSysVarShort("OSMODE", 1), 0);
  EXPECT_EQ(sim::commandLine(), ""); // silent
}

} // namespace

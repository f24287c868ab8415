// System-variable access: types, sign extension, refusals and buffers emptied on failure.
#include <cstring>

#include "module_fixture.h"
#include "platform/acad/acedads.h"

namespace {

class SysVarsTest : public qvtest::ModuleTest {};

TEST_F(SysVarsTest, ReadsEachTypeAndRefusesAnother) {
  char text[64] = "stale";
  EXPECT_EQ(qv::getSysVarString(text, "dwgname"), 1);
  EXPECT_STREQ(text, "Drawing1.dwg");
  double real = 5.0;
  EXPECT_EQ(qv::getSysVarReal(&real, "DIMSCALE"), 1);
  EXPECT_EQ(real, 1.0);
  int32_t integer = 5;
  EXPECT_EQ(qv::getSysVarShort(&integer, "aperture"), 1);
  EXPECT_EQ(integer, 10);

  // Another type than asked for: the output keeps its reset value and nothing leaks.
  std::strcpy(text, "stale");
  EXPECT_EQ(qv::getSysVarString(text, "DIMSCALE"), 0);
  EXPECT_STREQ(text, "");
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
  char text[64] = "stale";
  sim::failCall("acedGetVar");
  EXPECT_EQ(qv::getSysVarString(text, "DWGNAME"), 0);
  EXPECT_STREQ(text, "");
  sim::failCall("acutNewRb");
  EXPECT_EQ(qv::getSysVarString(text, "DWGNAME"), 0);
  char small[12] = "stale"; // "Drawing1.dwg" needs 13 bytes
  EXPECT_EQ(qv::getSysVarString(small, "DWGNAME"), 0);
  EXPECT_STREQ(small, "");
  sim::failCall("acad_malloc"); // the host cannot copy the text
  EXPECT_EQ(qv::getSysVarString(text, "DWGNAME"), 0);
  EXPECT_EQ(qv::getSysVarString(text, nullptr), 0);
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
  char text[16];
  EXPECT_EQ(qv::getSysVarString(text, "clayer"), 1);
  EXPECT_STREQ(text, "SURVEY");

  EXPECT_EQ(qv::setSysVarString("DWGNAME", "x.dwg"), 0); // read-only
  EXPECT_EQ(qv::setSysVarReal("OSMODE", 1.0), 0);        // wrong type
  EXPECT_EQ(qv::setSysVarShort("APERTURE", 0), 0);       // out of range
  EXPECT_EQ(qv::setSysVarString("CLAYER", nullptr), 0);
  EXPECT_EQ(qv::setSysVarShort(nullptr, 1), 0);
  sim::failCall("acedSetVar");
  EXPECT_EQ(qv::setSysVarShort("OSMODE", 1), 0);
  EXPECT_EQ(sim::commandLine(), ""); // silent
}

} // namespace

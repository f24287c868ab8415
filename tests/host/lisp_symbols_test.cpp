// Reading and writing AutoLISP symbols: conversions, the lspdir$ fallback, buffers emptied on
// failure and the message of a refused write.
#include <cstring>
#include <string>

#include "module_fixture.h"
#include "platform/acad/acedads.h"

namespace {

class LispSymbolsTest : public qvtest::ModuleTest {};

TEST_F(LispSymbolsTest, StringReaderConvertsNumbers) {
  char buffer[64] = "stale";
  putSymbol("a", acutBuildList(RTSHORT, 5, RTNONE));
  EXPECT_EQ(qv::getLispString(buffer, "a"), 1);
  EXPECT_STREQ(buffer, "5");
  putSymbol("a", acutBuildList(RTREAL, 2.5, RTNONE));
  EXPECT_EQ(qv::getLispString(buffer, "a"), 1);
  EXPECT_STREQ(buffer, "2.500000");
  putSymbol("a", acutBuildList(RTLONG, int32_t{-100000}, RTNONE));
  EXPECT_EQ(qv::getLispString(buffer, "a"), 1);
  EXPECT_STREQ(buffer, "-100000");
  putSymbol("a", acutBuildList(RTSTR, "text", RTNONE));
  EXPECT_EQ(qv::getLispString(buffer, "A"), 1);
  EXPECT_STREQ(buffer, "text");
}

TEST_F(LispSymbolsTest, StringReaderEmptiesItsBufferOnFailure) {
  char buffer[8] = "stale";
  EXPECT_EQ(qv::getLispString(buffer, "unset"), 0);
  EXPECT_STREQ(buffer, "");
  const ads_point point = {1, 2, 3};
  putSymbol("p", acutBuildList(RT3DPOINT, point, RTNONE));
  std::strcpy(buffer, "stale");
  EXPECT_EQ(qv::getLispString(buffer, "p"), 0);
  EXPECT_STREQ(buffer, "");
  putSymbol("l", acutBuildList(RTSTR, "a", RTSTR, "b", RTNONE)); // a list: its head is RTLB
  EXPECT_EQ(qv::getLispString(buffer, "l"), 0);
  putSymbol("long", acutBuildList(RTSTR, "12345678", RTNONE)); // one more than fits
  std::strcpy(buffer, "stale");
  EXPECT_EQ(qv::getLispString(buffer, "long"), 0);
  EXPECT_STREQ(buffer, "");
  putSymbol("long", acutBuildList(RTSTR, "1234567", RTNONE));
  EXPECT_EQ(qv::getLispString(buffer, "long"), 1);
  sim::failCall("acedGetSym");
  EXPECT_EQ(qv::getLispString(buffer, "long"), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(qv::getLispString(buffer, nullptr), 0);
  EXPECT_EQ(qv::getLispString(nullptr, 10, "long"), 0);
  EXPECT_EQ(qv::getLispString(buffer, 0, "long"), 0);
}

TEST_F(LispSymbolsTest, LispFolderFallsBackOnlyForItsExactName) {
  char buffer[qv::kFolderBufferSize] = "";
  putSymbol("mc_lspdir$", acutBuildList(RTSTR, "C:\\Qv\\Lisp\\", RTNONE));
  EXPECT_EQ(qv::getLispString(buffer, "lspdir$"), 1);
  EXPECT_STREQ(buffer, "C:\\Qv\\Lisp\\");
  EXPECT_EQ(qv::getLispString(buffer, "LSPDIR$"), 0);
  EXPECT_STREQ(buffer, "");
  putSymbol("lspdir$", acutBuildList(RTSTR, "D:\\Own\\", RTNONE));
  EXPECT_EQ(qv::getLispString(buffer, "lspdir$"), 1);
  EXPECT_STREQ(buffer, "D:\\Own\\");
  sim::failCall("acedGetSym"); // a failed read of lspdir$ also falls back
  EXPECT_EQ(qv::getLispString(buffer, "lspdir$"), 1);
  EXPECT_STREQ(buffer, "C:\\Qv\\Lisp\\");
}

TEST_F(LispSymbolsTest, NumberReadersExtendAndConvert) {
  int32_t integer = 99;
  double real = 99.0;
  putSymbol("s", acutBuildList(RTSHORT, -3, RTNONE));
  EXPECT_EQ(qv::getLispInt(&integer, "s"), 1);
  EXPECT_EQ(integer, -3);
  EXPECT_EQ(qv::getLispReal(&real, "s"), 1);
  EXPECT_EQ(real, -3.0);
  putSymbol("s", acutBuildList(RTSHORT, -32768, RTNONE));
  EXPECT_EQ(qv::getLispInt(&integer, "s"), 1);
  EXPECT_EQ(integer, -32768);
  putSymbol("l", acutBuildList(RTLONG, int32_t{100000}, RTNONE));
  EXPECT_EQ(qv::getLispInt(&integer, "l"), 1);
  EXPECT_EQ(integer, 100000);
  EXPECT_EQ(qv::getLispReal(&real, "l"), 1);
  EXPECT_EQ(real, 100000.0);
  putSymbol("r", acutBuildList(RTREAL, 2.25, RTNONE));
  EXPECT_EQ(qv::getLispInt(&integer, "r"), 0); // a real is no integer
  EXPECT_EQ(integer, 0);
  EXPECT_EQ(qv::getLispReal(&real, "r"), 1);
  EXPECT_EQ(real, 2.25);
  putSymbol("t", acutBuildList(RTSTR, "7", RTNONE));
  EXPECT_EQ(qv::getLispReal(&real, "t"), 0);
  EXPECT_EQ(real, 0.0);
  EXPECT_EQ(qv::getLispInt(nullptr, "s"), 0);
  EXPECT_EQ(qv::getLispReal(nullptr, "s"), 0);
}

TEST_F(LispSymbolsTest, PointReaderFillsZOrTheUnsetPoint) {
  ads_point point = {0, 0, 0};
  const ads_point flat = {1, 2, 7};
  putSymbol("p", acutBuildList(RTPOINT, flat, RTNONE));
  EXPECT_EQ(qv::getLispPoint(point, "p"), 1);
  EXPECT_EQ(point[X], 1.0);
  EXPECT_EQ(point[Y], 2.0);
  EXPECT_EQ(point[Z], 0.0);
  putSymbol("p", acutBuildList(RT3DPOINT, flat, RTNONE));
  EXPECT_EQ(qv::getLispPoint(point, "p"), 1);
  EXPECT_EQ(point[Z], 7.0);
  putSymbol("p", acutBuildList(RTSTR, "1,2", RTNONE));
  EXPECT_EQ(qv::getLispPoint(point, "p"), 0);
  for (double coordinate : point) {
    EXPECT_EQ(coordinate, 98765432.1);
  }
  EXPECT_EQ(qv::getLispPoint(nullptr, "p"), 0);
}

TEST_F(LispSymbolsTest, WritersRoundTripEveryType) {
  char text[32];
  ASSERT_EQ(qv::setLispString("qvan_date_format", "dd/MM/yyyy"), RTNORM);
  EXPECT_EQ(qv::getLispString(text, "QVAN_DATE_FORMAT"), 1);
  EXPECT_STREQ(text, "dd/MM/yyyy");
  ASSERT_EQ(qv::setLispString("empty", nullptr), RTNORM);
  EXPECT_EQ(qv::getLispString(text, "empty"), 1);
  EXPECT_STREQ(text, "");
  double real = 0;
  ASSERT_EQ(qv::setLispReal("r", -1.5), RTNORM);
  EXPECT_EQ(qv::getLispReal(&real, "r"), 1);
  EXPECT_EQ(real, -1.5);
  int32_t integer = 0;
  ASSERT_EQ(qv::setLispShort("s", -2), RTNORM);
  EXPECT_EQ(qv::getLispInt(&integer, "s"), 1);
  EXPECT_EQ(integer, -2);
  const ads_point point = {3, 4, 5};
  ads_point back = {0, 0, 0};
  ASSERT_EQ(qv::setLispPoint("p", point), RTNORM);
  EXPECT_EQ(qv::getLispPoint(back, "p"), 1);
  EXPECT_EQ(back[Z], 5.0);
  const ads_name name = {0x1234, 0x5678};
  ASSERT_EQ(qv::setLispEntityName("e", name), RTNORM);
  resbuf* value = nullptr;
  ASSERT_EQ(acedGetSym("e", &value), RTNORM);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->restype, RTENAME);
  EXPECT_EQ(value->resval.rlname[1], 0x5678);
  acutRelRb(value);
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(LispSymbolsTest, RefusedWritesPrintOnceEach) {
  sim::failCall("acedPutSym");
  EXPECT_EQ(qv::setLispString("a", "x"), RTERROR);
  EXPECT_EQ(sim::takeCommandLine(), "Unable to set AutoLisp variable\n");
  EXPECT_EQ(qv::setLispReal("bad name", 1.0), RTERROR);
  EXPECT_EQ(qv::setLispShort(nullptr, 1), RTERROR);
  EXPECT_EQ(qv::setLispPoint("p", nullptr), RTERROR);
  EXPECT_EQ(qv::setLispEntityName("e", nullptr), RTERROR);
  std::string fourLines;
  for (int i = 0; i < 4; ++i) {
    fourLines += "Unable to set AutoLisp variable\n";
  }
  EXPECT_EQ(sim::takeCommandLine(), fourLines);
  sim::failCall("acad_malloc");
  EXPECT_EQ(qv::setLispString("a", "x"), RTERROR);
  EXPECT_EQ(sim::takeCommandLine(), "Unable to set AutoLisp variable\n");
}

} // namespace

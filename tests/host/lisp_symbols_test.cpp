// Reading and writing AutoLISP symbols: conversions, the lspdir$ fallback, buffers emptied on
// failure and the message of a refused write.
#include <string>

#include "module_fixture.h"
#include "platform/acad/acedads.h"

namespace {

class LispSymbolsTest : public qvtest::ModuleTest {
protected:
  static std::string readString(const char* name, size_t size = 64) {
    return readText(qv::getLispString, name, size);
  }
  // Sets v to value, then reads it with getLispInt or getLispReal as "<answer>:<number>".
  static std::string readInt(resbuf* value) {
    putSymbol("v", value);
    int32_t number = 99;
    const int answer = qv::getLispInt(&number, "v");
    return std::to_string(answer) + ":" + std::to_string(number);
  }
  static std::string readReal(const char* name) {
    double number = 99;
    const int answer = qv::getLispReal(&number, name);
    return std::to_string(answer) + ":" + std::to_string(number);
  }
};

TEST_F(LispSymbolsTest, StringReaderConvertsNumbersAndEmptiesItsBufferOnFailure) {
  putSymbol("a", acutBuildList(RTSHORT, 5, RTNONE));
  EXPECT_EQ(readString("a"), "1:5");
  putSymbol("a", acutBuildList(RTREAL, 2.5, RTNONE));
  EXPECT_EQ(readString("a"), "1:2.500000");
  putSymbol("a", acutBuildList(RTLONG, int32_t{-100000}, RTNONE));
  EXPECT_EQ(readString("a"), "1:-100000");
  putSymbol("a", acutBuildList(RTSTR, "text", RTNONE));
  EXPECT_EQ(readString("A"), "1:text");

  EXPECT_EQ(readString("unset"), "0:");
  const ads_point point = {1, 2, 3};
  putSymbol("p", acutBuildList(RT3DPOINT, point, RTNONE));
  EXPECT_EQ(readString("p"), "0:");
  putSymbol("l", acutBuildList(RTSTR, "a", RTSTR, "b", RTNONE)); // a list: its head is RTLB
  EXPECT_EQ(readString("l"), "0:");
  putSymbol("long", acutBuildList(RTSTR, "12345678", RTNONE));
  EXPECT_EQ(readString("long", 8), "0:"); // one more than fits
  putSymbol("long", acutBuildList(RTSTR, "1234567", RTNONE));
  EXPECT_EQ(readString("long", 8), "1:1234567");
  sim::failCall("acedGetSym");
  EXPECT_EQ(readString("long", 8), "0:");
  EXPECT_EQ(readString(nullptr), "0:");
  EXPECT_EQ(qv::getLispString(nullptr, 10, "long"), 0);
  char buffer[8] = "";
  EXPECT_EQ(qv::getLispString(buffer, 0, "long"), 0);
}

TEST_F(LispSymbolsTest, LispFolderFallsBackOnlyForItsExactName) {
  putSymbol("mc_lspdir$", acutBuildList(RTSTR, "C:\\Qv\\Lisp\\", RTNONE));
  EXPECT_EQ(readString("lspdir$", qv::kFolderBufferSize), "1:C:\\Qv\\Lisp\\");
  EXPECT_EQ(readString("LSPDIR$", qv::kFolderBufferSize), "0:");
  putSymbol("lspdir$", acutBuildList(RTSTR, "D:\\Own\\", RTNONE));
  EXPECT_EQ(readString("lspdir$", qv::kFolderBufferSize), "1:D:\\Own\\");
  sim::failCall("acedGetSym"); // a failed read of lspdir$ also falls back
  EXPECT_EQ(readString("lspdir$", qv::kFolderBufferSize), "1:C:\\Qv\\Lisp\\");
}

TEST_F(LispSymbolsTest, NumberReadersExtendAndConvert) {
  EXPECT_EQ(readInt(acutBuildList(RTSHORT, -3, RTNONE)), "1:-3");
  EXPECT_EQ(readReal("v"), "1:-3.000000");
  EXPECT_EQ(readInt(acutBuildList(RTSHORT, -32768, RTNONE)), "1:-32768");
  EXPECT_EQ(readInt(acutBuildList(RTLONG, int32_t{100000}, RTNONE)), "1:100000");
  EXPECT_EQ(readReal("v"), "1:100000.000000");
  EXPECT_EQ(readInt(acutBuildList(RTREAL, 2.25, RTNONE)), "0:0"); // a real is no integer
  EXPECT_EQ(readReal("v"), "1:2.250000");
  EXPECT_EQ(readInt(acutBuildList(RTSTR, "7", RTNONE)), "0:0");
  EXPECT_EQ(readReal("v"), "0:0.000000");
  EXPECT_EQ(qv::getLispInt(nullptr, "v"), 0);
  EXPECT_EQ(qv::getLispReal(nullptr, "v"), 0);
}

TEST_F(LispSymbolsTest, PointReaderFillsZOrTheUnsetPoint) {
  ads_point point = {0, 0, 0};
  const ads_point flat = {1, 2, 7};
  putSymbol("p", acutBuildList(RTPOINT, flat, RTNONE));
  EXPECT_EQ(qv::getLispPoint(point, "p"), 1);
  EXPECT_TRUE(point[X] == 1.0 && point[Y] == 2.0 && point[Z] == 0.0);
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
  ASSERT_EQ(qv::setLispString("qvan_date_format", "dd/MM/yyyy"), RTNORM);
  EXPECT_EQ(readString("QVAN_DATE_FORMAT"), "1:dd/MM/yyyy");
  ASSERT_EQ(qv::setLispString("empty", nullptr), RTNORM);
  EXPECT_EQ(readString("empty"), "1:");
  ASSERT_EQ(qv::setLispReal("r", -1.5), RTNORM);
  EXPECT_EQ(readReal("r"), "1:-1.500000");
  ASSERT_EQ(qv::setLispShort("v", -2), RTNORM);
  int32_t integer = 0;
  EXPECT_EQ(qv::getLispInt(&integer, "v"), 1);
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

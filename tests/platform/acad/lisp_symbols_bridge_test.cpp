// One environment for AutoLISP text and modules: acedGetSym and acedPutSym read and write the
// interpreter's symbols, converting values as the host does.
#include "lisp_cases.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class LispSymbolsBridgeTest : public qvtest::HostTest {};

// The types and values of a host list, as one line.
std::string describe(const resbuf* chain) {
  std::string text;
  char number[64];
  for (const resbuf* item = chain; item != nullptr; item = item->rbnext) {
    switch (item->restype) {
    case RTSHORT:
      text += "S" + std::to_string(item->resval.rint);
      break;
    case RTLONG:
      text += "L" + std::to_string(item->resval.rlong);
      break;
    case RTREAL:
      std::snprintf(number, sizeof number, "R%g", item->resval.rreal);
      text += number;
      break;
    case RTSTR:
      text += std::string("\"") + item->resval.rstring + "\"";
      break;
    case RTPOINT:
      std::snprintf(number, sizeof number, "P(%g,%g)", item->resval.rpoint[X],
                    item->resval.rpoint[Y]);
      text += number;
      break;
    case RT3DPOINT:
      std::snprintf(number, sizeof number, "P3(%g,%g,%g)", item->resval.rpoint[X],
                    item->resval.rpoint[Y], item->resval.rpoint[Z]);
      text += number;
      break;
    case RTLB:
      text += "(";
      break;
    case RTLE:
      text += ")";
      break;
    case RTDOTE:
      text += ".";
      break;
    case RTNIL:
      text += "nil";
      break;
    case RTT:
      text += "T";
      break;
    default:
      text += "#" + std::to_string(item->restype);
    }
    text += item->rbnext != nullptr && item->restype != RTLB && item->rbnext->restype != RTLE ? " "
                                                                                              : "";
  }
  return text;
}

TEST_F(LispSymbolsBridgeTest, ModulesReadWhatLispSet) {
  const struct {
    const char* value;
    const char* items;
  } cases[] = {
      {"5", "S5"},
      {"-32768", "S-32768"},
      {"32768", "L32768"},
      {"-100000", "L-100000"},
      {"2.5", "R2.5"},
      {"\"text\"", "\"text\""},
      {"T", "T"},
      {"'(1.0 2.0)", "P(1,2)"},
      {"'(1.0 2.0 3.0)", "P3(1,2,3)"},
      {"'(1 2 3)", "(S1 S2 S3)"},              // integers are no point
      {"'(1.0 2.0 3.0 4.0)", "(R1 R2 R3 R4)"}, // nor four reals
      {"'(8 . \"0\")", "(S8 . \"0\")"},
      {"'((1 2) 3 nil)", "((S1 S2) S3 nil)"},
      {"'((10 1.0 2.0 0.0) (1 2 . 3))", "((S10 R1 R2 R0) (S1 S2 . S3))"},
      {"'name", "\"NAME\""},
  };
  for (const auto& c : cases) {
    std::string error;
    sim::evalLisp(std::string("(setq shared ") + c.value + ")", &error);
    ASSERT_EQ(error, "") << c.value;
    resbuf* value = nullptr;
    ASSERT_EQ(acedGetSym("SHARED", &value), RTNORM) << c.value;
    EXPECT_EQ(describe(value), c.items) << c.value;
    acutRelRb(value);
  }
}

TEST_F(LispSymbolsBridgeTest, LispReadsWhatModulesSet) {
  ads_point point3 = {1, 2, 3};
  ads_point point2 = {1, 2, 0};
  const struct {
    resbuf* chain;
    const char* printed;
  } cases[] = {
      {acutBuildList(RTSHORT, 7, RTNONE), "7"},
      {acutBuildList(RTLONG, int32_t{-70000}, RTNONE), "-70000"},
      {acutBuildList(RTREAL, 0.5, RTNONE), "0.5"},
      {acutBuildList(RTSTR, "a\"b", RTNONE), "\"a\\\"b\""},
      {acutBuildList(RT3DPOINT, point3, RTNONE), "(1.0 2.0 3.0)"},
      {acutBuildList(RTPOINT, point2, RTNONE), "(1.0 2.0)"},
      {acutBuildList(RTT, RTNONE), "T"},
      {acutBuildList(RTLB, RTSHORT, 1, RTDOTE, RTSTR, "x", RTLE, RTNONE), "(1 . \"x\")"},
      {acutBuildList(RTLB, RTLB, RTSHORT, 1, RTLE, RTNIL, RTLE, RTNONE), "((1) nil)"},
      {acutBuildList(RTSHORT, 1, RTSTR, "two", RTNONE), "(1 \"two\")"}, // a chain is a list
  };
  for (const auto& c : cases) {
    ASSERT_NE(c.chain, nullptr);
    EXPECT_EQ(acedPutSym("from_module", c.chain), RTNORM) << c.printed;
    acutRelRb(c.chain);
    EXPECT_EQ(sim::evalLisp("from_module"), c.printed);
  }
  // nil through the module, and T refused: it is AutoLISP's constant.
  resbuf* nil = acutNewRb(RTNIL);
  EXPECT_EQ(acedPutSym("from_module", nil), RTNORM);
  EXPECT_EQ(sim::evalLisp("from_module"), "nil");
  EXPECT_EQ(acedPutSym("t", nil), RTERROR);
  acutRelRb(nil);
  EXPECT_EQ(sim::evalLisp("t"), "T");
}

TEST_F(LispSymbolsBridgeTest, FunctionsHaveNoFormInTheHostsLists) {
  sim::evalLisp("(defun twice (x) (* 2 x)) (setq builtin car)");
  for (const char* name : {"twice", "builtin"}) {
    resbuf* value = reinterpret_cast<resbuf*>(1);
    EXPECT_EQ(acedGetSym(name, &value), RTERROR) << name;
    EXPECT_EQ(value, nullptr);
  }
  // A list too deep for the host's lists is refused, not a crash.
  sim::evalLisp("(setq deep nil) (repeat 200000 (setq deep (list deep)))");
  resbuf* value = nullptr;
  EXPECT_EQ(acedGetSym("deep", &value), RTERROR);
  EXPECT_EQ(value, nullptr);
}

TEST_F(LispSymbolsBridgeTest, LispCallsTheFamilysFunctionsThroughTheHost) {
  std::string seen;
  sim::defineLispFunction("fam:sum", [&](const resbuf* args) -> resbuf* {
    seen = describe(args);
    int total = 0;
    for (const resbuf* item = args; item != nullptr; item = item->rbnext) {
      total += item->restype == RTSHORT ? item->resval.rint : 0;
    }
    return acutBuildList(RTSHORT, total, RTSTR, "done", RTNONE);
  });
  EXPECT_EQ(sim::evalLisp("(fam:sum 1 2 '(3 4) \"s\")"), "(10 \"done\")");
  EXPECT_EQ(seen, "S1 S2 (S3 S4) \"s\"");
  EXPECT_EQ(sim::evalLisp("(apply 'fam:sum '(5 6))"), "(11 \"done\")");
  EXPECT_EQ(sim::evalLisp("(mapcar 'fam:sum '(1 2))"), "((1 \"done\") (2 \"done\"))");
  std::string error;
  EXPECT_EQ(sim::evalLisp("(fam:sum car)", &error), "");
  // A function has no form in the host's lists.
  EXPECT_EQ(error.rfind("; error: bad argument type: lselsetp #<SUBR @", 0), 0u) << error;
  sim::undefineLispFunction("fam:sum");
  EXPECT_EQ(sim::evalLisp("(fam:sum 1)", &error), "");
  EXPECT_EQ(error, "; error: no function definition: FAM:SUM");
}

TEST_F(LispSymbolsBridgeTest, HostListsThatCannotBeMadeLeaveNothingBehind) {
  sim::defineLispFunction("fam:echo", [](const resbuf* args) -> resbuf* {
    return args == nullptr ? nullptr : acutBuildList(RTSTR, args->resval.rstring, RTNONE);
  });
  sim::evalLisp("(setq shared '(1 (2.0 3.0) \"s\"))");
  const int points = qvtest::forEachFailure("acutNewRb", [&](int) {
    std::string error;
    const std::string echoed = sim::evalLisp("(fam:echo \"text\")", &error);
    // The arguments that could not be made are an error; a result that could not be, nil.
    EXPECT_TRUE(echoed == "\"text\"" || echoed == "nil" || error == "; error: insufficient memory")
        << echoed << error;
    resbuf* value = nullptr;
    const int status = acedGetSym("shared", &value);
    EXPECT_EQ(status == RTNORM, value != nullptr);
    acutRelRb(value);
  });
  EXPECT_GT(points, 3);
}

} // namespace

// The stand-in's AutoLISP environment: symbols per document, module-defined and family functions,
// their calls, arguments and results.
#include <cstring>
#include <string>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/rxregsvc.h"
#include "platform/sim.h"
#include "testing/host_test.h"
#include "testing/result_lists.h"

namespace {

// A module whose handlers the test sets; it logs every message it gets.
struct TestModule {
  std::vector<std::string> log;
  std::vector<const char*> names = {"t_one", "t_two"};
  std::function<void()> onInvoke;
  AcRx::AppRetCode initAnswer = AcRx::kRetOK;
  bool unlock = true;
};
TestModule* module = nullptr;

AcRx::AppRetCode testEntry(AcRx::AppMsgCode msg, void* pkt) {
  module->log.push_back(std::to_string(msg) + "@" + std::to_string(sim::currentDocument()));
  switch (msg) {
  case AcRx::kInitAppMsg:
    if (module->unlock) {
      acrxUnlockApplication(pkt);
    }
    return module->initAnswer;
  case AcRx::kLoadDwgMsg:
    for (size_t i = 0; i < module->names.size(); ++i) {
      acedDefun(module->names[i], static_cast<short>(i));
    }
    break;
  case AcRx::kUnloadDwgMsg:
    for (size_t i = 0; i < module->names.size(); ++i) {
      acedUndef(module->names[i], static_cast<short>(i));
    }
    break;
  case AcRx::kInvkSubrMsg:
    if (module->onInvoke) {
      module->onInvoke();
    }
    break;
  default:
    break;
  }
  return AcRx::kRetOK;
}

class LispEnvironmentTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    module = &module_;
  }
  void TearDown() override {
    sim::unloadModule(testEntry);
    module = nullptr;
    HostTest::TearDown();
  }
  TestModule module_;
};

std::string symbolText(const char* name) {
  resbuf* value = nullptr;
  if (acedGetSym(name, &value) != RTNORM) {
    return "<error>";
  }
  std::string text = value == nullptr ? "nil" : "";
  for (const resbuf* item = value; item != nullptr; item = item->rbnext) {
    switch (item->restype) {
    case RTSTR:
      text += std::string("\"") + item->resval.rstring + "\" ";
      break;
    case RTSHORT:
      text += std::to_string(item->resval.rint) + " ";
      break;
    case RTLONG:
      text += std::to_string(item->resval.rlong) + "L ";
      break;
    case RTLB:
      text += "( ";
      break;
    case RTLE:
      text += ") ";
      break;
    default:
      text += "#" + std::to_string(item->restype) + " ";
    }
  }
  acutRelRb(value);
  return text;
}

TEST_F(LispEnvironmentTest, SymbolsKeepTheirTypesWithoutRegardToCase) {
  resbuf* atom = acutBuildList(RTSTR, "C:\\Qv\\", RTNONE);
  ASSERT_EQ(acedPutSym("usrdir$", atom), RTNORM);
  acutRelRb(atom); // the host keeps a copy
  EXPECT_EQ(symbolText("USRDIR$"), "\"C:\\Qv\\\" ");

  resbuf* chain = acutBuildList(RTSHORT, 1, RTLONG, int32_t{100000}, RTNONE);
  ASSERT_EQ(acedPutSym("pair", chain), RTNORM); // a chain becomes a list
  acutRelRb(chain);
  EXPECT_EQ(symbolText("pair"), "( 1 100000L ) ");

  resbuf* nil = acutNewRb(RTNIL);
  ASSERT_EQ(acedPutSym("Pair", nil), RTNORM);
  acutRelRb(nil);
  resbuf* value = reinterpret_cast<resbuf*>(1);
  EXPECT_EQ(acedGetSym("pair", &value), RTNORM); // a nil or missing symbol has no value
  EXPECT_EQ(value, nullptr);
  EXPECT_EQ(symbolText("never_set"), "nil");
}

TEST_F(LispEnvironmentTest, SymbolsBelongToTheirDocumentAndNoDocumentHasNone) {
  resbuf* atom = acutBuildList(RTSHORT, 7, RTNONE);
  ASSERT_EQ(acedPutSym("x", atom), RTNORM);
  const int first = sim::currentDocument();
  const int second = sim::openDocument("C:\\Jobs\\site.dwg");
  EXPECT_EQ(symbolText("x"), "nil");
  ASSERT_EQ(acedPutSym("x", atom), RTNORM);
  atom->resval.rint = 9;
  sim::activateDocument(first);
  ASSERT_EQ(acedPutSym("x", atom), RTNORM);
  sim::activateDocument(second);
  EXPECT_EQ(symbolText("x"), "7 ");
  acutRelRb(atom);
  ASSERT_TRUE(sim::closeDocument(second));
  EXPECT_EQ(sim::currentDocument(), first);
  EXPECT_EQ(symbolText("x"), "9 ");
  sim::failCall("openDocument");
  EXPECT_EQ(sim::openDocument("C:\\Jobs\\x.dwg"), 0);
  EXPECT_EQ(sim::currentDocument(), first);
  sim::failCall("closeDocument");
  EXPECT_FALSE(sim::closeDocument(first));
  EXPECT_EQ(symbolText("x"), "9 ");
  EXPECT_FALSE(sim::closeDocument(12345));
  // No document means no symbols.
  ASSERT_TRUE(sim::closeDocument(first));
  EXPECT_EQ(sim::currentDocument(), 0);
  resbuf* value = nullptr;
  EXPECT_EQ(acedGetSym("x", &value), RTERROR);
  atom = acutBuildList(RTSHORT, 1, RTNONE);
  EXPECT_EQ(acedPutSym("x", atom), RTERROR);
  acutRelRb(atom);
}

TEST_F(LispEnvironmentTest, RefusesWhatASymbolCannotHold) {
  resbuf* atom = acutBuildList(RTSHORT, 1, RTNONE);
  EXPECT_EQ(acedPutSym("two words", atom), RTERROR);
  EXPECT_EQ(qvtest::errnoValue(), 83);
  EXPECT_EQ(acedPutSym("123", atom), RTERROR);
  EXPECT_EQ(acedPutSym(nullptr, atom), RTERROR);
  EXPECT_EQ(acedPutSym("x", nullptr), RTERROR);
  resbuf* unbalanced = acutBuildList(RTLB, RTSHORT, 1, RTNONE);
  EXPECT_EQ(acedPutSym("x", unbalanced), RTERROR);
  EXPECT_EQ(qvtest::errnoValue(), 93);
  resbuf* group = acutBuildList(8, "0", RTNONE); // a DXF group is no AutoLISP value
  EXPECT_EQ(acedPutSym("x", group), RTERROR);
  EXPECT_EQ(acedGetSym(nullptr, nullptr), RTERROR);
  sim::failCall("acedPutSym");
  EXPECT_EQ(acedPutSym("x", atom), RTERROR);
  EXPECT_EQ(symbolText("x"), "nil");
  acutRelRb(atom);
  acutRelRb(unbalanced);
  acutRelRb(group);
}

TEST_F(LispEnvironmentTest, SymbolNamesFollowTheReadersRules) {
  struct Case {
    const char* name;
    int status;
  };
  const Case cases[] = {
      {"a.b", RTERROR},    {".", RTERROR},       {"a(", RTERROR},   {"b)", RTERROR},
      {"it's", RTERROR},   {"say\"", RTERROR},   {"x;y", RTERROR},  {"tab\t", RTERROR},
      {"line\n", RTERROR}, {"", RTERROR},        {"123", RTERROR},  {"-42", RTERROR},
      {"+7", RTERROR},     {"nil", RTERROR},     {"1a", RTNORM},    {"a1", RTNORM},
      {"-", RTNORM},       {"*error*", RTNORM},  {"c:run", RTNORM}, {"s::startup", RTNORM},
      {"1e5x", RTNORM},    {"usr-dir$", RTNORM},
  };
  resbuf* atom = acutBuildList(RTSHORT, 1, RTNONE);
  for (const Case& c : cases) {
    EXPECT_EQ(acedPutSym(c.name, atom), c.status) << c.name;
    if (c.status == RTERROR) {
      EXPECT_EQ(qvtest::errnoValue(), 83) << c.name;
    } else {
      EXPECT_EQ(symbolText(c.name), "1 ") << c.name;
    }
  }
  acutRelRb(atom);
}

TEST_F(LispEnvironmentTest, DrivesTheModuleInTheHostsOrder) {
  const int first = sim::currentDocument();
  const int second = sim::openDocument("C:\\Jobs\\b.dwg");
  ASSERT_TRUE(sim::loadModule(testEntry, "test.arx"));
  // init, then one load-drawing per document, each made current; the current one stays current
  EXPECT_EQ(module_.log,
            (std::vector<std::string>{"1@" + std::to_string(second), "3@" + std::to_string(first),
                                      "3@" + std::to_string(second)}));
  EXPECT_EQ(sim::currentDocument(), second);
  EXPECT_FALSE(sim::loadModule(testEntry)); // loaded already
  module_.log.clear();
  const int third = sim::openDocument("C:\\Jobs\\c.dwg");
  sim::closeDocument(third);
  ASSERT_TRUE(sim::unloadModule(testEntry));
  EXPECT_EQ(module_.log,
            (std::vector<std::string>{"3@" + std::to_string(third), "4@" + std::to_string(third),
                                      "4@" + std::to_string(first), "4@" + std::to_string(second),
                                      "2@" + std::to_string(second)}));
  EXPECT_FALSE(sim::isModuleLoaded(testEntry));
}

TEST_F(LispEnvironmentTest, ALockedModuleStaysAndAFailedInitLoadsNothing) {
  module_.unlock = false;
  ASSERT_TRUE(sim::loadModule(testEntry, "test.arx"));
  EXPECT_TRUE(acrxApplicationIsLocked("TEST.ARX"));
  EXPECT_FALSE(sim::unloadModule(testEntry));
  EXPECT_TRUE(sim::isModuleLoaded(testEntry));
  EXPECT_FALSE(acrxUnlockApplication(&module_)); // not an application id

  TestModule refusing;
  refusing.initAnswer = AcRx::kRetError;
  module = &refusing;
  EXPECT_FALSE(
      sim::loadModule(+[](AcRx::AppMsgCode msg, void* pkt) { return testEntry(msg, pkt); }));
  EXPECT_EQ(refusing.log.size(), 1u); // no load-drawing after a refused init
  module = &module_;
}

TEST_F(LispEnvironmentTest, AFailedUnloadSendsNothingAndKeepsTheModule) {
  ASSERT_TRUE(sim::loadModule(testEntry, "test.arx"));
  module_.log.clear();
  sim::failCall("unloadModule");
  EXPECT_FALSE(sim::unloadModule(testEntry));
  EXPECT_TRUE(module_.log.empty());
  EXPECT_TRUE(sim::isModuleLoaded(testEntry));
  EXPECT_TRUE(sim::unloadModule(testEntry));
}

TEST_F(LispEnvironmentTest, ACallReachesTheModuleWithItsCodeAndArguments) {
  ASSERT_TRUE(sim::loadModule(testEntry));
  int code = -1;
  std::string firstArgument;
  module_.onInvoke = [&] {
    code = acedGetFunCode();
    const resbuf* args = acedGetArgs();
    firstArgument = args != nullptr && args->restype == RTSTR ? args->resval.rstring : "";
    acedRetInt(1);
    acedRetStr("last one wins");
  };
  resbuf* args = acutBuildList(RTSTR, "abc", RTREAL, 2.5, RTNONE);
  resbuf* result = nullptr;
  ASSERT_EQ(sim::callLisp("T_TWO", args, &result), RTNORM);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(firstArgument, "abc");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->restype, RTSTR);
  EXPECT_STREQ(result->resval.rstring, "last one wins");
  acutRelRb(result);

  module_.onInvoke = [] {}; // no result call: nil
  ASSERT_EQ(sim::callLisp("t_one", nullptr, &result), RTNORM);
  EXPECT_EQ(result, nullptr);

  module_.onInvoke = [] {
    const ads_point point = {1, 2, 3};
    resbuf* items = acutBuildList(RTSHORT, 5, RTPOINT, point, RTNONE);
    acedRetList(items);
    acutRelRb(items);
    EXPECT_EQ(acedRetInt(70000), RTNORM);
  };
  ASSERT_EQ(sim::callLisp("t_one", nullptr, &result), RTNORM);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->restype, RTLONG); // beyond 16 bits
  EXPECT_EQ(result->resval.rlong, 70000);
  acutRelRb(result);
  acutRelRb(args);
  // Outside a call there is no code, no arguments and no result to set.
  EXPECT_EQ(acedGetFunCode(), RTERROR);
  EXPECT_EQ(acedGetArgs(), nullptr);
  EXPECT_EQ(acedRetInt(1), RTERROR);
}

TEST_F(LispEnvironmentTest, FunctionsAreDefinedPerDocumentAndRemovedAtClose) {
  ASSERT_TRUE(sim::loadModule(testEntry));
  resbuf* result = nullptr;
  const int second = sim::openDocument("C:\\Jobs\\b.dwg");
  EXPECT_EQ(sim::callLisp("t_one", nullptr, &result), RTNORM);
  sim::closeDocument(second);
  EXPECT_EQ(sim::callLisp("t_one", nullptr, &result), RTNORM); // still in the first
  ASSERT_TRUE(sim::unloadModule(testEntry));
  EXPECT_EQ(sim::callLisp("t_one", nullptr, &result), RTERROR);
  EXPECT_EQ(result, nullptr);
  // Definitions need a module's entry point to be running.
  EXPECT_EQ(acedDefun("outside", 0), RTERROR);
}

TEST_F(LispEnvironmentTest, InvokeCallsFamilyFunctionsAndRefusesTheUndefined) {
  std::vector<std::string> seen;
  sim::defineLispFunction("cf:echo", [&](const resbuf* args) -> resbuf* {
    for (const resbuf* item = args; item != nullptr; item = item->rbnext) {
      seen.push_back(item->restype == RTSTR ? item->resval.rstring : "?");
    }
    return acutBuildList(RTSTR, "done", RTNONE);
  });
  resbuf* call = acutBuildList(RTSTR, "CF:ECHO", RTSTR, "a", RTSHORT, 3, RTNONE);
  resbuf* result = nullptr;
  ASSERT_EQ(acedInvoke(call, &result), RTNORM);
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "?"}));
  ASSERT_NE(result, nullptr);
  EXPECT_STREQ(result->resval.rstring, "done");
  acutRelRb(result);
  acutRelRb(call);

  call = acutBuildList(RTSTR, "cf:missing", RTNONE);
  result = reinterpret_cast<resbuf*>(1);
  EXPECT_EQ(acedInvoke(call, &result), RTERROR);
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(acedInvoke(nullptr, &result), RTERROR);
  EXPECT_EQ(acedInvoke(call, nullptr), RTERROR);
  sim::undefineLispFunction("cf:echo");
  acutRelRb(call);
  call = acutBuildList(RTSTR, "cf:echo", RTNONE);
  EXPECT_EQ(acedInvoke(call, &result), RTERROR);
  acutRelRb(call);
}

TEST_F(LispEnvironmentTest, AModuleCannotInvokeItsOwnFunction) {
  ASSERT_TRUE(sim::loadModule(testEntry));
  int status = 0;
  module_.onInvoke = [&] {
    resbuf* call = acutBuildList(RTSTR, "t_two", RTNONE);
    resbuf* result = nullptr;
    status = acedInvoke(call, &result);
    acutRelRb(call);
  };
  resbuf* result = nullptr;
  ASSERT_EQ(sim::callLisp("t_one", nullptr, &result), RTNORM);
  EXPECT_EQ(status, RTERROR);
}

TEST_F(LispEnvironmentTest, AFailingDefinitionIsRefused) {
  sim::failCall("acedDefun", 2);
  ASSERT_TRUE(sim::loadModule(testEntry));
  resbuf* result = nullptr;
  EXPECT_EQ(sim::callLisp("t_one", nullptr, &result), RTNORM);
  EXPECT_EQ(sim::callLisp("t_two", nullptr, &result), RTERROR);
}

TEST_F(LispEnvironmentTest, ApplicationsReachLispFunctionsOnlyWhenExposed) {
  sim::evalLisp("(defun cf:add (a b) (+ a b)) (defun c:hello () \"hi\")"
                "(defun cf:oops (x) (car x)) (defun cf:pair (p) (list (car p) 'done))");
  const auto invoke = [](resbuf* call, std::string* printed) {
    resbuf* result = nullptr;
    const int status = acedInvoke(call, &result);
    acutRelRb(call);
    *printed = result == nullptr            ? "nil"
               : result->restype == RTSHORT ? std::to_string(result->resval.rint)
               : result->restype == RTSTR   ? result->resval.rstring
                                            : "#" + std::to_string(result->restype);
    acutRelRb(result);
    return status;
  };
  std::string printed;
  EXPECT_EQ(invoke(acutBuildList(RTSTR, "cf:add", RTSHORT, 2, RTSHORT, 3, RTNONE), &printed),
            RTERROR);                                                           // not exposed yet
  EXPECT_EQ(invoke(acutBuildList(RTSTR, "c:hello", RTNONE), &printed), RTNORM); // a command
  EXPECT_EQ(printed, "hi");
  sim::evalLisp("(vl-acad-defun 'cf:add) (vl-acad-defun \"cf:oops\") (vl-acad-defun 'cf:pair)");
  EXPECT_EQ(invoke(acutBuildList(RTSTR, "CF:ADD", RTSHORT, 2, RTSHORT, 3, RTNONE), &printed),
            RTNORM);
  EXPECT_EQ(printed, "5");
  // A list argument arrives as one value; a list result comes back bracketed.
  EXPECT_EQ(
      invoke(acutBuildList(RTSTR, "cf:pair", RTLB, RTSTR, "a", RTSHORT, 1, RTLE, RTNONE), &printed),
      RTNORM);
  EXPECT_EQ(printed, "#" + std::to_string(RTLB));
  // An error inside is reported as the host reports it, and the call fails.
  sim::takeCommandLine();
  EXPECT_EQ(invoke(acutBuildList(RTSTR, "cf:oops", RTSHORT, 4, RTNONE), &printed), RTERROR);
  EXPECT_EQ(sim::commandLine(), "; error: bad argument type: consp 4\n");
  EXPECT_EQ(invoke(acutBuildList(RTSTR, "cf:add", RTSHORT, 1, RTNONE), &printed), RTERROR);
}

TEST_F(LispEnvironmentTest, ResultListsHoldOnlyWhatLispReceives) {
  ASSERT_TRUE(sim::loadModule(testEntry));
  int status[3] = {};
  module_.onInvoke = [&] {
    const struct {
      resbuf* list;
    } lists[] = {{acutBuildList(RTSHORT, 1, RTLONG, int32_t{70000}, RTNONE)},
                 {acutBuildList(RTSHORT, 1, RTVOID, RTNONE)},
                 {acutBuildList(RTSHORT, 1, RTANG, 0.5, RTNONE)}};
    for (int i = 0; i < 3; ++i) {
      status[i] = acedRetList(lists[i].list);
      acutRelRb(lists[i].list);
    }
  };
  EXPECT_EQ(sim::evalLisp("(t_one)"), "(1 0.5)"); // an angle arrives as a real
  EXPECT_EQ(status[0], RTERROR);
  EXPECT_EQ(status[1], RTERROR);
  EXPECT_EQ(status[2], RTNORM);
  // Symbols keep AutoLISP's values only: an angle reads back as a real, three reals as a point.
  resbuf* angle = acutBuildList(RTANG, 1.5, RTNONE);
  resbuf* reals = acutBuildList(RTLB, RTREAL, 1.0, RTREAL, 2.0, RTREAL, 3.0, RTLE, RTNONE);
  ASSERT_EQ(acedPutSym("a", angle), RTNORM);
  ASSERT_EQ(acedPutSym("p", reals), RTNORM);
  acutRelRb(angle);
  acutRelRb(reals);
  resbuf* value = nullptr;
  ASSERT_EQ(acedGetSym("a", &value), RTNORM);
  EXPECT_EQ(value->restype, RTREAL);
  acutRelRb(value);
  ASSERT_EQ(acedGetSym("p", &value), RTNORM);
  EXPECT_EQ(value->restype, RT3DPOINT);
  EXPECT_EQ(value->rbnext, nullptr);
  acutRelRb(value);
}

} // namespace

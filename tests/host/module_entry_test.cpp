// The module's life cycle through the stand-in host: entry messages, the function table, the
// dispatch of calls and the editor reactor.
#include <string>

#include "module_fixture.h"
#include "platform/acad/acedads.h"
#include "platform/acad/rxdlinkr.h"
#include "platform/acad/rxregsvc.h"

namespace {

class ModuleEntryTest : public qvtest::ModuleTest {
protected:
  void TearDown() override {
    sim::unloadModule(probeEntry);
    sim::unloadModule(defineOnlyEntry);
    ModuleTest::TearDown();
  }

  // The module's entry point behind a probe that defines one more function code than the table
  // has.
  static AcRx::AppRetCode probeEntry(AcRx::AppMsgCode msg, void* pkt) {
    if (msg == AcRx::kLoadDwgMsg) {
      acedDefun("qv_beyond_table", static_cast<short>(qv::lispFunctionCount));
    }
    return acrxEntryPoint(msg, pkt);
  }
  // The module with a drawing load that only defines the table, recording what that answers.
  static AcRx::AppRetCode defineOnlyEntry(AcRx::AppMsgCode msg, void* pkt) {
    if (msg == AcRx::kLoadDwgMsg) {
      defineStatus = qv::defineLispFunctions();
      return AcRx::kRetOK;
    }
    return acrxEntryPoint(msg, pkt);
  }
  static inline int defineStatus = 0;

  // Whether the name answers a call; what the call printed (a function called without its
  // arguments reports them missing) is dropped.
  static bool isDefined(const char* name) {
    const bool defined = callLispFor(name).rfind("status", 0) != 0;
    sim::takeCommandLine();
    return defined;
  }
};

TEST_F(ModuleEntryTest, LifeCycleEndToEnd) {
  putSymbol("usrdir$", acutBuildList(RTSTR, "C:\\Qv\\User\\", RTNONE));
  ASSERT_TRUE(sim::loadModule(acrxEntryPoint, "quorvane.arx"));
  EXPECT_TRUE(acrxDynamicLinker->isAppMDIAware("quorvane.arx"));
  EXPECT_FALSE(acrxApplicationIsLocked("quorvane.arx")); // so the host may unload it
  EXPECT_STREQ(qv::userFolder, "C:\\Qv\\User\\");
  ASSERT_NE(qv::editorReactor, nullptr);
  EXPECT_EQ(sim::editorReactorCount(), 1);

  // A call of a table function reaches its handler and its result comes back.
  EXPECT_EQ(callLispFor("CF:ISNUMERIC", acutBuildList(RTSTR, "-12.5", RTNONE)), "T");
  EXPECT_EQ(callLispFor("cf:numval", acutBuildList(RTSTR, "12.5", RTNONE)), "real 12.500000");
  EXPECT_EQ(callLispFor("cf:userfolder"), "string C:\\Qv\\User\\");

  // A second drawing: the functions are defined there too, usrdir$ is unset there.
  const int second = sim::openDocument("C:\\Jobs\\road.dwg");
  EXPECT_TRUE(isDefined("cf:isnumeric"));
  EXPECT_STREQ(qv::userFolder, "");
  sim::closeDocument(second);
  EXPECT_TRUE(isDefined("cf:isnumeric")); // the first drawing keeps its definitions

  ASSERT_TRUE(sim::unloadModule(acrxEntryPoint));
  EXPECT_EQ(qv::editorReactor, nullptr);
  EXPECT_EQ(sim::editorReactorCount(), 0);
  EXPECT_FALSE(isDefined("cf:isnumeric"));
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(ModuleEntryTest, TwoDrawingLoadsAttachTheReactorOnce) {
  sim::openDocument("C:\\Jobs\\second.dwg");
  ASSERT_TRUE(sim::loadModule(acrxEntryPoint)); // two load-drawing messages
  EXPECT_EQ(sim::editorReactorCount(), 1);
  sim::openDocument("C:\\Jobs\\third.dwg");
  EXPECT_EQ(sim::editorReactorCount(), 1);
  ASSERT_TRUE(sim::unloadModule(acrxEntryPoint));
  EXPECT_EQ(sim::editorReactorCount(), 0);
  // No notification can reach the destroyed reactor.
  sim::notifyEditorReactors([](AcEditorReactor& r) { r.commandWillStart("LINE"); });
}

TEST_F(ModuleEntryTest, ACodeOutsideTheTableIsReported) {
  ASSERT_TRUE(sim::loadModule(probeEntry));
  EXPECT_EQ(callLispFor("qv_beyond_table"), "nil"); // the call gets no result from the module
  EXPECT_EQ(sim::commandLine(), "\nApplication ERROR: Received nonexistent function code.\n");
}

TEST_F(ModuleEntryTest, AFailingDefinitionStopsTheTable) {
  const int first = sim::currentDocument();
  sim::failCall("acedDefun", 2);
  ASSERT_TRUE(sim::loadModule(defineOnlyEntry));
  EXPECT_EQ(defineStatus, RTERROR);
  EXPECT_TRUE(isDefined(qv::lispFunctionNames[0]));
  for (size_t code = 1; code < qv::lispFunctionCount; ++code) {
    EXPECT_FALSE(isDefined(qv::lispFunctionNames[code])) << qv::lispFunctionNames[code];
  }
  sim::openDocument("C:\\Jobs\\b.dwg");
  EXPECT_EQ(defineStatus, RTNORM);
  ASSERT_TRUE(sim::unloadModule(defineOnlyEntry));

  // The module itself still loads; the drawing just lacks the functions after the refusal.
  sim::failCall("acedDefun", 2);
  ASSERT_TRUE(sim::loadModule(acrxEntryPoint));
  sim::activateDocument(first);
  EXPECT_TRUE(isDefined(qv::lispFunctionNames[0]));
  EXPECT_FALSE(isDefined(qv::lispFunctionNames[qv::lispFunctionCount - 1]));
}

TEST_F(ModuleEntryTest, MessagesOutsideTheLifeCycleChangeNothing) {
  for (int msg : {0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}) {
    EXPECT_EQ(acrxEntryPoint(static_cast<AcRx::AppMsgCode>(msg), nullptr), AcRx::kRetOK);
  }
  // An unload without a drawing load, and a call when the host reports none.
  EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr), AcRx::kRetOK);
  EXPECT_EQ(acrxEntryPoint(AcRx::kInvkSubrMsg, nullptr), AcRx::kRetOK);
  EXPECT_EQ(qv::dispatchLispFunction(), 0);
  EXPECT_EQ(qv::editorReactor, nullptr);
  EXPECT_EQ(sim::editorReactorCount(), 0);
  EXPECT_EQ(sim::commandLine(), "");
}

TEST_F(ModuleEntryTest, AFolderValueTooLongCountsAsUnset) {
  putSymbol("usrdir$", acutBuildList(RTREAL, 1e300, RTNONE)); // 308 characters as text
  ASSERT_TRUE(sim::loadModule(acrxEntryPoint));
  EXPECT_STREQ(qv::userFolder, "");
  ASSERT_TRUE(sim::unloadModule(acrxEntryPoint));
  const std::string longPath = "C:\\" + std::string(qv::kFolderBufferSize, 'a') + "\\";
  putSymbol("usrdir$", acutBuildList(RTSTR, longPath.c_str(), RTNONE));
  ASSERT_TRUE(sim::loadModule(acrxEntryPoint));
  EXPECT_STREQ(qv::userFolder, "");
}

} // namespace

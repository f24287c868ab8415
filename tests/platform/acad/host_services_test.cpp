// The stand-in's system variables, alerts, user breaks, application errors and editor reactors.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/acad/aced.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/rxdlinkr.h"
#include "platform/sim.h"
#include "testing/host_test.h"
#include "testing/result_lists.h"

namespace {

using qvtest::errnoValue;

class HostServicesTest : public qvtest::HostTest {};

TEST_F(HostServicesTest, ReadsVariablesWithoutRegardToCase) {
  resbuf* value = acutNewRb(RTSTR);
  ASSERT_EQ(acedGetVar("dwgname", value), RTNORM);
  EXPECT_EQ(value->restype, RTSTR);
  EXPECT_STREQ(value->resval.rstring, "Drawing1.dwg");
  EXPECT_EQ(sim::liveBlocks(), 1); // the text is a block of the host allocator
  acutRelRb(value);

  resbuf number{};
  ASSERT_EQ(acedGetVar("ViewSize", &number), RTNORM);
  EXPECT_EQ(number.restype, RTREAL);
  ASSERT_EQ(acedGetVar("viewctr", &number), RTNORM);
  EXPECT_EQ(number.restype, RT3DPOINT);
  ASSERT_EQ(acedGetVar("OSMODE", &number), RTNORM);
  EXPECT_EQ(number.restype, RTSHORT);
  for (const char* name :
       {"aperture", "DWGPREFIX", "DWGTITLED", "ACADPREFIX", "DIMASZ", "DIMSCALE", "*_pkser"}) {
    resbuf* item = acutNewRb(RTNONE);
    EXPECT_EQ(acedGetVar(name, item), RTNORM) << name;
    acutRelRb(item);
  }
}

TEST_F(HostServicesTest, RefusesUnknownNamesWrongTypesReadOnlyAndOutOfRange) {
  resbuf value{};
  EXPECT_EQ(acedGetVar("NOSUCHVAR", &value), RTERROR);
  value.restype = RTSHORT;
  value.resval.rint = 5;
  EXPECT_EQ(acedSetVar("NOSUCHVAR", &value), RTERROR);

  EXPECT_EQ(acedSetVar("DWGTITLED", &value), RTERROR);
  EXPECT_EQ(errnoValue(), 20);
  value.restype = RTREAL;
  value.resval.rreal = 20.0;
  EXPECT_EQ(acedSetVar("viewsize", &value), RTERROR);
  EXPECT_EQ(errnoValue(), 20);
  EXPECT_EQ(acedSetVar("OSMODE", &value), RTERROR);
  EXPECT_EQ(errnoValue(), 93);
  value.restype = RTSHORT;
  value.resval.rint = 51;
  EXPECT_EQ(acedSetVar("APERTURE", &value), RTERROR);
  EXPECT_EQ(errnoValue(), 22);
  value.resval.rint = 2;
  EXPECT_EQ(acedSetVar("aperture", &value), RTNORM);
  EXPECT_EQ(acedSetVar("DIMSCALE", &value), RTNORM); // an integer serves for a real
  resbuf read{};
  ASSERT_EQ(acedGetVar("DIMSCALE", &read), RTNORM);
  EXPECT_EQ(read.restype, RTREAL);
  EXPECT_EQ(read.resval.rreal, 2.0);
  EXPECT_EQ(acedSetVar(nullptr, &value), RTERROR);
  EXPECT_EQ(acedSetVar("OSMODE", nullptr), RTERROR);
  sim::failCall("acedGetVar");
  EXPECT_EQ(acedGetVar("OSMODE", &read), RTERROR);
}

TEST_F(HostServicesTest, DocumentsShowInTheDrawingVariablesAndOpeningOneClearsErrno) {
  sim::openDocument("C:\\Jobs\\Site A\\plan.dwg");
  resbuf* value = acutNewRb(RTSTR);
  ASSERT_EQ(acedGetVar("DWGPREFIX", value), RTNORM);
  EXPECT_STREQ(value->resval.rstring, "C:\\Jobs\\Site A\\");
  acutRelRb(value);
  resbuf titled{};
  ASSERT_EQ(acedGetVar("DWGTITLED", &titled), RTNORM);
  EXPECT_EQ(titled.resval.rint, 1);
  sim::setSysVarString("DWGNAME", "other.dwg"); // sim may set read-only ones
  value = acutNewRb(RTSTR);
  ASSERT_EQ(acedGetVar("DWGNAME", value), RTNORM);
  EXPECT_STREQ(value->resval.rstring, "other.dwg");
  acutRelRb(value);
  sim::removeSysVar("*_PKSER");
  resbuf missing{};
  EXPECT_EQ(acedGetVar("*_pkser", &missing), RTERROR);
  // Opening or creating a drawing clears ERRNO.
  for (const char* path : {"C:\\Jobs\\plan.dwg", "Drawing2.dwg"}) {
    titled.restype = RTSHORT;
    titled.resval.rint = 1;
    ASSERT_EQ(acedSetVar("DWGTITLED", &titled), RTERROR);
    ASSERT_EQ(errnoValue(), 20);
    ASSERT_NE(sim::openDocument(path), 0);
    EXPECT_EQ(errnoValue(), 0) << path;
  }
}

TEST_F(HostServicesTest, SnapModesTakeEveryBitTheHostDefines) {
  struct Case {
    int mode;
    int status;
  };
  const Case cases[] = {
      {0, RTNORM}, {16383, RTNORM}, {16384, RTNORM}, {32767, RTNORM}, {-1, RTERROR}};
  for (const Case& c : cases) {
    resbuf value{};
    value.restype = RTSHORT;
    value.resval.rint = static_cast<short>(c.mode);
    EXPECT_EQ(acedSetVar("OSMODE", &value), c.status) << c.mode;
    resbuf read{};
    ASSERT_EQ(acedGetVar("OSMODE", &read), RTNORM);
    if (c.status == RTNORM) {
      EXPECT_EQ(read.resval.rint, c.mode);
    } else {
      EXPECT_EQ(errnoValue(), 22);
    }
  }
}

TEST_F(HostServicesTest, SupportFoldersAreSeparatedBySemicolons) {
  resbuf* value = acutNewRb(RTSTR);
  ASSERT_EQ(acedGetVar("ACADPREFIX", value), RTNORM);
  const std::string folders = value->resval.rstring;
  acutRelRb(value);
  size_t count = 0;
  for (size_t start = 0; start <= folders.size(); ++count) {
    const size_t end = std::min(folders.find(';', start), folders.size());
    const std::string folder = folders.substr(start, end - start);
    EXPECT_GT(folder.size(), 3u) << folders;
    EXPECT_EQ(folder.back(), '\\') << folder;
    start = end + 1;
  }
  EXPECT_GT(count, 1u);
}

TEST_F(HostServicesTest, WithNoDrawingOpenTheDrawingVariablesAreUnavailable) {
  const int opened = sim::openDocument("C:\\Jobs\\plan.dwg");
  ASSERT_TRUE(sim::closeDocument(opened));
  ASSERT_TRUE(sim::closeDocument(sim::currentDocument()));
  for (const char* name : {"DWGNAME", "dwgprefix", "DWGTITLED"}) {
    resbuf* value = acutNewRb(RTNONE);
    EXPECT_EQ(acedGetVar(name, value), RTERROR) << name;
    EXPECT_EQ(value->restype, RTNONE) << name;
    acutRelRb(value);
  }
  resbuf size{};
  EXPECT_EQ(acedGetVar("VIEWSIZE", &size), RTNORM); // the session's variables remain
  ASSERT_NE(sim::openDocument("C:\\Jobs\\next.dwg"), 0);
  resbuf* value = acutNewRb(RTSTR);
  ASSERT_EQ(acedGetVar("DWGNAME", value), RTNORM);
  EXPECT_STREQ(value->resval.rstring, "next.dwg");
  acutRelRb(value);
}

class RecordingReactor : public AcEditorReactor {
public:
  void sysVarWillChange(const char* name) override {
    events.push_back(std::string("will ") + name);
  }
  void sysVarChanged(const char* name, bool ok) override {
    events.push_back(std::string(ok ? "changed " : "refused ") + name);
  }
  void commandWillStart(const char* command) override { events.push_back(command); }
  void lispWillStart(const char* line) override { events.push_back(std::string("lisp ") + line); }
  void lispEnded() override { events.push_back("lisp ended"); }
  std::vector<std::string> events;
};

TEST_F(HostServicesTest, TheEditorNotifiesEachAttachment) {
  AcEditor* editor = acedEditor;
  ASSERT_NE(editor, nullptr);
  RecordingReactor reactor;
  editor->addReactor(&reactor);
  editor->addReactor(&reactor);
  editor->addReactor(nullptr);
  EXPECT_EQ(sim::editorReactorCount(), 2);
  sim::notifyEditorReactors([](AcEditorReactor& r) { r.commandWillStart("LINE"); });
  EXPECT_EQ(reactor.events, (std::vector<std::string>{"LINE", "LINE"}));
  editor->removeReactor(&reactor);
  EXPECT_EQ(sim::editorReactorCount(), 1);
  reactor.events.clear();
  resbuf value{};
  value.restype = RTSHORT;
  value.resval.rint = 33;
  acedSetVar("osmode", &value);
  value.resval.rint = -1;
  acedSetVar("OSMODE", &value);
  EXPECT_EQ(reactor.events, (std::vector<std::string>{"will osmode", "changed osmode",
                                                      "will OSMODE", "refused OSMODE"}));
  reactor.events.clear();
  sim::defineLispFunction("cf:noop", [](const resbuf*) -> resbuf* { return nullptr; });
  resbuf* result = nullptr;
  EXPECT_EQ(sim::callLisp("cf:noop", nullptr, &result), RTNORM);
  EXPECT_EQ(reactor.events, (std::vector<std::string>{"lisp (cf:noop)", "lisp ended"}));
  editor->removeReactor(&reactor);
  editor->removeReactor(&reactor); // not attached: ignored
  EXPECT_EQ(sim::editorReactorCount(), 0);
}

TEST_F(HostServicesTest, RegistryHoldsTheLinkerAndTheEditor) {
  EXPECT_NE(acrxDynamicLinker, nullptr);
  EXPECT_EQ(acrxSysRegistry()->at("NoSuchService"), nullptr);
  EXPECT_EQ(acrxSysRegistry()->at(nullptr), nullptr);
  EXPECT_FALSE(acrxDynamicLinker->registerAppMDIAware(nullptr)); // no such application
  sim::failCall("AcRxDictionary::at");
  EXPECT_EQ(acedEditor, nullptr);
}

TEST_F(HostServicesTest, AlertsBreaksAndApplicationErrors) {
  EXPECT_EQ(acedAlert("Saved."), RTNORM);
  EXPECT_EQ(acedAlert(nullptr), RTERROR);
  EXPECT_EQ(sim::alerts(), (std::vector<std::string>{"Saved."}));
  EXPECT_EQ(sim::commandLine(), ""); // an alert is a dialog, not a line

  EXPECT_EQ(acedUsrBrk(), 0); // nobody pressed ESC
  sim::answer(sim::Answer::userBreak(false));
  sim::answer(sim::Answer::userBreak(true));
  EXPECT_EQ(acedUsrBrk(), 0);
  EXPECT_NE(acedUsrBrk(), 0);
  EXPECT_EQ(acedUsrBrk(), 0); // the check cleared it

  acdbFail("Something broke.");
  EXPECT_EQ(sim::takeCommandLine(), "\nApplication ERROR: Something broke.\n");
  acdbFail(nullptr);
}

} // namespace

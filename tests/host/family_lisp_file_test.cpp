// The family's support file lisp/qvanutil.lsp, loaded into a drawing: the library reaches its
// functions through acedInvoke once the file has exposed them.
#include "host/host.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class FamilyLispFileTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    std::string error;
    sim::evalLisp("(setq lspdir$ \"L:\\\\\" tmpdir$ \"T:\\\\\")"
                  "(load \"" QV_TEST_DATA_DIR "/../../lisp/qvanutil.lsp\")",
                  &error);
    ASSERT_EQ(error, "");
    sim::takeCommandLine();
  }
};

TEST_F(FamilyLispFileTest, TheLibraryReachesEveryFunction) {
  qv::printLine("Stations computed");
  EXPECT_EQ(sim::takeCommandLine(), "\nStations computed");
  qv::switchFamilyPointSnap(0);
  EXPECT_EQ(sim::evalLisp("qvan_pointsnap"), "0");
  qv::switchFamilyPointSnap(1);
  EXPECT_EQ(sim::evalLisp("qvan_pointsnap"), "1");
  qv::runQvanUtility();
  EXPECT_EQ(sim::takeCommandLine(), "\nLISP folder: L:\\\nUser folder: \nTemporary folder: T:\\");

  sim::answer(sim::Answer::fileName(tempPath("new.xml")));
  resbuf* result = nullptr;
  ASSERT_EQ(qv::invokeFamilyGetFile("Open", "", "xml", 0, &result), RTNORM);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(std::string(result->resval.rstring), tempPath("new.xml"));
  acutRelRb(result);
  EXPECT_EQ(sim::evalLisp("qvan_new_file"), "\"1\""); // the file does not exist yet
  EXPECT_EQ(sim::evalLisp("qvan_last_folder"), qvtest::lispString(tempPath("")));
  // The person cancels: no answer.
  ASSERT_EQ(qv::invokeFamilyGetFile("Open", "", "xml", 0, &result), RTNORM);
  EXPECT_EQ(result, nullptr);
  ASSERT_EQ(sim::asked().size(), 2u);
  EXPECT_EQ(sim::asked()[1].prompt, "Open");
}

TEST_F(FamilyLispFileTest, FunctionsNotExposedStayOutOfReach) {
  sim::evalLisp("(defun cf:print_line (u text) (princ \"replaced\"))"); // not exposed again
  qv::printLine("x");
  EXPECT_EQ(sim::takeCommandLine(), "replaced"); // the exposure belongs to the name
  sim::evalLisp("(defun cf:private (u) (princ \"never\"))");
  resbuf* call = acutBuildList(RTSTR, "cf:private", RTSTR, "", RTNONE);
  resbuf* result = nullptr;
  EXPECT_EQ(acedInvoke(call, &result), RTERROR);
  acutRelRb(call);
  EXPECT_EQ(sim::takeCommandLine(), "");
}

} // namespace

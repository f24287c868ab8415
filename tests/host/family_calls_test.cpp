// Calls of the family's AutoLISP functions: their argument lists, and what happens when the
// functions or the lists are missing.
#include <cstring>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace {

class FamilyCallsTest : public qvtest::ModuleTest {
protected:
  // Defines name to record its arguments as text and to answer with a copy of answer.
  void record(const char* name, const char* answer = nullptr) {
    sim::defineLispFunction(name, [this, answer](const resbuf* args) -> resbuf* {
      std::string line;
      for (const resbuf* item = args; item != nullptr; item = item->rbnext) {
        // Appended piece by piece: GCC 12 at -O3 takes "#" + std::string for an overlapping copy
        // (a false -Wrestrict).
        if (item->restype == RTSTR) {
          line += item->resval.rstring;
        } else if (item->restype == RTSHORT) {
          line += '#';
          line += std::to_string(item->resval.rint);
        } else {
          line += '?';
        }
        line += '|';
      }
      calls_.push_back(line);
      return answer == nullptr ? nullptr : acutBuildList(RTSTR, answer, RTNONE);
    });
  }
  std::vector<std::string> calls_;
};

TEST_F(FamilyCallsTest, PrintLineSendsTheUserFolderAndTheText) {
  std::strcpy(qv::userFolder, "C:\\Qv\\User\\");
  record("cf:print_line", "ignored");
  qv::printLine("Station 1+00");
  qv::printLine(nullptr);
  EXPECT_EQ(calls_, (std::vector<std::string>{"C:\\Qv\\User\\|Station 1+00|", "C:\\Qv\\User\\||"}));
  sim::failCall("acutBuildList");
  qv::printLine("lost");
  EXPECT_EQ(calls_.size(), 2u); // nothing is called without a list
}

TEST_F(FamilyCallsTest, UtilityAndPointSnapCallForms) {
  record("cf:qvanutil");
  record("cf:set_pointsnap");
  qv::runQvanUtility();
  qv::switchFamilyPointSnap(0);
  qv::switchFamilyPointSnap(5);
  EXPECT_EQ(calls_, (std::vector<std::string>{"|#38|", "#0|", "#1|"}));
}

TEST_F(FamilyCallsTest, FileSelectionHandsBackTheAnswer) {
  std::strcpy(qv::userFolder, "U\\");
  record("cf:getfiled", "C:\\Jobs\\a.xml");
  resbuf* result = nullptr;
  EXPECT_EQ(qv::invokeFamilyGetFile("Open", nullptr, "xml;txt", 4, &result), RTNORM);
  EXPECT_EQ(calls_, (std::vector<std::string>{"U\\|Open||xml;txt|#4|"}));
  ASSERT_NE(result, nullptr);
  EXPECT_STREQ(result->resval.rstring, "C:\\Jobs\\a.xml");
  acutRelRb(result);
  EXPECT_EQ(qv::invokeFamilyGetFile("Open", "", "", 0, nullptr), RTERROR);
}

TEST_F(FamilyCallsTest, MissingFunctionsAreHarmless) {
  qv::printLine("nobody listens");
  qv::runQvanUtility();
  qv::switchFamilyPointSnap(1);
  resbuf* result = reinterpret_cast<resbuf*>(1);
  EXPECT_EQ(qv::invokeFamilyGetFile("t", "d", "e", 0, &result), RTERROR);
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(sim::callCount("acedInvoke"), 4);
}

} // namespace

// acedGetFileD's flags and result, and acedFindFile over the drawing's and support folders.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "platform/win/winuser.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class FileRequestsTest : public qvtest::HostTest {
protected:
  FileRequestsTest() : HostTest('S') {}
  void SetUp() override {
    HostTest::SetUp();
    std::filesystem::create_directories(tempDir() / "jobs");
    std::filesystem::create_directories(tempDir() / "support");
    std::ofstream(tempPath("jobs/Site.dwg")) << "d";
    std::ofstream(tempPath("jobs/Road.crd")) << "1";
    std::ofstream(tempPath("support/Tree.dwg")) << "s";
    sim::setSysVarString("ACADPREFIX", atDrive("S:\\none") + ";" + atDrive("S:\\SUPPORT"));
  }
  // The dialog's status and the path it gave (the result released).
  std::pair<int, std::string> pick(const char* defawlt, const char* ext, int flags) {
    resbuf* result = acutNewRb(RTSTR);
    const int status = acedGetFileD("Pick", atDrive(defawlt).c_str(), ext, flags, result);
    std::string path =
        result->restype == RTSTR && result->resval.rstring ? result->resval.rstring : "";
    acutRelRb(result);
    return {status, path};
  }
};

TEST_F(FileRequestsTest, FlagsDecideWhatTheDialogAccepts) {
  struct Case {
    const char* name;
    std::vector<sim::Answer> answers;
    const char* ext;
    int flags;
    int status;
    const char* path;
  };
  const Case cases[] = {
      {"open exists", {sim::Answer::fileName("road")}, "crd", 0, RTNORM, "S:\\jobs\\road.crd"},
      {"open refuses missing",
       {sim::Answer::fileName("none.crd"), sim::Answer::fileName("S:\\JOBS\\ROAD.CRD")},
       "crd;txt",
       0,
       RTNORM,
       "S:\\JOBS\\ROAD.CRD"},
      {"new asks, No goes back",
       {sim::Answer::fileName("road.crd"), sim::Answer::button(IDNO), sim::Answer::fileName("b")},
       "crd",
       1,
       RTNORM,
       "S:\\jobs\\b.crd"},
      {"new, Yes replaces",
       {sim::Answer::fileName("road.crd"), sim::Answer::button(IDYES)},
       "crd",
       1,
       RTNORM,
       "S:\\jobs\\road.crd"},
      {"no overwrite box",
       {sim::Answer::fileName("road.crd")},
       "crd",
       33,
       RTNORM,
       "S:\\jobs\\road.crd"},
      {"any extension", {sim::Answer::fileName("x.txt")}, "crd", 5, RTNORM, "S:\\jobs\\x.txt"},
      {"library search strips",
       {sim::Answer::fileName("S:\\support\\Tree.dwg")},
       "dwg",
       8,
       RTNORM,
       "Tree.dwg"},
      {"cancel", {}, "crd", 0, RTCAN, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (sim::Answer answer : c.answers) {
      answer.value = atDrive(answer.value);
      sim::answer(answer);
    }
    EXPECT_EQ(pick("S:\\jobs\\Site.dwg", c.ext, c.flags),
              std::make_pair(c.status, atDrive(c.path)));
    EXPECT_EQ(sim::pendingAnswers(), 0u);
  }
  const sim::Asked first = sim::asked().front();
  EXPECT_EQ(first.call, "acedGetFileD");
  EXPECT_EQ(first.prompt, "Pick");
  EXPECT_EQ(first.defaultValue, atDrive("S:\\jobs\\Site.dwg"));
  EXPECT_EQ(first.filter, "crd");
  // The library search starts in the current folder, as acedFindFile's does.
  const std::filesystem::path saved = std::filesystem::current_path();
  std::filesystem::current_path(tempDir() / "jobs");
  sim::answer(sim::Answer::fileName(atDrive("S:\\jobs\\Road.crd")));
  EXPECT_EQ(pick("", "crd", 8).second, "Road.crd");
  char found[512] = "";
  EXPECT_EQ(acedFindFile("road.crd", found), RTNORM);
  EXPECT_STREQ(found, "road.crd");
  std::filesystem::current_path(saved);
  EXPECT_EQ(pick("S:\\jobs\\", "crd", 16).first, RTCAN);
  EXPECT_EQ(acedGetFileD("t", nullptr, nullptr, 0, nullptr), RTERROR);
  qvtest::forEachFailure("acedGetFileD", [&](int nth) {
    EXPECT_EQ(pick("", "crd", 0).first, nth == 1 ? RTERROR : RTCAN);
  });
}

TEST_F(FileRequestsTest, FindFileSearchesDrawingThenSupportFolders) {
  ASSERT_NE(sim::openDocument(atDrive("S:\\jobs\\Site.dwg")), 0);
  struct Case {
    const char* name;
    int status;
    const char* found;
  };
  const Case cases[] = {
      {"road.crd", RTNORM, "S:\\jobs\\road.crd"},
      {"tree.dwg", RTNORM, "S:\\SUPPORT\\tree.dwg"},
      {"S:\\support\\Tree.dwg", RTNORM, "S:\\support\\Tree.dwg"},
      {"S:\\jobs\\tree.dwg", RTERROR, ""},
      {"tree", RTERROR, ""}, // no extension is added
      {"jobs", RTERROR, ""}, // a folder is no file
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    char result[512] = "";
    EXPECT_EQ(acedFindFile(atDrive(c.name).c_str(), result), c.status);
    EXPECT_EQ(result, atDrive(c.found));
  }
}

} // namespace

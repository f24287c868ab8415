// The file-selection functions from AutoLISP: favourites, remembered folders and the drawing's
// places and recent files.
#include <filesystem>
#include <fstream>

#include "module_fixture.h"
#include "testing/failure_sweep.h"

namespace {

class FileFunctionsTest : public qvtest::ModuleFunctionTest {
protected:
  FileFunctionsTest() : ModuleFunctionTest('T') {}
  void SetUp() override {
    ModuleFunctionTest::SetUp();
    for (const char* folder : {"Jobs", "Data", "User"}) {
      std::filesystem::create_directories(tempDir() / folder);
    }
    std::ofstream(tempPath("Data/Road.crd")) << "12";
    std::ofstream(tempPath("Jobs/Site.ini")) << drivePaths("PROJECT=T:\\DATA\\ROAD.CRD\n");
    ASSERT_NE(sim::openDocument(atDrive("T:\\Jobs\\Site.dwg")), 0);
    sim::evalLisp(drivePaths("(setq usrdir$ \"T:\\\\User\\\\\")", true));
  }
};

TEST_F(FileFunctionsTest, KeepsFavouritesAndGivesTheLists) {
  const struct {
    const char* lisp;
    const char* answer;
  } cases[] = {
      {"(cf:rememberfolder \"T:\\\\Jobs\\\\a.crd\")", "T"},
      {"(cf:favorite \"T:\\\\User\\\\\")", "T"},
      {"(cf:favorite \"T:\\\\Gone\\\\\")", "T"},
      {"(car (cf:filelists \"crd\"))",
       "((\"T:\\\\DATA\\\\\") (\"T:\\\\Jobs\\\\\") (\"T:\\\\User\\\\\"))"},
      {"(cf:favorite \"t:\\\\user\\\\\" T)", "T"},
      {"(length (car (cf:filelists \"txt;crd\")))", "2"},
      {"(mapcar 'car (cadr (cf:filelists \"crd\")))", "(\"ROAD.CRD\")"},
      {"(cf:filelists \"txt\")", "(nil nil)"},
      {"(cf:favorite 1)", "nil | ; error: bad argument type: stringp 1\n"},
      {"(cf:rememberfolder)", "nil | ; error: too few arguments\n"},
      {"(cf:filelists \"crd\" 1)", "nil | ; error: too many arguments\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(drivePaths(c.lisp, true)), drivePaths(c.answer, true)) << c.lisp;
  }
  const std::string data = drivePaths("\"T:\\\\Data\\\\\"", true);
  qvtest::forEachFailure("fopen", [&](int) {
    const std::string answer = run("(cf:favorite " + data + ")");
    sim::clearFailures();
    const std::string kept = run("(car (cf:filelists \"x\"))");
    EXPECT_EQ(kept, answer == "T" ? "((" + data + "))" : "nil") << answer;
    run("(cf:favorite " + data + " T)");
  });
}

} // namespace

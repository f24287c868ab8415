// File names, the file dialog, the project file, the unit system and programs from AutoLISP.
#include <filesystem>
#include <fstream>

#include "module_fixture.h"
#include "platform/sim_answers.h"

namespace {

class PathFunctionsTest : public qvtest::ModuleFunctionTest {
protected:
  PathFunctionsTest() : ModuleFunctionTest('T') {}
  void SetUp() override {
    ModuleFunctionTest::SetUp();
    for (const char* folder : {"Jobs", "Data"}) {
      std::filesystem::create_directories(tempDir() / folder);
    }
    std::ofstream(tempPath("Data/Road.crd")) << "12";
    ASSERT_NE(sim::openDocument(atDrive("T:\\Jobs\\Site.dwg")), 0);
  }
};

TEST_F(PathFunctionsTest, ReachesTheFileServices) {
  sim::answer(sim::Answer::fileName(atDrive("T:\\Data\\Road.crd")));
  const struct {
    const char* lisp;
    const char* answer;
  } cases[] = {
      {"(cf:projectfolder \"crd\")", "\"\""},
      {"(cf:getfile \"Points\" \"\" \"crd\" 0)", "\"T:\\\\Data\\\\Road.crd\""},
      {"(cf:projectfolder \"crd\")", "\"T:\\\\DATA\\\\\""},
      {"(cf:getfile \"Points\" \"\" \"crd\")", "nil"},
      {"(cf:resolvepath \"C:\\\\A\\\\B\" \".\\\\C\")", "\"C:\\\\A\\\\B\\\\\\\\C\""},
      {"(cf:resolvepath \"\\\\\\\\srv\\\\share\" \"\\\\X\")", "\"\\\\\\\\srv\\\\share\\\\X\""},
      {"(cf:validpath \"T:\\\\Data\\\\\")", "T"},
      {"(cf:validpath \"T:\\\\None\\\\\")", "nil"},
      {"(cf:fileparts \"C:\\\\JOBS.24\\\\Site.Plan.dwg\")",
       "(\"C:\\\\JOBS.24\\\\\" \"Site.Plan.dwg\" \"dwg\")"},
      {"(cf:fileparts \"C:\\\\JOBS.24\\\\\")", "(\"C:\\\\JOBS.24\\\\\" \"\" \"\")"},
      {"(list (cf:shortname \"C:\\\\x\\\\ROAD~1.CRD\") (cf:shortname \"Roadway.crd1\"))",
       "(T nil)"},
      {"(cf:safename \" a:b*c \")", "\"a_b_c\""},
      {"(cf:safename \"  \")", "nil"},
      {"(cf:copyfile \"T:\\\\Data\\\\Road.crd\" \"T:\\\\Jobs\\\\Copy.crd\")", "T"},
      {"(cf:copyfile \"T:\\\\Data\\\\Road.crd\" \"t:/data/road.CRD\")", "nil"},
      {"(cdr (assoc \"unitabbrev\" (cf:unitscontext)))", "\"ft\""},
      {"(progn (setq is_metric 1) (cdr (assoc \"weightfactor\" (cf:unitscontext))))", "1000.0"},
      {"(length (cf:unitscontext))", "11"},
      {"(cf:runprogram \"sh -c \\\"exit 3\\\"\" T)", "3"},
      {"(cf:fileparts 7)", "nil | ; error: bad argument type: stringp 7\n"},
      {"(cf:getfile \"t\" \"\" \"crd\" \"0\")",
       "nil | ; error: bad argument type: fixnump: \"0\"\n"},
      {"(cf:unitscontext 1)", "nil | ; error: too many arguments\n"},
      {"(cf:resolvepath \"C:\\\\\")", "nil | ; error: too few arguments\n"},
  };
  for (const auto& c : cases) {
    // Where Windows answers, a shell is no program of its own.
    if (std::string(c.lisp).find("\"sh ") == std::string::npos || !sim::windowsAnswers()) {
      EXPECT_EQ(run(drivePaths(c.lisp, true)), drivePaths(c.answer, true)) << c.lisp;
    }
  }
  std::ifstream copy(tempPath("Jobs/Copy.crd"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), "12");
}

} // namespace

// The project file, symbol drawings, file types, the system's file dialog, plain file checks and
// the drawing's working files from AutoLISP.
#include <ctime>
#include <filesystem>
#include <fstream>

#include "module_fixture.h"
#include "platform/sim_answers.h"
#include "platform/win/sim_registry.h"
#include "platform/win/windows.h"

namespace {

class FileServiceFunctionsTest : public qvtest::ModuleFunctionTest {
protected:
  void SetUp() override {
    ModuleFunctionTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS("the file types are seeded in the stand-in's registry, and the "
                                  "family's dialog is answered from its queue");
    sim::mapDrive('T', tempDir().string());
    for (const char* folder : {"Jobs", "Sym", "Support", "Temp", "User"}) {
      std::filesystem::create_directories(tempDir() / folder);
    }
    for (const char* file : {"Sym/TREE.DWG", "Support/POLE.DWG", "Jobs/Site.bak", "Jobs/a.crd"}) {
      std::ofstream(tempPath(file)) << "x";
    }
    std::ofstream(tempPath("Temp/Site-surf.ini")) << "exist=1|EXIST2\n";
    std::ofstream(tempPath("User/symbols.dta")) << "T:\\SYM\\MAST.DWG|a mast\n";
    ASSERT_NE(sim::openDocument("T:\\Jobs\\Site.dwg"), 0);
    std::strcpy(qv::userFolder, "T:\\User\\");
    sim::setSysVarString("ACADPREFIX", "T:\\none;T:\\Support");
    sim::evalLisp("(setq psname \"T:\\\\Sym\\\\\" tmpdir$ \"T:\\\\Temp\\\\\")");
    ASSERT_TRUE(sim::loadRegistry("REGEDIT4\n\n[HKEY_CLASSES_ROOT\\.crd]\n@=\"Qv.Crd\"\n\n"
                                  "[HKEY_CLASSES_ROOT\\Qv.Crd\\shell\\open\\command]\n"
                                  "@=\"edit.exe %1\"\n")
                    .ok);
  }
};

TEST_F(FileServiceFunctionsTest, ReachesTheFileServices) {
  // 21 November 2005, 15:30 local time, as the drawing's folder sees it.
  std::tm written{};
  written.tm_year = 105, written.tm_mon = 10, written.tm_mday = 21, written.tm_hour = 15;
  written.tm_min = 30, written.tm_isdst = -1;
  std::filesystem::last_write_time(
      tempPath("Jobs/a.crd"), std::filesystem::file_time_type::clock::now() +
                                  (std::chrono::system_clock::from_time_t(std::mktime(&written)) -
                                   std::chrono::system_clock::now()));
  sim::answer(sim::Answer::fileName("T:\\Jobs\\a.crd"));
  const struct {
    const char* lisp;
    const char* answer;
  } cases[] = {
      {"(cf:recordproject \"t:\\\\jobs\\\\a.crd\")", "\"T:\\\\Jobs\\\\Site.ini\""},
      {"(cf:projectfolder \"crd\")", "\"T:\\\\JOBS\\\\\""},
      {"(cf:symbolpath \"tree\" \"T:\\\\Sym\\\\\")", "\"T:\\\\SYM\\\\TREE\""},
      {"(cf:symbolpath \"oak\" \"T:\\\\Sym\\\\\" T)", "nil"},
      {"(cf:symbolpath \"oak\" \"T:\\\\Sym\\\\\")",
       "nil | \nWarning: Symbol 'T:\\SYM\\OAK.DWG' does not exist.\n"},
      {"(cf:findsymbol \"mast\" T)", "\"T:\\\\SYM\\\\MAST.DWG\""},
      {"(cf:findsymbol \"pole\" T)", "\"T:\\\\SUPPORT\\\\POLE\""},
      {"(cf:findsymbol \"oak\" T)", "nil"},
      {"(cf:assoccommand \"road.crd\")", "\"edit.exe %1\""},
      {"(cf:assoccommand \"road.xyz\")", "nil"},
      {"(rtos (cf:filetime \"T:\\\\Jobs\\\\a.crd\") 2 0)", "\"200511211530\""},
      {"(cf:filetime \"T:\\\\Jobs\\\\none.crd\")", "0.0"},
      {"(cf:deletebackup \"T:\\\\Jobs\\\\Site.dwg\")", "\"T:\\\\Jobs\\\\Site.bak\""},
      {"(findfile \"T:\\\\Jobs\\\\Site.bak\")", "nil"},
      {"(mapcar 'cf:forbidden '(\"\" \" a:b \" \"ab\"))", "(T T nil)"},
      {"(cf:filedialog \"Points\" \"T:\\\\Jobs\\\\\" \"crd;txt\")", "\"T:\\\\Jobs\\\\a.crd\""},
      {"(cf:filedialog \"Points\" \"T:\\\\Jobs\\\\\" \"crd\" 1)", "nil"},
      {"(mapcar 'cf:isdirectory '(\"T:\\\\Jobs\" \"T:\\\\Jobs\\\\a.crd\"))", "(T nil)"},
      {"(cf:productini)", "\"quorvane.ini\""},
      {"(cf:drawingbase)", "\"Site\""},
      {"(cf:surfacestate \"T:\\\\Temp\\\\Site-surf.ini\")", "(1 1 \"EXIST2\" \"\")"},
      {"(cf:surfacestate \"T:\\\\Temp\\\\none.ini\")", "(0 1 \"\" \"\")"},
      {"(cf:surfacepath \"ex\")", "\"T:\\\\Temp\\\\Site-EXIST2.flt\""},
      {"(cf:surfacepath \"ex\" \"A\" -1)", "\"T:\\\\Temp\\\\SiteA-ex.flt\""},
      {"(progn (setq is_binary_tin 1) (cf:surfacepath \"ch\" nil 3))",
       "\"T:\\\\Temp\\\\Site-ch3.tin\""},
      {"(cf:changeext \"C:\\\\a.b\\\\name\" \"crd\")", "\"C:\\\\a.b\\\\name.crd\""},
      {"(cf:changeext \"name.txt\" \"crd\")", "\"name.crd\""},
      {"(cf:syncfile \"T:\\\\Jobs\\\\\" \"T:\\\\Temp\\\\\" \"a.crd\")", "T"},
      {"(cf:syncfile \"T:\\\\Jobs\\\\\" \"T:\\\\Temp\\\\\" \"a.crd\")", "nil"},
      {"(cf:syncfile \"T:\\\\Jobs\\\\\" \"T:\\\\Temp\\\\\" \"none.crd\")", "nil"},
      {"(cf:isdirectory 1)", "nil | ; error: bad argument type: stringp 1\n"},
      {"(cf:surfacepath \"ch\" nil 2.5)", "nil | ; error: bad argument type: fixnump: 2.5\n"},
      {"(cf:productini 1)", "nil | ; error: too many arguments\n"},
      {"(cf:syncfile \"a\" \"b\")", "nil | ; error: too few arguments\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.lisp), c.answer) << c.lisp;
  }
  EXPECT_TRUE(std::filesystem::exists(tempPath("Temp/a.crd")));
  std::ifstream project(tempPath("Jobs/Site.ini"));
  std::string line;
  EXPECT_TRUE(std::getline(project, line) && line == "PROJECT=T:\\JOBS\\A.CRD\r") << line;
}

TEST_F(FileServiceFunctionsTest, UnnamedDrawingHasNoProjectFileNorBaseName) {
  ASSERT_TRUE(sim::closeDocument(sim::currentDocument()));
  EXPECT_EQ(run("(list (cf:recordproject \"T:\\\\Jobs\\\\a.crd\") (cf:drawingbase))"),
            "(nil \"Drawing1\")");
  EXPECT_FALSE(std::filesystem::exists(tempPath("Jobs/Site.ini")));
}

} // namespace

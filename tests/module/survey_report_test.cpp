// The demo script examples/survey_report.lsp run in the stand-in host with the module loaded:
// it must finish without an error and print its report with the figures of its sample points.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "module_fixture.h"
#include "platform/win/sim_files.h"
#include "platform/win/sim_registry.h"
#include "settings/settings_store.h"

namespace {

class SurveyReportTest : public qvtest::ModuleFunctionTest {};

std::filesystem::path examplesFolder() {
  return std::filesystem::path(QV_TEST_DATA_DIR).parent_path().parent_path() / "examples";
}

TEST_F(SurveyReportTest, RunsEndToEndAndPrintsItsReport) {
  std::ifstream file(examplesFolder() / "survey_report.lsp", std::ios::binary);
  ASSERT_TRUE(file) << "examples/survey_report.lsp is missing";
  std::ostringstream script;
  script << file.rdbuf();
  sim::mapDrive('E', examplesFolder().string());
  sim::mapDrive('T', tempDir().string());
  char key[qv::settingsKeyPathSize];
  qv::settingsKeyPath(key);
  ASSERT_TRUE(
      sim::loadRegistry("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(key) + "]\r\n").ok);
  sim::evalLisp("(setq survey_dir$ \"E:\\\\data\\\\\" tmpdir$ \"T:\\\\\")");

  sim::takeCommandLine();
  std::string error;
  int line = 0;
  sim::evalLisp(script.str(), &error, &line);
  const std::string report = sim::takeCommandLine();
  ASSERT_EQ(error, "") << "line " << line << "\n" << report;
  const char* expected[] = {
      " 5 points read back from the record table",
      "\nP10    5036.603    1236.603    100.900  TREE\n",
      "\nP1-P2    N 30d00'00\" E      1+00.00    100'0\"      10 3/16\"     0.85%\n",
      "\nP3-P4    S 24d53'46\" E      3+50.60    150'7 3/16\" -2'7 3/16\"   -1.73%\n",
      "\nTotal length 4+02.36 (402'4 5/16\"), 2 control points\n",
      "\nDrawing remembers job: Highway 12\nRegistry remembers job: Highway 12\n",
  };
  for (const char* text : expected) {
    EXPECT_NE(report.find(text), std::string::npos) << text << "\nin:\n" << report;
  }
  for (const char* made : {"survey_points.xml", "survey_points.csv"}) {
    EXPECT_TRUE(std::filesystem::exists(tempDir() / made)) << made;
  }
}

} // namespace

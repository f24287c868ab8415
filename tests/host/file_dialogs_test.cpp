// The family's file dialogs and the drawing's project file over a realistic session.
#include <filesystem>
#include <fstream>

#include "module_fixture.h"
#include "platform/win/winuser.h"
#include "testing/failure_sweep.h"

namespace {

class FileDialogsTest : public qvtest::ModuleTest {
protected:
  void SetUp() override {
    ModuleTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS("the family's dialog is Windows' own (GetOpenFileNameA), which a "
                                  "person answers, and the stand-in's queue of answers is not");
    sim::mapDrive('C', tempDir().string());
    std::filesystem::create_directories(tempDir() / "User");
    for (const char* file : {"Jobs/Site.dwg", "Data/Crd/Road.crd", "Data/Txt/Notes.txt"}) {
      writeHost(file, "x");
    }
    std::strcpy(qv::userFolder, "C:\\USER\\");
    ASSERT_NE(sim::openDocument("C:\\Jobs\\Site.dwg"), 0);
  }
  // Runs getFileLocal (or getFile) with a null result string: its status and the path.
  std::pair<int, std::string> pick(const char* extensions, int flags, const char* defawlt = "",
                                   bool local = true) {
    resbuf result{};
    const int status = local ? qv::getFileLocal("Pick", defawlt, extensions, flags, &result)
                             : qv::getFile("Pick", defawlt, extensions, flags, &result);
    std::string path = result.resval.rstring != nullptr ? result.resval.rstring : "";
    acad_free(result.resval.rstring);
    lastType_ = result.restype;
    return {status, path};
  }
  short lastType_ = 0;
};

TEST_F(FileDialogsTest, ASessionKeepsTheNewestFileFirstAndEachExtensionsFolder) {
  sim::answer(sim::Answer::fileName("C:\\Data\\Crd\\Road.crd"));
  EXPECT_EQ(pick("crd;txt", 0), std::make_pair(RTNORM, std::string("C:\\Data\\Crd\\Road.crd")));
  sim::answer(sim::Answer::fileName("C:\\Data\\Txt\\Notes.txt"));
  EXPECT_EQ(pick("txt", 0).first, RTNORM);
  sim::answer(sim::Answer::fileName("C:\\Data\\Crd\\Road.crd"));
  EXPECT_EQ(pick("crd;txt", 0).first, RTNORM);
  EXPECT_EQ(readHost("Jobs/Site.ini"),
            "PROJECT=C:\\DATA\\CRD\\ROAD.CRD\r\nPROJECT=C:\\DATA\\TXT\\NOTES.TXT\r\n");
  const std::vector<sim::Asked> asked = sim::asked();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].call, "GetOpenFileNameA");
  EXPECT_EQ(asked[0].filter, "*.crd;*.txt|*.crd;*.txt");
  EXPECT_EQ(asked[1].call, "acedGetFileD");
  EXPECT_EQ(asked[2].defaultValue, "C:\\DATA\\CRD\\"); // the folder of the last .crd
  char folder[MAX_PATH];
  qv::projectFileFolder("txt", folder);
  EXPECT_STREQ(folder, "C:\\DATA\\TXT\\");
  qv::projectFileFolder("dwg", folder);
  EXPECT_STREQ(folder, "");

  sim::evalLisp("(setq do_ini 0)");
  sim::answer(sim::Answer::fileName("C:\\Data\\Txt\\Notes.txt"));
  EXPECT_EQ(pick("txt", 0).first, RTNORM);
  EXPECT_EQ(readHost("Jobs/Site.ini"),
            "PROJECT=C:\\DATA\\CRD\\ROAD.CRD\r\nPROJECT=C:\\DATA\\TXT\\NOTES.TXT\r\n");
}

TEST_F(FileDialogsTest, AnExistingNewFileAnsweredNoReopensOnThatName) {
  sim::answer(sim::Answer::fileName("C:\\Data\\Crd\\Road.crd"));
  sim::answer(sim::Answer::button(IDNO));
  sim::answer(sim::Answer::fileName("C:\\Data\\Crd\\Other.crd"));
  EXPECT_EQ(pick("crd", 1), std::make_pair(RTNORM, std::string("C:\\Data\\Crd\\Other.crd")));
  const std::vector<sim::Asked> asked = sim::asked();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].flags, 33);
  EXPECT_EQ(asked[1].call, "MessageBoxA");
  EXPECT_EQ(asked[1].prompt, "C:\\Data\\Crd\\Road.crd already exists.\nDo you want to replace it?");
  EXPECT_EQ(asked[1].filter, "Quorvane Message");
  EXPECT_EQ(asked[2].defaultValue, "C:\\Data\\Crd\\Road.crd");
  EXPECT_EQ(pick("crd", 0).first, RTCAN);
}

TEST_F(FileDialogsTest, TheFamilysFunctionAnswersFirst) {
  sim::defineLispFunction("cf:getfiled", [](const resbuf*) {
    return acutBuildList(RTSTR, "C:\\Data\\new.crd", RTNONE);
  });
  sim::evalLisp("(setq qvan_new_file \"1\")");
  char buffer[MAX_PATH] = "";
  resbuf result{};
  result.resval.rstring = buffer;
  EXPECT_EQ(qv::getFile("Pick", "", "crd", 0, &result), RTNORM);
  EXPECT_STREQ(buffer, "C:\\Data\\new.crd");
  EXPECT_EQ(result.restype, qv::kNewFileResult);
  sim::evalLisp("(setq qvan_new_file \"0\")");
  EXPECT_EQ(pick("crd", 0, "", false), std::make_pair(RTNORM, std::string("C:\\Data\\new.crd")));
  EXPECT_EQ(lastType_, RTSTR);
  sim::defineLispFunction("cf:getfiled", [](const resbuf*) { return acutNewRb(RTNIL); });
  EXPECT_EQ(pick("crd", 0, "", false).first, RTCAN);
  sim::undefineLispFunction("cf:getfiled");
  sim::answer(sim::Answer::fileName("C:\\Data\\Crd\\Road.crd")); // the local route
  EXPECT_EQ(pick("crd", 0, "", false).first, RTNORM);
}

TEST_F(FileDialogsTest, UnnamedDrawingsAndUnreadableHistoriesAreLeftAlone) {
  std::ofstream(tempPath("Jobs/Site.ini")) << "PROJECT=C:\\OLD\\A.CRD\nMODE=3\n";
  sim::failCall("fopen");
  qv::recordProjectFile("C:\\new.crd");
  EXPECT_EQ(readHost("Jobs/Site.ini"), "PROJECT=C:\\OLD\\A.CRD\nMODE=3\n");
  const std::string long_(400, 'L');
  qv::recordProjectFile(("C:\\" + long_ + ".crd").c_str());
  EXPECT_EQ(readHost("Jobs/Site.ini"),
            "PROJECT=C:\\" + long_ + ".CRD\r\nPROJECT=C:\\OLD\\A.CRD\r\nMODE=3\r\n");
  char folder[MAX_PATH] = "stale";
  qv::projectFileFolder("crd", folder); // the long line is read whole
  EXPECT_STREQ(folder, "C:\\");
  std::ifstream temp(tempPath("User/temp.txt"));
  EXPECT_TRUE(temp.good());

  sim::openDocument("C:\\Jobs\\Drawing.dwg");
  qv::recordProjectFile("C:\\new.crd");
  qv::projectFileFolder("crd", folder);
  EXPECT_STREQ(folder, "");
  EXPECT_FALSE(std::filesystem::exists(tempDir() / "Jobs/Drawing.ini"));
}

TEST_F(FileDialogsTest, FailuresKeepTheHistoryWhole) {
  std::ofstream(tempPath("Jobs/Site.ini")) << "PROJECT=C:\\OLD\\A.CRD\n";
  for (const char* call : {"fopen", "fwrite", "fclose", "MoveFileExA", "CreateFileA"}) {
    SCOPED_TRACE(call);
    qvtest::forEachFailure(call, [&](int) {
      qv::recordProjectFile("C:\\new.crd");
      const std::string text = readHost("Jobs/Site.ini");
      EXPECT_TRUE(text == "PROJECT=C:\\OLD\\A.CRD\n" ||
                  text == "PROJECT=C:\\NEW.CRD\r\nPROJECT=C:\\OLD\\A.CRD\r\n")
          << text;
    });
  }
  for (const char* call : {"GetOpenFileNameA", "acad_malloc"}) {
    SCOPED_TRACE(call);
    qvtest::forEachFailure(call, [&](int) {
      sim::answer(sim::Answer::fileName("C:\\Data\\Crd\\Road.crd"));
      const auto [status, path] = pick("crd;txt", 0);
      EXPECT_EQ(status == RTNORM, path == "C:\\Data\\Crd\\Road.crd");
      while (sim::pendingAnswers() > 0) {
        pick("crd;txt", 0); // an answer left by a failed dialog
      }
    });
  }
}

} // namespace

// "config.pik": the folder lines, files of every length, and the rewrite that fails whole.
#include <string>
#include <tuple>

#include "platform/sim.h"
#include "settings/settings.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class ConfigPikTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS("the installation folder is seeded in the stand-in's registry");
    sim::mapDrive('C', tempDir().string());
    install("C:\\\\");
  }
  static void install(const std::string& folder) {
    ASSERT_TRUE(sim::loadRegistry("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Maradel "
                                  "Software\\Quorvane\\2007\\400-12345678]\r\n\"PATH_R15\"=\"" +
                                  folder + "\"\r\n")
                    .ok);
  }
};

TEST_F(ConfigPikTest, WritesTheDriveAndTheFolderOnLinesThreeAndFour) {
  const std::string longLine(300, 'L');
  // A label, the folder, config.pik before and after.
  const std::tuple<const char*, const char*, std::string, std::string> cases[] = {
      {"drive letter", "D:/data/jobs", "1\r\n2\r\n3\r\n4\r\n5\r\n",
       "1\r\n2\r\nD:\r\n\\data\\jobs\r\n5\r\n"},
      {"no drive letter", "//srv/jobs", "1\r\n2\r\n3\r\n4\r\n", "1\r\n2\r\n3\r\n\\\\srv\\jobs\r\n"},
      {"long lines count once", "E:x", longLine + "\r\n" + longLine + "\r\n3\r\n4",
       longLine + "\r\n" + longLine + "\r\nE:\r\nx\r\n"},
      {"three lines", "D:\\a", "1\r\n2\r\n3", "1\r\n2\r\nD:\r\n"},
      {"two lines", "D:\\a", "1\r\n2", "1\r\n2"},
      {"empty", "D:\\a", "", ""},
  };
  for (const auto& [label, folder, before, after] : cases) {
    writeHost("config.pik", before);
    EXPECT_EQ(qv::updateConfigPikPath(folder), 1) << label;
    EXPECT_EQ(readHost("config.pik"), after) << label;
  }
  install("C:/");
  writeHost("config.pik", "1\r\n2\r\n3\r\n4\r\n");
  EXPECT_EQ(qv::updateConfigPikPath("F:/x"), 1) << "a folder ending with a slash";
  EXPECT_EQ(readHost("config.pik"), "1\r\n2\r\nF:\r\n\\x\r\n");
  install("C:");
  EXPECT_EQ(qv::updateConfigPikPath("F:/x"), 1) << "separator added";
  sim::reset();
  EXPECT_EQ(qv::updateConfigPikPath("F:/y"), 0) << "no installation folder";
  EXPECT_EQ(readHost("config.pik"), "1\r\n2\r\nF:\r\n\\x\r\n");
}

TEST_F(ConfigPikTest, AFailedRewriteKeepsTheOldFile) {
  const std::string before = "1\r\n2\r\n3\r\n4\r\n";
  const std::string after = "1\r\n2\r\nD:\r\n\\w\r\n";
  for (const char* call :
       {"RegOpenKeyExA", "RegQueryValueExA", "fopen", "fread", "fwrite", "fclose", "MoveFileExA"}) {
    SCOPED_TRACE(call);
    const int points = qvtest::forEachFailure(call, [&](int) {
      writeHost("config.pik", before);
      const int done = qv::updateConfigPikPath("D:/w");
      EXPECT_EQ(readHost("config.pik"), done == 1 ? after : before);
    });
    EXPECT_GE(points, 1);
  }
  EXPECT_FALSE(std::filesystem::exists(tempPath("qvanrprt.tmp")));
}

} // namespace

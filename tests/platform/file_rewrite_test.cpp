// Rewriting through a temporary file: the old file is replaced only by whole new content.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sim.h"
#include "platform/win/file_rewrite.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class FileRewriteTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    sim::mapDrive('U', tempDir().string());
    std::ofstream(tempPath("dialogs.ini"), std::ios::binary) << "old=1\r\n";
  }
  std::string readHost(const std::string& name) {
    std::ifstream in(tempPath(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  bool exists(const std::string& name) { return std::filesystem::exists(tempPath(name)); }
};

TEST_F(FileRewriteTest, WholeContentReplacesTheFileUnderTheGivenTemporaryName) {
  qv::QvFileRewrite rewrite("U:\\DIALOGS.INI", "dialogs.new");
  ASSERT_NE(rewrite.file(), nullptr);
  EXPECT_EQ(rewrite.tempPath(), "U:\\dialogs.new");
  fputs("new=2\n", rewrite.file());
  EXPECT_TRUE(exists("dialogs.new"));
  EXPECT_EQ(readHost("dialogs.ini"), "old=1\r\n");
  EXPECT_EQ(rewrite.commit(), 1);
  EXPECT_EQ(readHost("dialogs.ini"), "new=2\r\n");
  EXPECT_FALSE(exists("dialogs.new"));
  EXPECT_EQ(rewrite.commit(), 0);
}

TEST_F(FileRewriteTest, ANewFileIsCreatedAndATemporaryPathIsKept) {
  std::filesystem::create_directory(tempPath("tmp"));
  qv::QvFileRewrite rewrite("U:\\fresh.txt", "U:\\tmp\\temp.txt", "wb");
  ASSERT_NE(rewrite.file(), nullptr);
  fputs("x\n", rewrite.file());
  EXPECT_TRUE(exists("tmp/temp.txt"));
  EXPECT_EQ(rewrite.commit(), 1);
  EXPECT_EQ(readHost("fresh.txt"), "x\n");
  EXPECT_FALSE(exists("tmp/temp.txt"));
}

TEST_F(FileRewriteTest, AFailedWriteCloseOrRenameKeepsTheOldFile) {
  for (const char* call : {"fwrite", "fclose", "MoveFileExA"}) {
    const int points = qvtest::forEachFailure(call, [&](int) {
      qv::QvFileRewrite rewrite("U:\\dialogs.ini", "dialogs.new");
      ASSERT_NE(rewrite.file(), nullptr);
      fputs("new\n", rewrite.file());
      if (rewrite.commit() == 0) {
        EXPECT_EQ(readHost("dialogs.ini"), "old=1\r\n");
      } else {
        EXPECT_EQ(readHost("dialogs.ini"), "new\r\n");
        std::ofstream(tempPath("dialogs.ini"), std::ios::binary) << "old=1\r\n";
      }
      EXPECT_FALSE(exists("dialogs.new"));
    });
    EXPECT_EQ(points, 1) << call; // one write, one close, one rename
  }
  sim::failCall("fopen");
  qv::QvFileRewrite unopened("U:\\dialogs.ini", "dialogs.new");
  EXPECT_EQ(unopened.file(), nullptr);
  EXPECT_EQ(unopened.commit(), 0);
  EXPECT_EQ(readHost("dialogs.ini"), "old=1\r\n");
}

TEST_F(FileRewriteTest, AbandonedOrDestroyedRewritesLeaveNothingBehind) {
  {
    qv::QvFileRewrite rewrite("U:\\dialogs.ini", nullptr);
    ASSERT_NE(rewrite.file(), nullptr);
    EXPECT_EQ(rewrite.tempPath(), "U:\\dialogs.ini.new");
    fputs("never\n", rewrite.file());
  }
  EXPECT_FALSE(exists("dialogs.ini.new"));
  EXPECT_EQ(readHost("dialogs.ini"), "old=1\r\n");
  EXPECT_EQ(sim::openFiles(), 0);
  // An old file held open by a reader cannot be replaced: the rewrite fails and keeps it.
  FILE* reader = _fsopen("U:\\dialogs.ini", "r", _SH_DENYNO);
  ASSERT_NE(reader, nullptr);
  qv::QvFileRewrite blocked("U:\\dialogs.ini", "dialogs.new");
  ASSERT_NE(blocked.file(), nullptr);
  fputs("new\n", blocked.file());
  EXPECT_EQ(blocked.commit(), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(fclose(reader), 0);
  EXPECT_EQ(readHost("dialogs.ini"), "old=1\r\n");
}

} // namespace

// Folder and path checks, backups, binary copies and time stamps on real files.
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>

#include "host/file_operations.h"
#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class FileOperationsTest : public qvtest::HostTest {
protected:
  FileOperationsTest() : HostTest('C') {}
  void SetUp() override {
    HostTest::SetUp();
    writeHost("Jobs.2024/Site.dwg", "dwg");
    writeHost("Jobs.bak", "keep");
    writeHost("Jobs.2024/Site.bak", "old");
  }
};

TEST_F(FileOperationsTest, FolderAndPathChecks) {
  const std::pair<const char*, int> folders[] = {
      {"C:\\JOBS.2024", 1}, {"c:/jobs.2024/", 1}, {"C:\\JOBS.2024\\SITE.DWG", 0}, {"C:\\NONE", 0}};
  for (const auto& [path, expected] : folders) {
    EXPECT_EQ(qv::isDirectory(atDrive(path).c_str()), expected) << path;
  }
  const std::pair<const char*, int> texts[] = {
      {"", 1},
      {"C:\\JOBS.2024\\", 1},
      {"C:\\JOBS.2024", 0},
      {"C:\\NONE\\", 0},
      {"\\", 0},
      {"C:\\JOBS.2024\\SITE.DWG", 0},
      {"JOBS\\A.TXT", 0},
      {"JOBS\\", 1},
      {"plain name", 1},
      {"..\\x.txt", 0},
  };
  for (const auto& [path, expected] : texts) {
    EXPECT_EQ(qv::validatePathText(atDrive(path).c_str()), expected) << path;
  }
}

TEST_F(FileOperationsTest, DeleteBackupTakesTheExtensionOfTheNameOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\JOBS.2024\\SITE", "C:\\JOBS.2024\\SITE.bak"},
      {"C:\\JOBS.2024\\SITE.DWG", "C:\\JOBS.2024\\SITE.bak"},
  };
  for (const auto& [given, backup] : cases) {
    writeHost("Jobs.2024/Site.bak", "old");
    char path[512];
    std::strcpy(path, atDrive(given).c_str());
    qv::deleteBackupOf(path);
    EXPECT_EQ(path, atDrive(backup));
    EXPECT_FALSE(std::filesystem::exists(tempDir() / "Jobs.2024/Site.bak")) << given;
    EXPECT_EQ(readHost("Jobs.bak"), "keep");
  }
  char tight[] = "C:\\A";
  qv::deleteBackupOf(tight);
  EXPECT_STREQ(tight, "C:\\A");
}

TEST_F(FileOperationsTest, CopiesBytesAndRefusesTheSameFile) {
  const std::string bytes("line\r\nbare\n\x1a tail\0end", 22);
  writeHost("image.bin", bytes);
  EXPECT_EQ(qv::copyFile(atDrive("C:\\IMAGE.BIN").c_str(), atDrive("C:\\copy.bin").c_str()), 1);
  EXPECT_EQ(readHost("copy.bin"), bytes);
  EXPECT_EQ(qv::copyFile(atDrive("C:\\image.bin").c_str(), atDrive("c:/IMAGE.BIN").c_str()), 0);
  EXPECT_EQ(readHost("image.bin"), bytes);
  writeHost("target.bin", "target");
  EXPECT_EQ(qv::copyFile(atDrive("C:\\missing.bin").c_str(), atDrive("C:\\target.bin").c_str()), 0);
  EXPECT_EQ(readHost("target.bin"), "target");
  writeHost("big.bin", std::string(3 * 4096 + 5, 'x'));
  for (const char* call : {"fopen", "fread", "fwrite", "fclose"}) {
    SCOPED_TRACE(call);
    qvtest::forEachFailure(call, [&](int) {
      if (qv::copyFile(atDrive("C:\\big.bin").c_str(), atDrive("C:\\out.bin").c_str()) == 1) {
        EXPECT_EQ(readHost("out.bin"), readHost("big.bin"));
      }
    });
  }
  std::filesystem::remove(tempDir() / "out.bin");
  EXPECT_EQ(qv::copyFile(atDrive("C:\\big.bin").c_str(), atDrive("C:\\out.bin").c_str()), 1);
  EXPECT_EQ(readHost("out.bin"), readHost("big.bin"));
}

TEST_F(FileOperationsTest, TimeStampIsTheLocalLastWrite) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
  const std::time_t bias = _mkgmtime(&local) - now; // Windows applies today's bias
#else
  localtime_r(&now, &local);
  const std::time_t bias = local.tm_gmtoff; // Windows applies today's bias
#endif
  std::tm wanted{};
  wanted.tm_year = 105;
  wanted.tm_mon = 10;
  wanted.tm_mday = 21;
  wanted.tm_hour = 15;
  wanted.tm_min = 30;
#ifdef _WIN32
  const std::time_t utc = _mkgmtime(&wanted) - bias;
#else
  const std::time_t utc = timegm(&wanted) - bias;
#endif
  const auto stamp = std::filesystem::file_time_type::clock::from_sys(
      std::chrono::system_clock::from_time_t(utc) + std::chrono::seconds(12));
  std::filesystem::last_write_time(tempDir() / "Jobs.2024/Site.dwg", stamp);
  EXPECT_EQ(qv::fileTimeStamp(atDrive("C:\\jobs.2024\\site.dwg").c_str()), 200511211530.0);
  EXPECT_EQ(qv::fileTimeStamp(atDrive("C:\\none.dwg").c_str()), 0.0);
  QV_SKIP_UNLESS_FAILABLE("CreateFileA");
  for (const char* call : {"CreateFileA", "GetFileTime"}) {
    sim::failCall(call);
    EXPECT_EQ(qv::fileTimeStamp(atDrive("C:\\jobs.2024\\site.dwg").c_str()), 0.0);
  }
}

} // namespace

// Windows paths on the host: drive and share mapping, both separators, case-insensitive lookup,
// searches with wildcards, attributes, delete and move with Windows' error codes.
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"
#include "testing/test_environment.h"

namespace {

class FilePathsTest : public qvtest::HostTest {
protected:
  FilePathsTest() : HostTest('Q') {}
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS(
        "drive and share maps to the stand-in's folders, found without regard to case");
  }
  std::set<std::string> findAll(const std::string& pattern) {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
      return names;
    }
    do {
      names.insert(data.cFileName);
    } while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    return names;
  }
};

TEST_F(FilePathsTest, DriveLettersAndBothSeparatorsReachTheMappedFolder) {
  writeHost("Data/Points.txt", "x");
  const std::string expected = tempPath("Data/Points.txt");
  EXPECT_EQ(sim::hostPath("Q:\\Data\\Points.txt"), expected);
  EXPECT_EQ(sim::hostPath("q:/Data/Points.txt"), expected);
  EXPECT_EQ(sim::hostPath("Q:\\Data/./Other\\..\\Points.txt"), expected);
  EXPECT_EQ(sim::hostPath("Q:\\Data\\Points.txt. "), expected); // trailing dots and spaces go
  EXPECT_EQ(sim::hostPath("R:\\Data\\Points.txt"), "");         // R: is not mapped
  EXPECT_EQ(GetFileAttributesA("R:\\Data\\Points.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(sim::hostPath("Q:\\a|b"), "");
  EXPECT_EQ(sim::hostPath(std::string(300, 'a')), "");
}

TEST_F(FilePathsTest, EachComponentIsFoundWithoutRegardToCase) {
  writeHost("Survey Data/job1/POINTS.csv", "1,2,3");
  EXPECT_EQ(sim::hostPath("Q:\\SURVEY DATA\\JOB1\\points.CSV"),
            tempPath("Survey Data/job1/POINTS.csv"));
  EXPECT_EQ(GetFileAttributesA("Q:\\survey data\\Job1\\Points.Csv"),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  // A missing last name keeps its spelling (a file to create); a missing folder is a path error.
  EXPECT_EQ(sim::hostPath("Q:\\SURVEY DATA\\New.txt"), tempPath("Survey Data/New.txt"));
  EXPECT_EQ(GetFileAttributesA("Q:\\SURVEY DATA\\New.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesA("Q:\\Missing\\New.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  // The exact name wins over one that differs only in case.
  writeHost("Survey Data/job1/points.csv", "exact");
  EXPECT_EQ(sim::hostPath("Q:\\survey data\\job1\\points.csv"),
            tempPath("Survey Data/job1/points.csv"));
}

TEST_F(FilePathsTest, HostPathsAndRelativePathsWork) {
  writeHost("rel/a.txt", "x");
  EXPECT_EQ(sim::hostPath(tempPath("REL/A.TXT")), tempPath("rel/a.txt"));
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(tempDir());
  EXPECT_EQ(sim::hostPath("Rel\\A.txt"), tempPath("rel/a.txt"));
  std::filesystem::current_path(previous);
}

TEST_F(FilePathsTest, SharesAndTheEnvironmentSettingMapFolders) {
  writeHost("share/x.txt", "x");
  sim::mapShare("\\\\Server\\Jobs", tempPath("share"));
  EXPECT_EQ(sim::hostPath("\\\\SERVER\\jobs\\X.TXT"), tempPath("share/x.txt"));
  EXPECT_EQ(GetFileAttributesA("\\\\other\\jobs\\x.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_NETPATH));

  const std::string setting = "D=" + tempPath("share") + ";E=" + tempDir().string();
  qvtest::setEnvironment("QV_DRIVES", setting.c_str());
  sim::reset(); // a new session reads the setting at its first file call
  EXPECT_EQ(sim::hostPath("d:\\X.txt"), tempPath("share/x.txt"));
  qvtest::setEnvironment("QV_DRIVES", nullptr);
  EXPECT_EQ(sim::hostPath("E:\\Share\\x.txt"), tempPath("share/x.txt"));
  EXPECT_EQ(sim::hostPath("Q:\\x.txt"), ""); // the reset forgot the drive mapped by hand
}

TEST_F(FilePathsTest, SearchesMatchWildcardsWithoutRegardToCase) {
  writeHost("dir/Alpha.TXT", "aa");
  writeHost("dir/beta.txt", "b");
  writeHost("dir/gamma.csv", "g");
  writeHost("dir/README", "r");
  writeHost("dir/sub/inner.txt", "i");
  EXPECT_EQ(findAll("Q:\\DIR\\*.txt"), (std::set<std::string>{"Alpha.TXT", "beta.txt"}));
  EXPECT_EQ(findAll("Q:\\dir\\?eta.*"), (std::set<std::string>{"beta.txt"}));
  EXPECT_EQ(findAll("Q:\\dir\\*."), (std::set<std::string>{".", "..", "README", "sub"}));
  EXPECT_EQ(findAll("Q:\\dir\\*.*"), (std::set<std::string>{".", "..", "Alpha.TXT", "beta.txt",
                                                            "gamma.csv", "README", "sub"}));
  EXPECT_EQ(findAll("Q:\\dir\\alpha.txt"), (std::set<std::string>{"Alpha.TXT"}));
  EXPECT_EQ(findAll("Q:\\*"), (std::set<std::string>{"dir"})); // a drive root has no . and ..

  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA("Q:\\dir\\A*", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "Alpha.TXT");
  EXPECT_EQ(data.nFileSizeLow, 2u);
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
  EXPECT_EQ(sim::openSearches(), 1);
  EXPECT_TRUE(FindClose(search));
  EXPECT_FALSE(FindClose(search));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  EXPECT_EQ(FindFirstFileA("Q:\\dir\\*.xyz", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFileA("Q:\\nothere\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(FindFirstFileA("Q:\\dir\\", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesA("Q:\\DIR\\SUB"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(FilePathsTest, DeleteAndMoveKeepWindowsRules) {
  writeHost("a.txt", "old a");
  writeHost("b.txt", "old b");
  EXPECT_FALSE(MoveFileExA("Q:\\A.TXT", "Q:\\B.TXT", 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(MoveFileExA("Q:\\A.TXT", "Q:\\B.TXT", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(readHost("b.txt"), "old a");
  EXPECT_FALSE(std::filesystem::exists(tempPath("a.txt")));
  EXPECT_FALSE(MoveFileA("Q:\\a.txt", "Q:\\c.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  EXPECT_TRUE(MoveFileA("Q:\\b.txt", "Q:\\B.TXT")); // a change of case renames
  EXPECT_TRUE(std::filesystem::exists(tempPath("B.TXT")));
  EXPECT_FALSE(std::filesystem::exists(tempPath("b.txt")));

  std::filesystem::permissions(tempPath("B.TXT"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_EQ(GetFileAttributesA("Q:\\b.txt") & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(DeleteFileA("Q:\\b.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  std::filesystem::permissions(tempPath("B.TXT"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_TRUE(DeleteFileA("Q:\\b.txt"));
  EXPECT_FALSE(DeleteFileA("Q:\\b.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  EXPECT_TRUE(CreateDirectoryA("Q:\\New", nullptr));
  EXPECT_FALSE(CreateDirectoryA("q:\\new", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(DeleteFileA("Q:\\new"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  writeHost("New/x", "x");
  EXPECT_FALSE(RemoveDirectoryA("Q:\\NEW"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_TRUE(DeleteFileA("Q:\\new\\X"));
  EXPECT_TRUE(RemoveDirectoryA("Q:\\NEW"));
}

TEST_F(FilePathsTest, CallsFailOnPurpose) {
  writeHost("a.txt", "a");
  sim::failCall("MoveFileExA");
  EXPECT_FALSE(MoveFileExA("Q:\\a.txt", "Q:\\b.txt", 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(std::filesystem::exists(tempPath("a.txt")));
  sim::failCall("DeleteFileA");
  EXPECT_FALSE(DeleteFileA("Q:\\a.txt"));
  sim::failCall("GetFileAttributesA");
  EXPECT_EQ(GetFileAttributesA("Q:\\a.txt"), INVALID_FILE_ATTRIBUTES);
  WIN32_FIND_DATAA data;
  sim::failCall("FindFirstFileA");
  EXPECT_EQ(FindFirstFileA("Q:\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_TRUE(DeleteFileA("Q:\\a.txt"));
}

TEST_F(FilePathsTest, StatAndAccessReportAsTheRuntimeDoes) {
  writeHost("f.bin", std::string(1234, 'x'));
  struct _stat info;
  ASSERT_EQ(_stat("Q:\\F.BIN", &info), 0);
  EXPECT_EQ(info.st_size, 1234);
  EXPECT_EQ(info.st_mode & _S_IFMT, _S_IFREG);
  EXPECT_NE(info.st_mode & _S_IWRITE, 0);
  EXPECT_EQ(info.st_dev, static_cast<uint32_t>('Q' - 'A'));
  EXPECT_GT(info.st_mtime, 0);
  ASSERT_EQ(_stat("Q:\\", &info), 0);
  EXPECT_EQ(info.st_mode & _S_IFMT, _S_IFDIR);
  EXPECT_EQ(_stat("Q:\\none", &info), -1);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(_access("q:\\f.bin", 6), 0);
  EXPECT_EQ(_access("q:\\none", 0), -1);
  EXPECT_EQ(_access("q:\\f.bin", 1), -1); // not a mode Windows knows
  EXPECT_EQ(errno, EINVAL);
  EXPECT_EQ(_unlink("Q:\\F.bin"), 0);
  EXPECT_EQ(_unlink("Q:\\F.bin"), -1);
  EXPECT_EQ(errno, ENOENT);
}

} // namespace

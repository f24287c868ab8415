// CreateFileA's dispositions and sharing, the times and size of an open file, and CloseHandle.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sim.h"
#include "platform/win/share.h"
#include "platform/win/stdio_win.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class FileHandlesTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    useDrive('F');
    std::ofstream(tempPath("Data.txt"), std::ios::binary) << "12345";
  }
};

TEST_F(FileHandlesTest, DispositionsCreateOpenAndTruncateAsWindowsDoes) {
  HANDLE file = CreateFileA(onDrive("DATA.TXT").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  DWORD high = 99;
  EXPECT_EQ(GetFileSize(file, &high), 5u);
  EXPECT_EQ(high, 0u);
  FILETIME written{};
  EXPECT_TRUE(GetFileTime(file, nullptr, nullptr, &written));
  EXPECT_NE(written.dwHighDateTime, 0u);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(onDrive("data.txt").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(found.ftLastWriteTime.dwHighDateTime, written.dwHighDateTime);
  EXPECT_EQ(found.ftLastWriteTime.dwLowDateTime, written.dwLowDateTime);
  EXPECT_TRUE(FindClose(search));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(GetFileTime(file, nullptr, nullptr, &written));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  EXPECT_EQ(
      CreateFileA(onDrive("none.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
      INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(
      CreateFileA(onDrive("data.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr),
      INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

  file =
      CreateFileA(onDrive("data.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(readHost("Data.txt"), "12345");
  file = CreateFileA(onDrive("data.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                     nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(readHost("Data.txt"), "");
  file = CreateFileA(onDrive("new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_TRUE(std::filesystem::exists(tempPath("new.txt")));
  // Truncating needs GENERIC_WRITE. Wine opens (and truncates) without it.
  file = CreateFileA(onDrive("new.txt").c_str(), GENERIC_READ, 0, nullptr, TRUNCATE_EXISTING, 0,
                     nullptr);
  if (!sim::runsOnWine()) {
    EXPECT_EQ(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  } else if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
  }
}

TEST_F(FileHandlesTest, FoldersNeedBackupSemantics) {
  std::filesystem::create_directory(tempPath("Folder"));
  EXPECT_EQ(CreateFileA(onDrive("folder").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                        OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  HANDLE folder = CreateFileA(onDrive("folder").c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(folder, INVALID_HANDLE_VALUE);
  FILETIME times[3];
  EXPECT_TRUE(GetFileTime(folder, &times[0], &times[1], &times[2]));
  EXPECT_EQ(GetFileSize(folder, nullptr), 0u);
  EXPECT_TRUE(CloseHandle(folder));
}

TEST_F(FileHandlesTest, HandlesAndStreamsShareByWindowsRules) {
  HANDLE reader = CreateFileA(onDrive("data.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(_fsopen(onDrive("data.txt").c_str(), "a", _SH_DENYNO),
            nullptr); // the handle shares no writing
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  FILE* stream = _fsopen(onDrive("data.txt").c_str(), "r", _SH_DENYNO);
  ASSERT_NE(stream, nullptr);
  EXPECT_FALSE(DeleteFileA(onDrive("data.txt").c_str()));
  EXPECT_EQ(fclose(stream), 0);
  EXPECT_TRUE(CloseHandle(reader));
  // A handle that shares deletion lets the file be deleted; one that only reads facts blocks
  // no reader or writer.
  HANDLE facts = CreateFileA(onDrive("data.txt").c_str(), 0,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(facts, INVALID_HANDLE_VALUE);
  FILE* writer = _fsopen(onDrive("data.txt").c_str(), "w", _SH_DENYNO);
  ASSERT_NE(writer, nullptr);
  EXPECT_EQ(fclose(writer), 0);
  EXPECT_TRUE(DeleteFileA(onDrive("data.txt").c_str()));
  EXPECT_TRUE(CloseHandle(facts));
  EXPECT_EQ(sim::openFiles(), 0);

  QV_SKIP_UNLESS_FAILABLE("CreateFileA");
  sim::failCall("CreateFileA");
  EXPECT_EQ(
      CreateFileA(onDrive("x.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
      INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(std::filesystem::exists(tempPath("x.txt")));
}

TEST_F(FileHandlesTest, ReadOnlyFilesRefuseWriting) {
  std::filesystem::permissions(tempPath("Data.txt"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_NE(GetFileAttributesA(onDrive("data.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  // Wine keeps the attribute as the Unix file's lack of write permission, which root (as the
  // tests run here) passes over.
  if (!sim::runsOnWine()) {
    EXPECT_EQ(CreateFileA(onDrive("data.txt").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                          nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(_fsopen(onDrive("data.txt").c_str(), "w", _SH_DENYNO), nullptr);
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(readHost("Data.txt"), "12345");
  }
  FILE* reader = _fsopen(onDrive("data.txt").c_str(), "r", _SH_DENYNO);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(fclose(reader), 0);
}

} // namespace

// CreateProcessA running real programs: finding the program, its arguments, folder and
// environment, waiting for it, its exit code, and the errors Windows gives.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

STARTUPINFOA startupInfo() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return startup;
}

class ProcessesTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    sim::mapDrive('K', tempDir().string());
    std::ofstream(tempPath("run")) << "#!/bin/sh\nprintf '%s|' \"$@\" > args.txt\nexit 7\n";
    std::filesystem::permissions(tempPath("run"), std::filesystem::perms::owner_all);
    std::ofstream(tempPath("plain.txt")) << "not a program";
  }
  void TearDown() override {
    EXPECT_EQ(sim::liveHandles(), 0) << "process handles left open";
    HostTest::TearDown();
  }
  // Runs the command to its end; its exit code, or -1 when it did not start.
  int64_t run(const char* app, std::string line, const char* folder = "K:\\",
              void* environment = nullptr) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(app, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, environment,
                        folder, &startup, &started)) {
      return -1;
    }
    EXPECT_EQ(WaitForSingleObject(started.hProcess, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(started.hProcess, &code));
    EXPECT_TRUE(CloseHandle(started.hThread));
    EXPECT_TRUE(CloseHandle(started.hProcess));
    return code;
  }
  std::string argsWritten() {
    std::ifstream in(tempPath("args.txt"));
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
};

TEST_F(ProcessesTest, RunsProgramsWithTheRuntimesArgumentRules) {
  struct Case {
    const char* app;
    const char* line;
    const char* args;
  };
  const Case cases[] = {
      {nullptr, "K:\\RUN a \"b c\" d", "a|b c|d|"},
      {"K:\\run", "run \"x \\\"y\\\"\" a\\\\b \\\\\"z w\"", "x \"y\"|a\\\\b|\\z w|"},
      {"k:/Run", nullptr, "|"}, // printf prints its format once without arguments
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line != nullptr ? c.line : c.app);
    STARTUPINFOA startup = startupInfo();
    PROCESS_INFORMATION started{};
    std::string line = c.line != nullptr ? c.line : "";
    ASSERT_TRUE(CreateProcessA(c.app, c.line != nullptr ? line.data() : nullptr, nullptr, nullptr,
                               FALSE, 0, nullptr, "K:\\", &startup, &started));
    EXPECT_EQ(WaitForSingleObject(started.hThread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(started.hProcess, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(argsWritten(), c.args);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
}

TEST_F(ProcessesTest, SearchesThePathAndPassesFolderAndEnvironment) {
  EXPECT_EQ(run(nullptr, "sh -c \"exit 3\""), 3);
  char environment[] = "QV_CODE=42\0";
  EXPECT_EQ(run(nullptr, "sh -c \"exit $QV_CODE\"", "K:\\", environment), 42);
  EXPECT_EQ(run(nullptr, "sh -c \"pwd > where.txt\""), 0);
  std::ifstream where(tempPath("where.txt"));
  std::string folder;
  std::getline(where, folder);
  EXPECT_TRUE(std::filesystem::equivalent(folder, tempDir()));
}

TEST_F(ProcessesTest, WaitsWithATimeOutAndReportsStillActive) {
  STARTUPINFOA startup = startupInfo();
  PROCESS_INFORMATION started{};
  char line[] = "sh -c \"sleep 0.3\"";
  ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &started));
  EXPECT_EQ(WaitForSingleObject(started.hProcess, 10), WAIT_TIMEOUT);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(started.hProcess, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(started.hProcess, 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeProcess(started.hProcess, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(CloseHandle(started.hProcess));
  EXPECT_TRUE(CloseHandle(started.hThread));
  EXPECT_FALSE(GetExitCodeProcess(started.hProcess, &code));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ProcessesTest, RefusesWhatWindowsRefuses) {
  struct Case {
    const char* line;
    const char* folder;
    DWORD flags;
    DWORD error;
  };
  const Case cases[] = {
      {"K:\\missing.exe", "K:\\", 0, ERROR_FILE_NOT_FOUND},
      {"K:\\nofolder\\run", "K:\\", 0, ERROR_PATH_NOT_FOUND},
      {"K:\\plain.txt", "K:\\", 0, ERROR_BAD_EXE_FORMAT},
      {"K:\\run", "K:\\nofolder", 0, ERROR_DIRECTORY},
      {"K:\\run", "K:\\", CREATE_SUSPENDED, ERROR_NOT_SUPPORTED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    STARTUPINFOA startup = startupInfo();
    PROCESS_INFORMATION started{};
    std::string line = c.line;
    EXPECT_FALSE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, c.flags, nullptr,
                                c.folder, &startup, &started));
    EXPECT_EQ(GetLastError(), c.error);
  }
  qvtest::forEachFailure("CreateProcessA",
                         [&](int nth) { EXPECT_EQ(run(nullptr, "K:\\run"), nth == 1 ? -1 : 7); });
}

} // namespace

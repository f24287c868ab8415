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

class ProcessesTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS(
        "the programs started are shell scripts of the stand-in's system");
    sim::mapDrive('K', tempDir().string());
    std::ofstream(tempPath("run")) << "#!/bin/sh\nprintf '%s|' \"$@\" > args.txt\nexit 7\n";
    std::filesystem::permissions(tempPath("run"), std::filesystem::perms::owner_all);
    std::ofstream(tempPath("plain.txt")) << "not a program";
  }
  // Starts the program: its handles, or false with GetLastError set.
  bool start(const char* app, const char* line, PROCESS_INFORMATION& started,
             const char* folder = "K:\\", void* environment = nullptr, DWORD flags = 0) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string text = line != nullptr ? line : "";
    return CreateProcessA(app, line != nullptr ? text.data() : nullptr, nullptr, nullptr, FALSE,
                          flags, environment, folder, &startup, &started) != FALSE;
  }
  // Runs the program to its end: its exit code, or -1 when it did not start.
  int64_t run(const char* app, const char* line, void* environment = nullptr) {
    PROCESS_INFORMATION started{};
    if (!start(app, line, started, "K:\\", environment)) {
      return -1;
    }
    EXPECT_EQ(WaitForSingleObject(started.hThread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(started.hProcess, &code));
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return code;
  }
};

TEST_F(ProcessesTest, RunsProgramsWithTheRuntimesArgumentRules) {
  struct Case {
    const char* app;
    const char* line;
    int64_t code;
    const char* args;
  };
  const Case cases[] = {
      {nullptr, "K:\\RUN a \"b c\" d", 7, "a|b c|d|"},
      {"K:\\run", "run \"x \\\"y\\\"\" a\\\\b \\\\\"z w\"", 7, "x \"y\"|a\\\\b|\\z w|"},
      {"k:/Run", nullptr, 7, "|"}, // printf prints its format once without arguments
      {nullptr, "sh -c \"pwd > args.txt; exit 3\"", 3, nullptr}, // found along PATH
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line != nullptr ? c.line : c.app);
    EXPECT_EQ(run(c.app, c.line), c.code);
    if (c.args != nullptr) {
      EXPECT_EQ(readHost("args.txt"), c.args);
    }
  }
  EXPECT_TRUE(std::filesystem::equivalent(readHost("args.txt").substr(0, tempDir().string().size()),
                                          tempDir()));
  char environment[] = "QV_CODE=42\0";
  EXPECT_EQ(run(nullptr, "sh -c \"exit $QV_CODE\"", environment), 42);
}

TEST_F(ProcessesTest, WaitsWithATimeOutAndReportsStillActive) {
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(start(nullptr, "sh -c \"sleep 0.3\"", started));
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
    PROCESS_INFORMATION started{};
    EXPECT_FALSE(start(nullptr, c.line, started, c.folder, nullptr, c.flags)) << c.line;
    EXPECT_EQ(GetLastError(), c.error) << c.line;
  }
  qvtest::forEachFailure("CreateProcessA",
                         [&](int nth) { EXPECT_EQ(run(nullptr, "K:\\run"), nth == 1 ? -1 : 7); });
}

} // namespace

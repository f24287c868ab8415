// Base fixture of every test: a fresh stand-in session and temporary folder before the test, and
// after it the check that nothing host-owned was left live or released badly and that every
// planned failure was reached. A misuse of the stand-in (sim::setMisuseHandler) fails the test.
// A fixture may have the temporary folder mapped as a Windows drive.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/acad/sim_lisp.h"
#include "platform/win/sim_files.h"
#include "platform/win/sim_system.h"

// Skips the running test where Windows itself answers its calls, for a test of what only the
// stand-in does (sim::windowsAnswers), saying why.
#define QV_SKIP_WHERE_WINDOWS_ANSWERS(why)                                                         \
  if (sim::windowsAnswers())                                                                       \
  GTEST_SKIP() << "Windows answers here: " << (why)

namespace qvtest {

using sim::lispString;

class HostTest : public ::testing::Test {
protected:
  // drive: the letter that names the temporary folder (useDrive) from SetUp on; 0 for none.
  explicit HostTest(char drive = 0) : drive_(drive) {}
  void SetUp() override;
  void TearDown() override;

  // A folder of this test's own, removed after the test.
  const std::filesystem::path& tempDir() const { return tempDir_; }
  // tempDir()/name as a string.
  std::string tempPath(const std::string& name) const;
  // A file of the temporary folder as bytes ("" when missing), and one written there (its
  // folders made).
  std::string readHost(const std::string& name) const;
  void writeHost(const std::string& name, const std::string& bytes) const;

  // Makes tempDir() the folder that onDrive's paths name, through drive letter where the stand-in
  // answers Windows' calls (sim::driveRoot).
  void useDrive(char letter) {
    drive_ = letter;
    driveRoot_ = sim::driveRoot(letter, tempDir_.string());
  }
  // The letter of useDrive, 0 before it.
  char drive() const { return drive_; }
  // The Windows path of name in tempDir() after useDrive: "D:\name" on the stand-in.
  std::string onDrive(const std::string& name) const { return driveRoot_ + name; }
  // A path that a test's table writes on the drive of useDrive ("D:\x\y", "D:/y", any case of
  // the letter), as onDrive names it; any other path as it is.
  std::string atDrive(const std::string& path) const;

  // Set by a test that leaks or double-releases on purpose, to skip the check after it.
  bool expectCleanHost_ = true;

private:
  char drive_;
  std::filesystem::path tempDir_;
  std::string driveRoot_;
};

// For tests whose threads contend for locks. The first contention in a process makes the runtime
// below the library (the threads library, Wine) keep a wait object of its own; where Windows
// answers, the process's handles are counted together, so the count starts afresh for the check
// after the test.
class ThreadedTest : public HostTest {
protected:
  void TearDown() override;
};

// Fails the current test when host blocks, result buffers, memory problems, open file streams
// or open file searches remain.
void expectCleanHost();

} // namespace qvtest

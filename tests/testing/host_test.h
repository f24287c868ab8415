// Base fixture of every test: a fresh stand-in session and temporary folder before the test, and
// after it the check that nothing host-owned was left live or released badly and that every
// planned failure was reached. A misuse of the stand-in (sim::setMisuseHandler) fails the test.
// A fixture may have the temporary folder mapped as a Windows drive.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace qvtest {

class HostTest : public ::testing::Test {
protected:
  // drive: the letter the temporary folder is mapped to (sim::mapDrive) at SetUp; 0 for none.
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

  // Set by a test that leaks or double-releases on purpose, to skip the check after it.
  bool expectCleanHost_ = true;

private:
  char drive_;
  std::filesystem::path tempDir_;
};

// Fails the current test when host blocks, result buffers, memory problems, open file streams
// or open file searches remain.
void expectCleanHost();

} // namespace qvtest

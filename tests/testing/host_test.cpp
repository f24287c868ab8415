// The base fixture: fresh session, temporary folder, and the end-of-test leak check.
#include "testing/host_test.h"

#include <atomic>
#include <cctype>
#include <fstream>
#include <iterator>
#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

#include "platform/sim.h"

namespace {

// A misuse of the stand-in by a test fails that test (instead of aborting the run).
void failTheTest(const std::string& message) {
  ADD_FAILURE() << "stand-in misused: " << message;
}

// Removes folder and all in it, read-only files too: on Windows remove_all cannot delete those,
// and a test folder's name may come back in a later run (Wine numbers processes anew each time).
void removeTree(const std::filesystem::path& folder) {
  std::error_code ignored;
  for (std::filesystem::recursive_directory_iterator it(folder, ignored), end; it != end;
       it.increment(ignored)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(folder, ignored);
}

} // namespace

namespace qvtest {

void expectCleanHost() {
  EXPECT_EQ(sim::liveBlocks(), 0) << "host blocks left live";
  EXPECT_EQ(sim::liveResbufs(), 0) << "result buffers left live";
  EXPECT_TRUE(sim::memoryProblems().empty()) << "bad releases: " << sim::memoryProblems().front();
  EXPECT_EQ(sim::openFiles(), 0) << "file streams left open";
  EXPECT_EQ(sim::openSearches(), 0) << "file searches left open";
  EXPECT_EQ(sim::openKeys(), 0) << "registry keys left open";
  EXPECT_EQ(sim::liveHandles(), 0)
      << "kernel handles (threads, events, tokens, files, processes) left open";
  EXPECT_EQ(sim::openObjects(), 0) << "database objects left open";
  EXPECT_EQ(sim::loadedDialogs(), 0) << "dialog files left loaded";
  EXPECT_EQ(sim::openDialogs(), 0) << "dialogs left made and not shown";
  EXPECT_EQ(sim::liveSelectionSets(), 0) << "selection sets left live";
}

void HostTest::SetUp() {
  sim::setMisuseHandler(failTheTest);
  {
    // GoogleTest keeps a handle to each thread that first traces (on Windows): taken before the
    // reset counts the process's handles, it is not told as one the test left open.
    SCOPED_TRACE("");
  }
  sim::reset();
  static std::atomic<int> counter{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  tempDir_ =
      std::filesystem::temp_directory_path() / ("qvtest-" + std::to_string(::getpid()) + "-" +
                                                std::to_string(counter++) + "-" + info->name());
  removeTree(tempDir_);
  std::filesystem::create_directories(tempDir_);
  if (drive_ != 0) {
    useDrive(drive_);
  }
}

void HostTest::TearDown() {
  for (const std::string& call : sim::unreachedFailures()) {
    ADD_FAILURE() << "the planned failure of " << call << " was never reached";
  }
  if (expectCleanHost_) {
    expectCleanHost();
    sim::reset(); // the session's AutoLISP values go with it, cycles through symbols included
    EXPECT_EQ(sim::liveLispValues(), 0) << "AutoLISP values outlive their session";
  }
  removeTree(tempDir_);
}

void ThreadedTest::TearDown() {
  if (sim::windowsAnswers()) {
    sim::reset();
  }
  HostTest::TearDown();
}

std::string HostTest::tempPath(const std::string& name) const {
  return (tempDir_ / name).string();
}

std::string HostTest::atDrive(const std::string& path) const {
  const bool onIt = drive_ != 0 && path.size() >= 3 && path[1] == ':' &&
                    (path[2] == '\\' || path[2] == '/') &&
                    std::toupper(static_cast<unsigned char>(path[0])) ==
                        std::toupper(static_cast<unsigned char>(drive_));
  return onIt ? driveRoot_.substr(0, driveRoot_.size() - 1) + path.substr(2) : path;
}

std::string HostTest::readHost(const std::string& name) const {
  std::ifstream in(tempDir_ / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void HostTest::writeHost(const std::string& name, const std::string& bytes) const {
  std::filesystem::create_directories((tempDir_ / name).parent_path());
  std::ofstream(tempDir_ / name, std::ios::binary) << bytes;
}

} // namespace qvtest

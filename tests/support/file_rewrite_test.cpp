// Rewriting through a temporary file: the old file is replaced only by whole new content.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "support/file_rewrite.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "testing/killed_writer.h"

namespace {

class FileRewriteTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    useDrive('U');
    std::ofstream(tempPath("dialogs.ini"), std::ios::binary) << "old=1\r\n";
  }
  bool exists(const std::string& name) { return std::filesystem::exists(tempPath(name)); }
  // The names in a folder of the temporary folder, sorted, each followed by a space.
  std::string names(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(tempPath(folder))) {
      found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    std::string out;
    for (const std::string& name : found) {
      out += name + " ";
    }
    return out;
  }
  // Makes a folder under the temporary folder whose Windows path (onDrive(name + "\\")) has
  // length characters; returns the name.
  std::string folderOfLength(size_t length) {
    const std::string name(length - onDrive("").size() - 1, 'f');
    std::filesystem::create_directory(tempPath(name));
    return name;
  }
};

// The temporary file is new in the target's folder and fits wherever the target fits: targets
// of every length up to MAX_PATH - 1 are rewritten, and nothing of the user's is touched.
TEST_F(FileRewriteTest, TheTemporaryFileIsNewAndFitsWhereverTheTargetFits) {
  const struct {
    size_t pathLength;
    const char* name;
  } cases[] = {{40, "dialogs.ini"},  {256, "dialogs.ini"}, {257, "dialogs.ini"},
               {258, "dialogs.ini"}, {259, "dialogs.ini"}, {259, "ab"},
               {259, "a"},           {250, "abcdefghij"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.pathLength << " " << c.name);
    if (c.pathLength < onDrive("").size() + std::strlen(c.name) + 2) {
      continue; // shorter than the test folder's own path (on Windows)
    }
    const std::string folder = folderOfLength(c.pathLength - std::strlen(c.name));
    const std::string target = onDrive(folder + "\\" + c.name);
    ASSERT_EQ(target.size(), c.pathLength);
    // The user's own files beside the target, under the names of older temporary files.
    std::ofstream(tempPath(folder + "/" + c.name + ".new"), std::ios::binary) << "mine";
    std::ofstream(tempPath(folder + "/dialogs.new"), std::ios::binary) << "mine too";
    for (int round = 0; round < 2; ++round) {
      qv::QvFileRewrite rewrite(target.c_str(), nullptr);
      ASSERT_NE(rewrite.file(), nullptr);
      EXPECT_LT(rewrite.tempPath().size(), static_cast<size_t>(MAX_PATH));
      EXPECT_EQ(rewrite.tempPath().substr(0, target.size() - std::strlen(c.name)),
                target.substr(0, target.size() - std::strlen(c.name)));
      fprintf(rewrite.file(), "round=%d\n", round);
      EXPECT_EQ(rewrite.commit(), 1);
      EXPECT_EQ(readHost(folder + "/" + c.name), "round=" + std::to_string(round) + "\r\n");
    }
    EXPECT_EQ(readHost(folder + "/" + c.name + ".new"), "mine");
    EXPECT_EQ(readHost(folder + "/dialogs.new"), "mine too");
    std::vector<std::string> expected = {c.name, std::string(c.name) + ".new", "dialogs.new"};
    std::sort(expected.begin(), expected.end());
    std::string listed = names(folder);
    if (sim::runsOnWine()) {
      // Wine keeps a file's old case when a rename changes only the case, as the temporary name
      // "A" for the target "a" does; Windows takes the new case.
      std::transform(listed.begin(), listed.end(), listed.begin(),
                     [](unsigned char letter) { return static_cast<char>(std::tolower(letter)); });
    }
    EXPECT_EQ(listed, expected[0] + " " + expected[1] + " " + expected[2] + " ");
    std::filesystem::remove_all(tempPath(folder));
  }
}

// Names that exist are passed over; when every name is taken the rewrite fails and touches
// nothing. A target of two characters in a folder that leaves no room for more has 16 names.
TEST_F(FileRewriteTest, TakenTemporaryNamesArePassedOverAndNeverTouched) {
  const std::string folder = folderOfLength(MAX_PATH - 1 - 2);
  const std::string target = onDrive(folder + "\\ab");
  std::ofstream(tempPath(folder + "/ab"), std::ios::binary) << "old\r\n";
  const char kHex[] = "0123456789ABCDEF";
  for (int taken = 15; taken <= 16; ++taken) {
    for (int i = 0; i < taken; ++i) {
      std::ofstream(tempPath(folder + "/~" + kHex[i]), std::ios::binary) << kHex[i];
    }
    qv::QvFileRewrite rewrite(target.c_str(), nullptr);
    if (taken == 15) {
      ASSERT_NE(rewrite.file(), nullptr);
      EXPECT_EQ(rewrite.tempPath(), onDrive(folder + "\\~F"));
      fputs("new\n", rewrite.file());
      EXPECT_EQ(rewrite.commit(), 1);
      EXPECT_EQ(readHost(folder + "/ab"), "new\r\n");
    } else {
      EXPECT_EQ(rewrite.file(), nullptr);
      EXPECT_EQ(rewrite.commit(), 0);
      EXPECT_EQ(readHost(folder + "/ab"), "new\r\n");
    }
    for (int i = 0; i < taken; ++i) {
      EXPECT_EQ(readHost(folder + "/~" + kHex[i]), std::string(1, kHex[i]));
    }
  }
}

// Every failure on the way (making the temporary file, opening, writing, closing, replacing)
// keeps the old file whole and leaves no temporary file, whether its name is made or given.
TEST_F(FileRewriteTest, EveryFailureKeepsTheOldFileAndLeavesNoTemporaryFile) {
  QV_SKIP_UNLESS_FAILABLE("CreateFileA");
  for (const char* tempName : {static_cast<const char*>(nullptr), "dialogs.new"}) {
    for (const char* call : {"CreateFileA", "fopen", "fwrite", "fclose", "MoveFileExA"}) {
      const int points = qvtest::forEachFailure(call, [&](int) {
        qv::QvFileRewrite rewrite(onDrive("dialogs.ini").c_str(), tempName);
        if (rewrite.file() != nullptr) {
          fputs("new=2\n", rewrite.file());
        }
        const int committed = rewrite.commit();
        EXPECT_EQ(readHost("dialogs.ini"), committed == 1 ? "new=2\r\n" : "old=1\r\n") << call;
        EXPECT_EQ(names(""), "dialogs.ini ") << call;
        std::ofstream(tempPath("dialogs.ini"), std::ios::binary) << "old=1\r\n";
      });
      if (tempName != nullptr && std::string(call) != "CreateFileA") {
        EXPECT_EQ(points, 1) << call; // one open, write, close and rename
      }
    }
  }
}

// A file another program holds open cannot be replaced; with a sharing mode given it is written
// in place when the holder lets others write, and kept when it does not.
TEST_F(FileRewriteTest, AFileHeldOpenIsWrittenInPlaceWhenTheSharingAllows) {
  const struct {
    const char* holderMode;
    int holderShare;
    int share;
    int expected;
  } cases[] = {
      {"r", _SH_DENYNO, _SH_DENYNO, 1}, // a reader that lets others write
      {"r", _SH_DENYWR, _SH_DENYNO, 0}, // a reader that refuses writers
      {"r", _SH_DENYNO, _SH_DENYRW, 0}, // the caller's own mode refuses the reader
      {"r", _SH_DENYNO, -1, 0},         // no sharing mode given: the replace alone decides
      {"a", _SH_DENYNO, _SH_DENYNO, 1}, // another writer
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.holderMode << " " << c.holderShare << " " << c.share);
    std::ofstream(tempPath("dialogs.ini"), std::ios::binary) << "old=1\r\n";
    FILE* holder = _fsopen(onDrive("dialogs.ini").c_str(), c.holderMode, c.holderShare);
    ASSERT_NE(holder, nullptr);
    qv::QvFileRewrite rewrite(onDrive("dialogs.ini").c_str(), nullptr, "w", c.share);
    ASSERT_NE(rewrite.file(), nullptr);
    fputs("new=22\n", rewrite.file());
    EXPECT_EQ(rewrite.commit(), c.expected);
    if (c.share == -1) { // the replace's own answer
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(fclose(holder), 0);
    EXPECT_EQ(readHost("dialogs.ini"), c.expected == 1 ? "new=22\r\n" : "old=1\r\n");
    EXPECT_EQ(names(""), "dialogs.ini ");
  }
  // A failed write in place answers 0.
  QV_SKIP_UNLESS_FAILABLE("fwrite");
  FILE* holder = _fsopen(onDrive("dialogs.ini").c_str(), "r", _SH_DENYNO);
  ASSERT_NE(holder, nullptr);
  qv::QvFileRewrite rewrite(onDrive("dialogs.ini").c_str(), nullptr, "w", _SH_DENYNO);
  ASSERT_NE(rewrite.file(), nullptr);
  fputs("new=3\n", rewrite.file());
  fflush(rewrite.file());
  sim::failCall("fwrite");
  EXPECT_EQ(rewrite.commit(), 0);
  sim::clearFailures();
  EXPECT_EQ(fclose(holder), 0);
  EXPECT_EQ(names(""), "dialogs.ini ");
}

TEST_F(FileRewriteTest, GivenTemporaryNamesOrPathsAndAbandonedRewrites) {
  qv::QvFileRewrite rewrite(onDrive("DIALOGS.INI").c_str(), "dialogs.new");
  ASSERT_NE(rewrite.file(), nullptr);
  EXPECT_EQ(rewrite.tempPath(), onDrive("dialogs.new"));
  fputs("new=2\n", rewrite.file());
  EXPECT_TRUE(exists("dialogs.new"));
  EXPECT_EQ(readHost("dialogs.ini"), "old=1\r\n");
  EXPECT_EQ(rewrite.commit(), 1);
  EXPECT_EQ(readHost("dialogs.ini"), "new=2\r\n");
  EXPECT_FALSE(exists("dialogs.new"));
  EXPECT_EQ(rewrite.commit(), 0);
  std::filesystem::create_directory(tempPath("tmp")); // a new file, a temporary path given
  qv::QvFileRewrite fresh(onDrive("fresh.txt").c_str(), onDrive("tmp\\temp.txt").c_str(), "wb");
  ASSERT_NE(fresh.file(), nullptr);
  fputs("x\n", fresh.file());
  EXPECT_TRUE(exists("tmp/temp.txt"));
  EXPECT_EQ(fresh.commit(), 1);
  EXPECT_EQ(readHost("fresh.txt"), "x\n");
  EXPECT_FALSE(exists("tmp/temp.txt"));
  {
    qv::QvFileRewrite abandoned(onDrive("dialogs.ini").c_str(), nullptr);
    ASSERT_NE(abandoned.file(), nullptr);
    EXPECT_EQ(abandoned.tempPath().substr(0, onDrive("~qv").size()), onDrive("~qv"));
    fputs("never\n", abandoned.file());
  }
  EXPECT_EQ(names(""), "dialogs.ini fresh.txt tmp ");
  EXPECT_EQ(readHost("dialogs.ini"), "new=2\r\n");
  EXPECT_EQ(sim::openFiles(), 0);
}

// A writer killed at any moment leaves the old content or the new, never a missing or partial file.
TEST_F(FileRewriteTest, AKilledWriterLeavesTheOldOrTheNewFile) {
  QV_SKIP_WITHOUT_FORK();
  const std::string oldText(200000, 'o'), newText(200000, 'n');
  std::ofstream(tempPath("dialogs.ini"), std::ios::binary) << oldText;
  const int killedEarly = qvtest::killDuringWrites(
      [&] {
        qv::QvFileRewrite rewrite(onDrive("dialogs.ini").c_str(), "dialogs.new", "wb");
        fwrite(newText.data(), 1, newText.size(), rewrite.file());
        rewrite.commit();
      },
      [&] {
        const std::string now = readHost("dialogs.ini");
        EXPECT_TRUE(now == oldText || now == newText) << now.size() << " bytes";
      },
      20);
  EXPECT_GT(killedEarly, 0); // some kills did land before the first replace
}

} // namespace

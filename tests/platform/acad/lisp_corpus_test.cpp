// AutoLISP files written by others: every one reads without a reader error.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class LispCorpusTest : public qvtest::HostTest {};

TEST_F(LispCorpusTest, EveryFileReads) {
  // The corpus lies beside the project: <project>/../shared/corpus/lisp.
  const std::filesystem::path corpus =
      std::filesystem::path(QV_TEST_DATA_DIR) / ".." / ".." / ".." / "shared" / "corpus" / "lisp";
  if (!std::filesystem::is_directory(corpus)) {
    GTEST_SKIP() << "no corpus of LISP files at " << corpus;
  }
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::string extension = entry.path().extension().string();
    for (char& c : extension) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (extension != ".lsp") {
      continue;
    }
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    int line = 0;
    EXPECT_TRUE(sim::readLisp(text.str(), &error, &line))
        << entry.path() << ":" << line << ": " << error;
    ++files;
  }
  EXPECT_GT(files, 0);
}

} // namespace

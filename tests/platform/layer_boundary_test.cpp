// Library code reaches files and the system only through the stand-in's Windows and host calls:
// no POSIX or Linux header, and none of the C library's file calls that bypass the file layer.
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "testing/host_test.h"

namespace {

class LayerBoundaryTest : public qvtest::HostTest {};

TEST_F(LayerBoundaryTest, LibraryCodeUsesOnlyTheStandInsForFilesAndTheSystem) {
  const std::filesystem::path source =
      std::filesystem::path(QV_TEST_DATA_DIR).parent_path().parent_path() / "src";
  ASSERT_TRUE(std::filesystem::is_directory(source / "platform"));
  const std::regex systemHeader(
      R"(^\s*#\s*include\s*<(unistd|fcntl|dirent|pthread|dlfcn|syslog|termios)\.h>|)"
      R"(^\s*#\s*include\s*<(sys|linux|bits)/)");
  // fopen, freopen, tmpfile, rename and remove of the C library skip drive letters, case-blind
  // lookup, text mode and sharing; _fsopen, fopen_s, MoveFileExA and _unlink are the ways in.
  // (std::remove with iterators is the algorithm, and is allowed.)
  const std::regex bypassCall(R"((^|[^\w.>:])(fopen|freopen|tmpfile|rename)\s*\(|)"
                              R"((^|\W)(std)?::(fopen|freopen|tmpfile|rename)\s*\(|)"
                              R"((^|\W)(std)?::remove\s*\([^,()]*\))");
  std::vector<std::string> offences;
  int scanned = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(source)) {
    const auto relative = std::filesystem::relative(entry.path(), source);
    if (!entry.is_regular_file() || *relative.begin() == "platform") {
      continue;
    }
    const auto extension = entry.path().extension();
    if (extension != ".cpp" && extension != ".h") {
      continue;
    }
    ++scanned;
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string code = line.substr(0, line.find("//"));
      if (std::regex_search(code, systemHeader) || std::regex_search(code, bypassCall)) {
        offences.push_back(relative.string() + ":" + std::to_string(number) + ": " + line);
      }
    }
  }
  EXPECT_GT(scanned, 0);
  EXPECT_TRUE(offences.empty()) << offences.front();
}

} // namespace

// Library code reaches files and the system only through the stand-in's Windows and host calls:
// no POSIX or Linux header, and none of the C library's file calls that bypass the file layer.
// And every file includes only headers of its own layer or the layers under it (the table of
// docs/architecture.md), no internal header of another folder, and, outside the stand-ins, none of
// the stand-ins' control surface.
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "testing/host_test.h"

namespace {

class LayerBoundaryTest : public qvtest::HostTest {};

std::filesystem::path sourceRoot() {
  return std::filesystem::path(QV_TEST_DATA_DIR).parent_path().parent_path() / "src";
}

// The layers from the bottom up; a folder not listed takes the layer of its closest listed parent.
// A file may include headers of its own layer and of the layers under it.
struct Layer {
  const char* folder;
  int rank;
};
constexpr Layer kLayers[] = {
    {"platform/internal", 0}, // the stand-ins' session state and planned failures
    {"platform/win", 1},      // Windows: files, threads, tokens, dates; registry, file dialogs
    {"platform/acad", 2},     // the host: ADS, AutoLISP, ObjectARX; drawing database, DCL
    {"platform", 3},          // the control surface sim.h and its session
    {"support", 10},
    {"host", 11}, // module entry, AutoLISP and variable bridge, file names and dialogs
    {"text", 12},
    {"records", 13},
    {"expr", 14},
    {"dialogs", 15},
    {"host/entities", 16}, // command, entity and view helpers: they show the family's alert
    {"settings", 17},
    {"drawing", 18},
    {"module", 19}, // the module's AutoLISP functions: reach every service
};

int rankOf(const std::string& folder) {
  int rank = -1;
  size_t matched = 0;
  for (const Layer& layer : kLayers) {
    const std::string name = layer.folder;
    const bool under = folder == name || folder.rfind(name + "/", 0) == 0;
    if (under && name.size() >= matched) {
      rank = layer.rank;
      matched = name.size();
    }
  }
  return rank;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The folder whose private headers an internal/ folder holds, or "" when the path is not in one.
std::string ownerOfInternal(const std::string& path) {
  const size_t at = path.rfind("internal/");
  if (at == std::string::npos || (at != 0 && path[at - 1] != '/')) {
    return "";
  }
  return at == 0 ? std::string(".") : path.substr(0, at - 1);
}

bool isControlSurface(const std::string& header) {
  static const std::regex control(R"(^platform/(sim\.h|sim_[a-z_]+\.h|[a-z]+/sim_[a-z_]+\.h)$)");
  return std::regex_search(header, control);
}

// Why the file (a path under src/) may not include the header (as spelled in its #include), or
// "" when it may.
std::string includeOffence(const std::string& file, const std::string& header) {
  const std::string from = folderOf(file);
  const std::string to = folderOf(header);
  const int fromRank = rankOf(from);
  const int toRank = rankOf(to);
  if (fromRank < 0) {
    return "folder missing from the table of layers";
  }
  if (toRank < 0) {
    return "header of a folder missing from the table of layers";
  }
  const std::string owner = ownerOfInternal(header);
  // The stand-ins' shared core combines what each stand-in lists for it (the calls that can fail).
  const bool standInCore =
      file.rfind("platform/internal/", 0) == 0 && owner.rfind("platform/", 0) == 0;
  if (standInCore) {
    return "";
  }
  if (!owner.empty() && file.rfind(owner + "/", 0) != 0) {
    return "internal header of " + owner;
  }
  if (!ownerOfInternal(header).empty() && ownerOfInternal(file).empty() && file.size() > 2 &&
      file.substr(file.size() - 2) == ".h") {
    return "public header includes an internal one";
  }
  if (isControlSurface(header)) {
    return rankOf(from) <= rankOf("platform") ? "" : "the stand-ins' control surface";
  }
  if (toRank > fromRank) {
    return "header of a higher layer";
  }
  return "";
}

TEST_F(LayerBoundaryTest, TheIncludeRulesRefuseWhatTheyShould) {
  struct Case {
    const char* file;
    const char* header;
    bool allowed;
  } cases[] = {
      {"records/uni_record.cpp", "text/ms_string.h", true},
      {"text/ms_string.cpp", "records/uni_record.h", false},
      {"support/thread.cpp", "host/folders.h", false},
      {"text/date_format.cpp", "host/lisp_symbols.h", true},
      {"expr/evaluate_expression.cpp", "expr/internal/held_functions.h", true},
      {"expr/evaluate_expression.h", "expr/internal/held_functions.h", false},
      {"records/table_file.cpp", "expr/internal/held_functions.h", false},
      {"records/table_file.cpp", "platform/win/internal/file_paths.h", false},
      {"platform/win/crt_files.cpp", "platform/win/internal/file_paths.h", true},
      {"platform/acad/user_io.cpp", "platform/win/internal/file_paths.h", false},
      {"platform/acad/user_io.cpp", "platform/internal/session.h", true},
      {"platform/internal/failable_calls.h", "platform/win/internal/failable_calls.h", true},
      {"platform/acad/user_io.cpp", "platform/win/internal/failable_calls.h", false},
      {"platform/internal/session.h", "platform/sim_answers.h", true},
      {"host/user_break.cpp", "platform/sim_answers.h", false},
      {"platform/acad/internal/host_state.cpp", "platform/acad/internal/lisp_value.h", true},
      {"platform/win/file_api.cpp", "platform/acad/adsdef.h", false},
      {"platform/acad/user_io.cpp", "platform/win/windows.h", true},
      {"platform/win/tokens.cpp", "platform/sim.h", true},
      {"platform/win/fileapi.h", "support/thread.h", false},
      {"host/sys_vars.cpp", "platform/sim.h", false},
      {"records/table_file.cpp", "platform/win/sim_files.h", false},
      {"records/table_file.cpp", "support/file_rewrite.h", true},
      {"host/entities/pick.cpp", "dialogs/alert.h", true},
      {"dialogs/alert.cpp", "host/entities/pick.h", false},
      {"dialogs/alert.cpp", "host/lisp_symbols.h", true},
      {"widgets/x.cpp", "text/text.h", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(includeOffence(c.file, c.header).empty(), c.allowed) << c.file << " -> " << c.header;
  }
}

TEST_F(LayerBoundaryTest, EveryIncludeKeepsToItsLayer) {
  const std::filesystem::path source = sourceRoot();
  ASSERT_TRUE(std::filesystem::is_directory(source / "platform"));
  const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
  std::vector<std::string> offences;
  int includes = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(source)) {
    const auto extension = entry.path().extension();
    if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) {
      continue;
    }
    const std::string file = std::filesystem::relative(entry.path(), source).generic_string();
    std::ifstream in(entry.path());
    std::string line;
    std::smatch match;
    for (int number = 1; std::getline(in, line); ++number) {
      if (!std::regex_search(line, match, include)) {
        continue;
      }
      ++includes;
      const std::string why = includeOffence(file, match[1]);
      if (!why.empty()) {
        offences.push_back(file + ":" + std::to_string(number) + ": " + line + " (" + why + ")");
      }
    }
  }
  EXPECT_GT(includes, 100);
  for (const std::string& offence : offences) {
    ADD_FAILURE() << offence;
  }
}

TEST_F(LayerBoundaryTest, LibraryCodeUsesOnlyTheStandInsForFilesAndTheSystem) {
  const std::filesystem::path source = sourceRoot();
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

// DCL files found, read with their includes, and checked on loading.
#include "platform/acad/internal/dcl_loader.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "platform/acad/internal/library_path.h"
#include "platform/win/sim_files.h"

namespace sim::detail {
namespace {

// Includes nested deeper than this are taken for a loop the path check missed.
constexpr int kMaxIncludeDepth = 16;

bool isRegularFile(const std::string& windowsPath) {
  const std::string host = sim::hostPath(windowsPath);
  std::error_code ignored;
  return !host.empty() && std::filesystem::is_regular_file(host, ignored);
}

std::string folderOf(const std::string& windowsPath) {
  const size_t separator = windowsPath.find_last_of("\\/:");
  return separator == std::string::npos ? std::string() : windowsPath.substr(0, separator + 1);
}

std::string withSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
    folder.push_back('\\');
  }
  return folder;
}

std::string errorIn(const std::string& path, const std::string& message) {
  return "Error in dialog file \"" + path + "\", " + message;
}

class Loader {
public:
  bool file(const std::string& windowsPath, DclLibrary& out, int depth) {
    if (depth > kMaxIncludeDepth || !reading_.insert(sim::hostPath(windowsPath)).second) {
      error = errorIn(windowsPath, "line 1: the file includes itself");
      return false;
    }
    std::ifstream stream(sim::hostPath(windowsPath), std::ios::binary);
    if (!stream) {
      error = errorIn(windowsPath, "line 1: the file cannot be read");
      return false;
    }
    const std::string text((std::istreambuf_iterator<char>(stream)),
                           std::istreambuf_iterator<char>());
    DclText parsed;
    std::string message;
    if (!parseDcl(text, parsed, message)) {
      error = errorIn(windowsPath, message);
      return false;
    }
    // Included definitions come first: the including file's own may then replace them.
    for (const std::string& include : parsed.includes) {
      std::string found = withSeparator(folderOf(windowsPath)) + include;
      if (!isRegularFile(found)) {
        found = findDclFile(include);
      }
      if (found.empty()) {
        error = errorIn(windowsPath, "cannot find the included file \"" + include + "\"");
        return false;
      }
      if (!file(found, out, depth + 1)) {
        return false;
      }
    }
    for (DclNode& definition : parsed.definitions) {
      out[definition.name] = std::move(definition);
    }
    reading_.erase(sim::hostPath(windowsPath));
    return true;
  }

  std::string error;

private:
  std::set<std::string> reading_;
};

} // namespace

std::string findDclFile(const std::string& name) {
  if (name.empty()) {
    return {};
  }
  std::string withExtension = name;
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || name.find_first_of("\\/", dot) != std::string::npos) {
    withExtension += ".dcl";
  }
  return findOnLibraryPath(withExtension, isRegularFile);
}

bool checkDclLibrary(const DclLibrary& library, std::string& error) {
  for (const auto& [name, definition] : library) {
    DclTile tile;
    std::string message;
    if (!expandDcl(library, name, tile, message)) {
      error = "line " + std::to_string(definition.line) + ": " + message;
      return false;
    }
  }
  return true;
}

bool loadDclFile(const std::string& windowsPath, DclLibrary& out, std::string& error) {
  try {
    Loader loader;
    out.clear();
    if (!loader.file(windowsPath, out, 0)) {
      error = loader.error;
      return false;
    }
    std::string message;
    if (!checkDclLibrary(out, message)) {
      error = errorIn(windowsPath, message);
      return false;
    }
    return true;
  } catch (const std::exception&) {
    error = errorIn(windowsPath, "the file cannot be read");
    return false;
  }
}

} // namespace sim::detail

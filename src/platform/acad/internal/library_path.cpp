// The host's library path.
#include "platform/acad/internal/library_path.h"

#include "platform/acad/internal/host_state.h"

namespace sim::detail {

std::vector<std::string> libraryFolders() {
  std::vector<std::string> folders{std::string()};
  HostState& state = host();
  if (const Document* document = currentDocument(state)) {
    if (!document->prefix.empty()) {
      folders.push_back(document->prefix);
    }
  }
  const auto variable = state.sysVars.find("ACADPREFIX");
  const std::string support = variable != state.sysVars.end() ? variable->second.text : "";
  size_t start = 0;
  while (start <= support.size()) {
    size_t end = support.find(';', start);
    end = end == std::string::npos ? support.size() : end;
    if (end > start) {
      std::string folder = support.substr(start, end - start);
      if (folder.back() != '\\' && folder.back() != '/') {
        folder.push_back('\\');
      }
      folders.push_back(std::move(folder));
    }
    start = end + 1;
  }
  return folders;
}

std::string findOnLibraryPath(const std::string& name,
                              const std::function<bool(const std::string&)>& found) {
  if (name.empty()) {
    return {};
  }
  if (name.find_first_of(":\\/") != std::string::npos) {
    return found(name) ? name : std::string();
  }
  for (const std::string& folder : libraryFolders()) {
    if (found(folder + name)) {
      return folder + name;
    }
  }
  return {};
}

} // namespace sim::detail

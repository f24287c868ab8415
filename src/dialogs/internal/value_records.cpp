// Names and records of the dialog value files.
#include "dialogs/internal/value_records.h"

#include "host/folders.h"

namespace qv::dialogfiles {

ValueFile valueFile(Place place, const char* dclName) {
  const std::string stem =
      std::string(userFolder) + (place == Place::shared ? std::string("dialogs") : dclName);
  return {stem + ".ini", stem + ".new"};
}

std::string recordLine(const char* dclName, const char* dialogName, const char* key,
                       const std::string& value) {
  std::string line = dialogPrefix(dclName, dialogName);
  line.append(key).append(",'").append(value).append("'\n");
  return line;
}

std::string dialogPrefix(const char* dclName, const char* dialogName) {
  return std::string(dclName).append(",").append(dialogName).append(",");
}

bool readRecord(std::string_view line, std::string_view prefix, std::string_view& key,
                std::string_view& value) {
  if (line.substr(0, prefix.size()) != prefix) {
    return false;
  }
  const std::string_view rest = line.substr(prefix.size());
  const size_t open = rest.find(",'");
  if (open == std::string_view::npos) {
    return false;
  }
  key = rest.substr(0, open);
  std::string_view quoted = rest.substr(open + 2);
  const size_t close = quoted.rfind('\'');
  if (close != std::string_view::npos) {
    quoted = quoted.substr(0, close);
  } else if (!quoted.empty() && quoted.back() == '\r') {
    quoted.remove_suffix(1);
  }
  value = quoted;
  return true;
}

} // namespace qv::dialogfiles

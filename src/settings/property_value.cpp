// One value of a property file: a table opened with the file's own names as its defaults.
#include "settings/property_value.h"

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "settings/internal/name_value_lines.h"
#include "settings/property_file.h"

namespace qv {

namespace {

// A file line never holds a newline, so a default holding one tells a name the file lacks.
constexpr const char* kAbsent = "\n";

// The "name=value" lines of the file, in order, cut at their first "=". False when the file exists
// but cannot be read to its end; a missing file has none.
bool readEntries(const char* path, std::vector<std::pair<std::string, std::string>>& entries) {
  return settingsfile::readNameValueLines(path, [&](const char* name, const char* value) {
           entries.emplace_back(name, value);
         }) != settingsfile::LinesRead::Failed;
}

} // namespace

bool isPropertyLine(const char* name, const char* value) {
  return name != nullptr && *name != '\0' && std::strpbrk(name, "=\r\n") == nullptr &&
         (value == nullptr || std::strpbrk(value, "\r\n") == nullptr);
}

int readPropertyValue(const char* path, const char* name, std::string& value) {
  if (path == nullptr || *path == '\0' || name == nullptr) {
    return 0;
  }
  QvPropertyFile table;
  const QvPropertyDefault absent = {name, kAbsent};
  const int read = table.open(path, &absent, 1);
  const char* found = table.getRaw(name);
  int result = 0;
  if (read == 1 && found != nullptr && std::string(found) != kAbsent) {
    try {
      value = found;
      result = 1;
    } catch (const std::bad_alloc&) {
    }
  }
  table.clear(0); // a read never writes the file
  return result;
}

int writePropertyValue(const char* path, const char* name, const char* value) {
  if (path == nullptr || *path == '\0' || !isPropertyLine(name, value)) {
    return 0;
  }
  std::vector<std::pair<std::string, std::string>> entries;
  std::vector<QvPropertyDefault> defaults;
  try {
    if (!readEntries(path, entries)) {
      return 0;
    }
    defaults.reserve(entries.size());
    for (const auto& entry : entries) {
      defaults.push_back({entry.first.c_str(), entry.second.c_str()});
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }
  QvPropertyFile table;
  table.open(path, defaults.data(), static_cast<int>(defaults.size()));
  // Every name of the file must be held, or the save would drop the ones memory lost; the file's
  // own values are the defaults, so a line the reopening could not take keeps its value.
  bool whole = *table.path() != '\0';
  for (size_t i = 0; whole && i < entries.size(); ++i) {
    whole = table.getRaw(entries[i].first.c_str()) != nullptr;
  }
  whole = whole && table.setValue(name, value, 0) == 1 && table.save() == 1;
  table.clear(0);
  return whole ? 1 : 0;
}

} // namespace qv

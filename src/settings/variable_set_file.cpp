// The variable set's file of name=value lines.
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <string_view>

#include "platform/win/windows.h"
#include "settings/internal/text_line.h"
#include "settings/internal/value_text.h"
#include "settings/variable_set.h"
#include "support/file_rewrite.h"
#include "support/read_decimal.h"

namespace qv {

int QvVariableSet::readFile() {
  if (path_.empty()) {
    return 0;
  }
  FILE* file = _fsopen(path_.c_str(), "r", _SH_DENYNO);
  if (file == nullptr) {
    return 0;
  }
  bool whole = true;
  try {
    // The newest enabled entry of each name, so that a file of n lines reads in n log n.
    std::map<std::string_view, Entry*> byName;
    for (Entry* entry = first_; entry != nullptr; entry = entry->next) {
      if (entry->disabled == 0) {
        byName.emplace(entry->name, entry);
      }
    }
    std::string line;
    while (settingsfile::readWholeLine(file, line)) {
      // The name is the first run of the line between "=" signs, the value all after its "=".
      const size_t start = line.find_first_not_of('=');
      if (start == std::string::npos) {
        continue;
      }
      size_t end = line.find('=', start);
      const std::string_view name =
          std::string_view(line).substr(start, end == std::string::npos ? end : end - start);
      const bool hasValue = end != std::string::npos && end + 1 < line.size();
      const char* value = hasValue ? line.c_str() + end + 1 : nullptr;
      const auto found = byName.find(name);
      if (found == byName.end()) {
        continue;
      }
      const Entry& entry = *found->second;
      if (entry.type == kInteger && value != nullptr) {
        setInteger(entry, settingsfile::readInt32(value));
      } else if (entry.type == kReal && value != nullptr) {
        *static_cast<double*>(entry.variable) = readDecimal(value, nullptr);
      } else if (entry.type == kText) {
        setText(entry, value);
      }
    }
  } catch (const std::bad_alloc&) {
    whole = false;
  }
  whole = ferror(file) == 0 && whole;
  fclose(file);
  return whole ? 1 : 0;
}

int QvVariableSet::writeFile() {
  if (path_.empty()) {
    return 0;
  }
  QvFileRewrite rewrite(path_.c_str(), nullptr, "w");
  FILE* out = rewrite.file();
  if (out == nullptr) {
    return 0;
  }
  try {
    for (const Entry* entry = first_; entry != nullptr; entry = entry->next) {
      if (entry->disabled != 0) {
        continue;
      }
      if (entry->type == kInteger) {
        fprintf(out, "%s=%d\n", entry->name, integerOf(*entry));
      } else if (entry->type == kReal) {
        fprintf(out, "%s=%f\n", entry->name, *static_cast<const double*>(entry->variable));
      } else if (entry->type == kText) {
        fprintf(out, "%s=%s\n", entry->name, textOf(*entry).c_str());
      }
    }
  } catch (const std::bad_alloc&) {
    return 0; // the old file stays
  }
  return rewrite.commit();
}

} // namespace qv

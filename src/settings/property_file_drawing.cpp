// The property file's copies to and from the drawing storage.
#include <new>
#include <string>

#include "records/drawing_storage.h"
#include "settings/internal/storage_text.h"
#include "settings/property_file.h"

namespace qv {

namespace {

std::string entryPath(const char* base, const char* name) {
  return std::string(base != nullptr ? base : "") + "\\" + name;
}

} // namespace

void QvPropertyFile::exportToDrawing(const char* base) const {
  try {
    for (int i = 0; i < count_; ++i) {
      writeStorageText(entryPath(base, entries_[i].name).c_str(), entries_[i].value, nullptr);
    }
  } catch (const std::bad_alloc&) {
  }
}

void QvPropertyFile::importFromDrawing(const char* base) {
  try {
    for (int i = 0; i < count_; ++i) {
      std::string text;
      if (settingsfile::readStorageWhole(entryPath(base, entries_[i].name).c_str(), text)) {
        // A copy of the name: setValue frees the stored one when it replaces the value.
        const std::string name = entries_[i].name;
        setValue(name.c_str(), text.c_str(), 0);
      }
    }
  } catch (const std::bad_alloc&) {
  }
}

} // namespace qv

// The property file's copies to and from the drawing storage.
#include <new>
#include <string>

#include "platform/acad/acutads.h"
#include "records/drawing_storage.h"
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
      const std::string path = entryPath(base, entries_[i].name);
      resbuf* list = readStorageEntry(path.c_str(), nullptr);
      if (list != nullptr && list->restype == 1 && list->resval.rstring != nullptr) {
        // A copy of the name: setValue frees the stored one when it replaces the value.
        const std::string name = entries_[i].name;
        setValue(name.c_str(), list->resval.rstring, 0);
      } else {
        // No text to take: the value stays, and the storage's reader says why.
        char none[1];
        readStorageText(path.c_str(), none, sizeof none, nullptr);
      }
      acutRelRb(list);
    }
  } catch (const std::bad_alloc&) {
  }
}

} // namespace qv

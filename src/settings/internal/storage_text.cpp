// Text entries of the drawing storage read whole.
#include "settings/internal/storage_text.h"

#include "platform/acad/acutads.h"
#include "records/drawing_storage.h"

namespace qv::settingsfile {

bool readStorageWhole(const char* keyPath, std::string& text) {
  text.clear();
  resbuf* list = readStorageEntry(keyPath, nullptr);
  const bool found = list != nullptr && list->restype == 1 && list->resval.rstring != nullptr;
  try {
    if (found) {
      text = list->resval.rstring;
    }
  } catch (...) {
    acutRelRb(list);
    throw;
  }
  acutRelRb(list);
  if (!found) {
    // Nothing to take: the storage's reader tells why.
    char none[1];
    readStorageText(keyPath, none, sizeof none, nullptr);
  }
  return found;
}

} // namespace qv::settingsfile

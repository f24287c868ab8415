// The variable set in the drawing storage: one text entry per variable.
#include <cinttypes>
#include <new>
#include <string>

#include "records/drawing_storage.h"
#include "settings/internal/storage_text.h"
#include "settings/internal/value_text.h"
#include "settings/variable_set.h"
#include "support/read_decimal.h"

namespace qv {

int QvVariableSet::loadFromDrawing() {
  try {
    for (const Entry* entry = first_; entry != nullptr; entry = entry->next) {
      if (entry->disabled != 0) {
        continue;
      }
      // Read whole: a value the set stored comes back as it went in, however long.
      std::string text;
      if (!settingsfile::readStorageWhole(storagePath(*entry).c_str(), text) || text.empty()) {
        continue;
      }
      if (entry->type == kInteger) {
        setInteger(*entry, settingsfile::readInt32(text.c_str()));
      } else if (entry->type == kReal) {
        *static_cast<double*>(entry->variable) = readDecimal(text.c_str(), nullptr);
      } else if (entry->type == kText) {
        setText(*entry, text.c_str());
      }
    }
  } catch (const std::bad_alloc&) {
  }
  return 1;
}

int QvVariableSet::saveToDrawing() {
  try {
    for (const Entry* entry = first_; entry != nullptr; entry = entry->next) {
      if (entry->disabled != 0) {
        continue;
      }
      std::string text;
      if (entry->type == kInteger) {
        text = settingsfile::printText("%" PRId32, integerOf(*entry));
      } else if (entry->type == kReal) {
        text = settingsfile::printText("%f", *static_cast<const double*>(entry->variable));
      } else if (entry->type == kText) {
        text = textOf(*entry);
      }
      // An empty text is not stored: the value stored before stays. The new entry replaces the
      // old one only once it is filled.
      if (!text.empty()) {
        writeStorageText(storagePath(*entry).c_str(), text.c_str(), nullptr);
      }
    }
  } catch (const std::bad_alloc&) {
  }
  return 1;
}

} // namespace qv

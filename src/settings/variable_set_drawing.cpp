// The variable set in the drawing storage: one text entry per variable.
#include <cinttypes>
#include <new>
#include <string>
#include <vector>

#include "records/drawing_storage.h"
#include "settings/internal/value_text.h"
#include "settings/variable_set.h"
#include "support/read_decimal.h"

namespace qv {

namespace {

constexpr int kNumberTextSize = 100;

} // namespace

int QvVariableSet::loadFromDrawing() {
  try {
    for (const Entry* entry = first_; entry != nullptr; entry = entry->next) {
      if (entry->disabled != 0) {
        continue;
      }
      const std::string path = storagePath(*entry);
      if (entry->type == kInteger || entry->type == kReal) {
        char text[kNumberTextSize];
        readStorageText(path.c_str(), text, sizeof text, nullptr);
        if (text[0] != '\0' && entry->type == kInteger) {
          setInteger(*entry, settingsfile::readInt32(text));
        } else if (text[0] != '\0') {
          *static_cast<double*>(entry->variable) = readDecimal(text, nullptr);
        }
      } else if (entry->type == kText && entry->capacity > 0) {
        std::vector<char> text(static_cast<size_t>(entry->capacity));
        readStorageText(path.c_str(), text.data(), entry->capacity, nullptr);
        if (text[0] != '\0') {
          setText(*entry, text.data());
        }
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

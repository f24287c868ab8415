// The variable set in AutoLISP symbols of the entries' names.
#include <new>
#include <string>

#include "host/lisp_symbols.h"
#include "settings/internal/lisp_values.h"
#include "settings/variable_set.h"

namespace qv {

int QvVariableSet::loadFromLisp() {
  for (const Entry* entry = first_; entry != nullptr; entry = entry->next) {
    if (entry->disabled != 0) {
      continue;
    }
    if (entry->type == kInteger) {
      int32_t value = 0;
      getLispInt(&value, entry->name);
      setInteger(*entry, value);
    } else if (entry->type == kReal) {
      getLispReal(static_cast<double*>(entry->variable), entry->name);
    } else if (entry->type == kText) {
      try {
        std::string text;
        settingsfile::readLispText(entry->name, text);
        setText(*entry, text.c_str());
      } catch (const std::bad_alloc&) {
        setText(*entry, "");
      }
    }
  }
  return 1;
}

int QvVariableSet::saveToLisp() {
  for (const Entry* entry = first_; entry != nullptr; entry = entry->next) {
    if (entry->disabled != 0) {
      continue;
    }
    if (entry->type == kInteger) {
      settingsfile::setLispInteger(entry->name, integerOf(*entry));
    } else if (entry->type == kReal) {
      setLispReal(entry->name, *static_cast<const double*>(entry->variable));
    } else if (entry->type == kText) {
      try {
        setLispString(entry->name, textOf(*entry).c_str());
      } catch (const std::bad_alloc&) {
        // left as it was, as when the host refuses it
      }
    }
  }
  return 1;
}

} // namespace qv

// The variable set in extended data items.
#include <cstring>

#include "settings/variable_set.h"

namespace qv {

namespace {

constexpr short kGroupXdataStart = -3;
constexpr short kGroupApplication = 1001;
constexpr short kGroupText = 1000;
constexpr short kGroupReal = 1040;
constexpr short kGroupInteger16 = 1070;
constexpr short kGroupInteger32 = 1071;

} // namespace

int QvVariableSet::loadFromXdata(const resbuf* list, int findApplication,
                                 const resbuf** rest) const {
  if (list == nullptr) {
    return 0;
  }
  const resbuf* item = list;
  if (findApplication != 0) {
    while (item != nullptr &&
           !(item->restype == kGroupApplication && item->resval.rstring != nullptr &&
             application_ == item->resval.rstring)) {
      item = item->rbnext;
    }
    if (item == nullptr) {
      return 0;
    }
    item = item->rbnext;
  }
  for (const Entry* entry = first_; entry != nullptr; entry = entry->next) {
    if (entry->disabled != 0 ||
        (entry->type != kInteger && entry->type != kReal && entry->type != kText)) {
      continue;
    }
    if (item == nullptr) {
      return 0;
    }
    if (entry->type == kInteger && item->restype == kGroupInteger32) {
      setInteger(*entry, item->resval.rlong);
    } else if (entry->type == kInteger && item->restype == kGroupInteger16) {
      setInteger(*entry, item->resval.rint);
    } else if (entry->type == kReal && item->restype == kGroupReal) {
      *static_cast<double*>(entry->variable) = item->resval.rreal;
    } else if (entry->type == kText && item->restype == kGroupText) {
      setText(*entry, item->resval.rstring);
    }
    item = item->rbnext;
  }
  if (rest != nullptr) {
    *rest = item;
  }
  return 1;
}

int QvVariableSet::buildXdata(resbuf* array, int capacity, int withHeader, const char* filter,
                              int withApplication) const {
  if (array == nullptr || capacity <= 0) {
    return 0;
  }
  int count = 0;
  resbuf* previous = nullptr;
  // Fills the next item and links the previous one to it; false when the array is full.
  auto next = [&](short type) -> resbuf* {
    if (count >= capacity) {
      return nullptr;
    }
    resbuf* item = &array[count++];
    item->restype = type;
    item->rbnext = nullptr;
    if (previous != nullptr) {
      previous->rbnext = item;
    }
    previous = item;
    return item;
  };
  if (withHeader != 0 && next(kGroupXdataStart) == nullptr) {
    return 0;
  }
  if (withApplication != 0) {
    resbuf* item = next(kGroupApplication);
    if (item == nullptr) {
      return 0;
    }
    item->resval.rstring = const_cast<char*>(application_.c_str());
  }
  for (const Entry* entry = first_; entry != nullptr; entry = entry->next) {
    if (entry->disabled != 0 ||
        (filter != nullptr && std::strstr(entry->name, "global_") == nullptr &&
         std::strstr(entry->name, filter) == nullptr)) {
      continue;
    }
    if (entry->type == kInteger) {
      resbuf* item = next(kGroupInteger32);
      if (item == nullptr) {
        return 0;
      }
      item->resval.rlong = integerOf(*entry);
    } else if (entry->type == kReal) {
      resbuf* item = next(kGroupReal);
      if (item == nullptr) {
        return 0;
      }
      item->resval.rreal = *static_cast<const double*>(entry->variable);
    } else if (entry->type == kText) {
      resbuf* item = next(kGroupText);
      if (item == nullptr) {
        return 0;
      }
      item->resval.rstring = static_cast<char*>(entry->variable);
    }
  }
  return count;
}

} // namespace qv

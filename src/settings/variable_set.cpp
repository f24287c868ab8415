// The variable set's entries: adding, disabling, copying, and the values behind them.
#include "settings/variable_set.h"

#include <cstring>
#include <new>

#include "settings/internal/value_text.h"

namespace qv {

namespace {

char* copyName(const char* name) {
  const size_t size = std::strlen(name) + 1;
  char* copy = new (std::nothrow) char[size];
  if (copy != nullptr) {
    std::memcpy(copy, name, size);
  }
  return copy;
}

void assignOrEmpty(std::string& to, const char* from) {
  try {
    to = from != nullptr ? from : "";
  } catch (const std::bad_alloc&) {
    to.clear();
  }
}

} // namespace

QvVariableSet::QvVariableSet(const char* path, const char* application,
                             const char* dictionaryBase) {
  assignOrEmpty(path_, path);
  assignOrEmpty(application_, application);
  assignOrEmpty(dictionaryBase_, dictionaryBase);
}

QvVariableSet::QvVariableSet(const QvVariableSet& other) {
  assignOrEmpty(path_, other.path_.c_str());
  assignOrEmpty(application_, other.application_.c_str());
  assignOrEmpty(dictionaryBase_, other.dictionaryBase_.c_str());
  Entry** tail = &first_;
  for (const Entry* entry = other.first_; entry != nullptr; entry = entry->next) {
    auto* copy = new (std::nothrow) Entry(*entry);
    char* name = copy != nullptr ? copyName(entry->name) : nullptr;
    if (name == nullptr) {
      delete copy;
      return;
    }
    copy->name = name;
    copy->next = nullptr;
    *tail = copy;
    tail = &copy->next;
  }
}

QvVariableSet::~QvVariableSet() {
  while (first_ != nullptr) {
    Entry* next = first_->next;
    delete[] first_->name;
    delete first_;
    first_ = next;
  }
}

QvVariableSet::Entry* QvVariableSet::push(const char* name, void* variable, int type,
                                          const char* group) {
  if (name == nullptr || variable == nullptr) {
    return nullptr;
  }
  auto* entry = new (std::nothrow) Entry{nullptr, variable, type, false, 0, group, 0, first_};
  if (entry == nullptr || (entry->name = copyName(name)) == nullptr) {
    delete entry;
    return nullptr;
  }
  first_ = entry;
  return entry;
}

int QvVariableSet::addInteger(const char* name, int32_t* variable, const char* group) {
  return push(name, variable, kInteger, group) != nullptr ? 1 : 0;
}

int QvVariableSet::addInteger(const char* name, long* variable, const char* group) {
  Entry* entry = push(name, variable, kInteger, group);
  if (entry != nullptr) {
    entry->isLong = true;
  }
  return entry != nullptr ? 1 : 0;
}

int QvVariableSet::addReal(const char* name, double* variable, const char* group) {
  return push(name, variable, kReal, group) != nullptr ? 1 : 0;
}

int QvVariableSet::addText(const char* name, char* buffer, int capacity, const char* group) {
  Entry* entry = push(name, buffer, kText, group);
  if (entry != nullptr) {
    entry->capacity = capacity > 0 ? capacity : 0;
  }
  return entry != nullptr ? 1 : 0;
}

int QvVariableSet::setDisabled(const char* name, int flag) {
  for (Entry* entry = first_; entry != nullptr && name != nullptr; entry = entry->next) {
    if (std::strcmp(entry->name, name) == 0) {
      entry->disabled = flag;
      return 1;
    }
  }
  return 0;
}

int QvVariableSet::enableAll() {
  for (Entry* entry = first_; entry != nullptr; entry = entry->next) {
    entry->disabled = 0;
  }
  return 1;
}

int32_t QvVariableSet::integerOf(const Entry& entry) {
  return entry.isLong ? static_cast<int32_t>(*static_cast<long*>(entry.variable))
                      : *static_cast<int32_t*>(entry.variable);
}

void QvVariableSet::setInteger(const Entry& entry, int32_t value) {
  if (entry.isLong) {
    *static_cast<long*>(entry.variable) = value;
  } else {
    *static_cast<int32_t*>(entry.variable) = value;
  }
}

void QvVariableSet::setText(const Entry& entry, const char* text) {
  settingsfile::copyCapped(static_cast<char*>(entry.variable), static_cast<size_t>(entry.capacity),
                           text);
}

std::string QvVariableSet::textOf(const Entry& entry) {
  const auto* text = static_cast<const char*>(entry.variable);
  return std::string(text, strnlen(text, static_cast<size_t>(entry.capacity)));
}

std::string QvVariableSet::storagePath(const Entry& entry) const {
  std::string path = dictionaryBase_ + "\\";
  if (entry.group != nullptr) {
    path += entry.group;
    path += "\\";
  }
  return path + entry.name;
}

} // namespace qv

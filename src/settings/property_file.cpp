// The property file's table, its file of name=value lines and its reads.
#include "settings/property_file.h"

#include <cstring>
#include <new>

#include "platform/win/windows.h"
#include "settings/internal/name_value_lines.h"
#include "settings/internal/value_text.h"
#include "support/file_rewrite.h"
#include "support/read_decimal.h"

namespace qv {

namespace {

char* copyText(const char* text) {
  const size_t size = std::strlen(text) + 1;
  char* copy = new (std::nothrow) char[size];
  if (copy != nullptr) {
    std::memcpy(copy, text, size);
  }
  return copy;
}

} // namespace

QvPropertyFile::~QvPropertyFile() {
  clear(1);
}

int QvPropertyFile::find(const char* name) const {
  if (name == nullptr) {
    return -1;
  }
  for (int i = 0; i < count_; ++i) {
    if (_stricmp(entries_[i].name, name) == 0) {
      return i;
    }
  }
  return -1;
}

bool QvPropertyFile::reserve(int capacity) {
  if (capacity <= capacity_) {
    return true;
  }
  Entry* grown = new (std::nothrow) Entry[static_cast<size_t>(capacity)];
  if (grown == nullptr) {
    return false;
  }
  if (count_ > 0) {
    std::memcpy(grown, entries_, sizeof(Entry) * static_cast<size_t>(count_));
  }
  delete[] entries_;
  entries_ = grown;
  capacity_ = capacity;
  return true;
}

int QvPropertyFile::setValue(const char* name, const char* value, int onlyExisting) {
  if (name == nullptr) {
    return 0;
  }
  const char* text = value != nullptr ? value : "";
  int at = find(name);
  if (at >= 0 && std::strcmp(entries_[at].value, text) == 0) {
    return 1;
  }
  if (at < 0) {
    if (onlyExisting != 0) {
      return 0;
    }
    if (count_ == capacity_ &&
        (capacity_ > INT32_MAX / 2 || !reserve(capacity_ > 8 ? capacity_ * 2 : 16))) {
      return 0;
    }
  }
  char* newName = copyText(name);
  char* newValue = copyText(text);
  if (newName == nullptr || newValue == nullptr) {
    delete[] newName;
    delete[] newValue;
    return 0;
  }
  if (at < 0) {
    at = count_++;
  } else {
    delete[] entries_[at].name;
    delete[] entries_[at].value;
  }
  entries_[at] = {newName, newValue};
  modified_ = true;
  return 1;
}

int QvPropertyFile::open(const char* path, const QvPropertyDefault* defaults, int defaultCount) {
  std::string newPath;
  try {
    newPath = path != nullptr ? path : ""; // path may be this table's own path()
  } catch (const std::bad_alloc&) {
    clear(1);
    return 0;
  }
  clear(1);
  path_.swap(newPath);
  if (defaults != nullptr && defaultCount > 0) {
    reserve(defaultCount);
    for (int i = 0; i < defaultCount; ++i) {
      setValue(defaults[i].name, defaults[i].value, 0);
    }
  }
  if (path_.empty()) {
    return 1;
  }
  const settingsfile::LinesRead read = settingsfile::readNameValueLines(
      path_.c_str(), [this](const char* name, const char* value) { setValue(name, value, 1); });
  if (read == settingsfile::LinesRead::Whole) {
    return 1;
  }
  if (read == settingsfile::LinesRead::Failed) {
    path_.clear(); // there, but unreadable: never write the defaults over it
  }
  return 0;
}

int QvPropertyFile::save() {
  if (!modified_ || path_.empty()) {
    return 1;
  }
  QvFileRewrite rewrite(path_.c_str(), nullptr, "wt");
  FILE* out = rewrite.file();
  if (out == nullptr) {
    return 0;
  }
  for (int i = 0; i < count_; ++i) {
    fprintf(out, "%s=%s\n", entries_[i].name, entries_[i].value);
  }
  if (rewrite.commit() != 1) {
    return 0;
  }
  modified_ = false;
  return 1;
}

void QvPropertyFile::freeEntries() {
  for (int i = 0; i < count_; ++i) {
    delete[] entries_[i].name;
    delete[] entries_[i].value;
  }
  delete[] entries_;
  entries_ = nullptr;
  count_ = 0;
  capacity_ = 0;
}

void QvPropertyFile::clear(int saveFirst) {
  if (saveFirst != 0) {
    save();
  }
  freeEntries();
  modified_ = false;
  path_.clear();
}

const char* QvPropertyFile::getRaw(const char* name) const {
  const int at = find(name);
  return at >= 0 ? entries_[at].value : nullptr;
}

int QvPropertyFile::getShort(const char* name, int16_t* out) const {
  const char* value = getRaw(name);
  if (value != nullptr && out != nullptr) {
    *out = static_cast<int16_t>(static_cast<uint32_t>(settingsfile::readInt32(value)) & 0xFFFF);
  }
  return value != nullptr ? 1 : 0;
}

int QvPropertyFile::getInt(const char* name, int32_t* out) const {
  const char* value = getRaw(name);
  if (value != nullptr && out != nullptr) {
    *out = settingsfile::readInt32(value);
  }
  return value != nullptr ? 1 : 0;
}

int QvPropertyFile::getReal(const char* name, double* out) const {
  const char* value = getRaw(name);
  if (value != nullptr && out != nullptr) {
    *out = readDecimal(value, nullptr);
  }
  return value != nullptr ? 1 : 0;
}

int QvPropertyFile::getText(const char* name, char* out, int size) const {
  const char* value = getRaw(name);
  if (value != nullptr && out != nullptr && size > 0) {
    settingsfile::copyCapped(out, static_cast<size_t>(size), value);
  }
  return value != nullptr ? 1 : 0;
}

} // namespace qv

// msString: buffer sizing, assignment (also from a part of its own text), pieces and in-place
// edits.
#include "text/ms_string.h"

#include <cstdio>
#include <cstring>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/win/string_win.h"
#include "text/format.h"

namespace qv {

namespace {

// The text of a string whose first buffer could not be allocated; such a string has capacity 0
// and never writes here.
char emptyText[1] = {'\0'};

bool isWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A host buffer sized for a text of length; null when memory runs out.
char* allocateFor(int64_t length, int32_t& capacity) {
  const int32_t size = msStringCapacityFor(length);
  if (size < 0) {
    return nullptr;
  }
  char* block = static_cast<char*>(acad_malloc(static_cast<size_t>(size)));
  if (block != nullptr) {
    capacity = size;
  }
  return block;
}

int64_t lengthOf(const char* text) {
  return text == nullptr ? 0 : static_cast<int64_t>(std::strlen(text));
}

} // namespace

int32_t msStringCapacityFor(int64_t length) {
  if (length < 0) {
    return -1;
  }
  const int64_t needed = length + 1;
  const int64_t capacity = needed >= 10 ? needed * 4 / 3 : length + 6;
  return capacity > INT32_MAX ? -1 : static_cast<int32_t>(capacity);
}

msString::msString() {
  init(nullptr, 0, nullptr, 0);
}

msString::msString(const char* text) {
  init(text, lengthOf(text), nullptr, 0);
}

msString::msString(const msString& other) {
  init(other.text_, lengthOf(other.text_), nullptr, 0);
}

msString::msString(const char* first, int64_t firstLength, const char* second,
                   int64_t secondLength) {
  init(first, firstLength, second, secondLength);
}

msString::~msString() {
  if (capacity_ > 0) {
    acad_free(text_);
  }
}

void msString::init(const char* first, int64_t firstLength, const char* second,
                    int64_t secondLength) {
  text_ = allocateFor(firstLength + secondLength, capacity_);
  if (text_ == nullptr) {
    text_ = emptyText;
    capacity_ = 0;
    return;
  }
  if (firstLength > 0) {
    std::memcpy(text_, first, static_cast<size_t>(firstLength));
  }
  if (secondLength > 0) {
    std::memcpy(text_ + firstLength, second, static_cast<size_t>(secondLength));
  }
  text_[firstLength + secondLength] = '\0';
}

void msString::take(char* fresh, int32_t capacity) {
  if (capacity_ > 0) {
    acad_free(text_);
  }
  text_ = fresh;
  capacity_ = capacity;
}

bool msString::assign(const char* source, int64_t length) {
  const bool insideOwnBuffer =
      source != nullptr && capacity_ > 0 && source >= text_ && source < text_ + capacity_;
  if (insideOwnBuffer || capacity_ < length + 1) {
    // The copy is made before the old buffer goes, which also keeps a part of the own text intact.
    int32_t capacity = 0;
    char* fresh = allocateFor(length, capacity);
    if (fresh == nullptr) {
      return false;
    }
    if (length > 0) {
      std::memcpy(fresh, source, static_cast<size_t>(length));
    }
    fresh[length] = '\0';
    take(fresh, capacity);
    return true;
  }
  if (length > 0) {
    std::memcpy(text_, source, static_cast<size_t>(length));
  }
  text_[length] = '\0';
  return true;
}

msString& msString::operator=(const char* text) {
  assign(text, lengthOf(text));
  return *this;
}

int msString::Assign(const char* text) {
  return assign(text, lengthOf(text)) ? 1 : 0;
}

int msString::Assign(const char* text, int length) {
  if (text == nullptr || length < 0) {
    return assign(nullptr, 0) ? 1 : 0;
  }
  return assign(text, length) ? 1 : 0;
}

msString& msString::operator=(const msString& other) {
  if (&other != this) {
    assign(other.text_, lengthOf(other.text_));
  }
  return *this;
}

msString& msString::operator=(char c) {
  const char text[2] = {c, '\0'};
  assign(text, c == '\0' ? 0 : 1);
  return *this;
}

msString& msString::operator=(int value) {
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%d", value);
  assign(text, length);
  return *this;
}

msString& msString::operator=(int64_t value) {
  char text[24];
  const int length = std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
  assign(text, length);
  return *this;
}

msString& msString::operator+=(const msString& other) {
  // Appending the string to itself reads the own buffer, which the general path handles.
  return *this += other.text_;
}

msString& msString::operator+=(const char* text) {
  const int64_t added = lengthOf(text);
  if (added == 0) {
    return *this;
  }
  const int64_t current = lengthOf(text_);
  if (current + added + 1 <= capacity_) {
    std::memmove(text_ + current, text, static_cast<size_t>(added));
    text_[current + added] = '\0';
    return *this;
  }
  int32_t capacity = 0;
  char* fresh = allocateFor(current + added, capacity);
  if (fresh == nullptr) {
    return *this;
  }
  std::memcpy(fresh, text_, static_cast<size_t>(current));
  std::memcpy(fresh + current, text, static_cast<size_t>(added));
  fresh[current + added] = '\0';
  take(fresh, capacity);
  return *this;
}

msString msString::operator+(const msString& other) const {
  return msString(text_, lengthOf(text_), other.text_, lengthOf(other.text_));
}

msString msString::operator+(const char* text) const {
  return msString(text_, lengthOf(text_), text, lengthOf(text));
}

bool msString::operator==(const msString& other) const {
  return std::strcmp(text_, other.text_) == 0;
}

bool msString::operator==(const char* text) const {
  return std::strcmp(text_, text == nullptr ? "" : text) == 0;
}

int msString::CompareNoCase(const msString& other) const {
  return _stricmp(text_, other.text_) == 0 ? 1 : 0;
}

char& msString::operator[](int index) {
  if (index >= 0 && index < capacity_) {
    return text_[index];
  }
  acedAlert("bad index passed to msString::operator[]");
  if (capacity_ == 0) {
    // No buffer of its own: a scratch character stands in, so the shared empty text stays empty.
    static thread_local char scratch;
    scratch = '\0';
    return scratch;
  }
  return text_[0];
}

char msString::operator[](int index) const {
  if (index >= 0 && index < capacity_) {
    return text_[index];
  }
  acedAlert("bad index passed to msString::operator[]");
  return text_[0];
}

int msString::GetLength() const {
  return static_cast<int>(std::strlen(text_));
}

int msString::IsEmpty() const {
  return text_[0] == '\0' ? 1 : 0;
}

int msString::Find(const char* part) const {
  if (part == nullptr) {
    return -1;
  }
  const char* found = std::strstr(text_, part);
  return found == nullptr ? -1 : static_cast<int>(found - text_);
}

int msString::ReverseFind(char c) const {
  if (c == '\0') {
    return -1;
  }
  const char* found = std::strrchr(text_, c);
  return found == nullptr ? -1 : static_cast<int>(found - text_);
}

msString msString::Left(int n) const {
  const int length = GetLength();
  if (n >= length) {
    return *this;
  }
  return n <= 0 ? msString() : msString(text_, n, nullptr, 0);
}

msString msString::Right(int n) const {
  const int length = GetLength();
  if (n >= length) {
    return *this;
  }
  return n <= 0 ? msString() : msString(text_ + length - n, n, nullptr, 0);
}

msString msString::Mid(int start, int count) const {
  const int length = GetLength();
  if (start < 0 || start >= length || count <= 0) {
    return msString();
  }
  const int available = length - start;
  return msString(text_ + start, count < available ? count : available, nullptr, 0);
}

void msString::MakeUpper() {
  _strupr(text_);
}

void msString::TrimLeft() {
  const char* start = text_;
  while (isWhite(*start)) {
    ++start;
  }
  if (start != text_) {
    std::memmove(text_, start, std::strlen(start) + 1);
  }
}

void msString::TrimRight() {
  size_t length = std::strlen(text_);
  while (length > 0 && isWhite(text_[length - 1])) {
    --length;
  }
  if (text_[length] != '\0') {
    text_[length] = '\0';
  }
}

void msString::Truncate(int position) {
  if (position >= 0 && position < capacity_) {
    text_[position] = '\0';
    return;
  }
  std::printf("pos %d len %d str (%s)\n", position, GetLength(), text_);
}

int msString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = FormatV(format, args);
  va_end(args);
  return result;
}

int msString::FormatV(const char* format, va_list args) {
  char* text = FormatAllocV(format, args);
  if (text == nullptr) {
    return 0;
  }
  const int assigned = Assign(text);
  acad_free(text);
  return assigned;
}

} // namespace qv

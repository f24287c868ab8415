// Dates and extension lists of the file-selection records.
#include "settings/internal/file_date.h"

#include <cstring>
#include <ctime>

#include "platform/win/windows.h"

namespace qv::getfile {

std::string dateText(int64_t seconds) {
  // Windows' ctime answers null for a time before 1970.
  const time_t time = static_cast<time_t>(seconds);
  const char* text = seconds >= 0 ? std::ctime(&time) : nullptr;
  if (text == nullptr) {
    return {};
  }
  std::string date(text);
  while (!date.empty() && (date.back() == ' ' || date.back() == '\r' || date.back() == '\n')) {
    date.pop_back();
  }
  return date;
}

bool listHolds(const char* extensions, const char* extension) {
  if (extensions == nullptr) {
    return false;
  }
  const size_t length = std::strlen(extension);
  for (const char* start = extensions;; ++start) {
    const char* end = std::strchr(start, ';');
    const size_t size = end != nullptr ? static_cast<size_t>(end - start) : std::strlen(start);
    if (size == length && _strnicmp(start, extension, length) == 0) {
      return true;
    }
    if (end == nullptr) {
      return false;
    }
    start = end;
  }
}

} // namespace qv::getfile

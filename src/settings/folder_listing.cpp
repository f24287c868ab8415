// Listing one folder for the file-selection dialog.
#include "settings/folder_listing.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "host/file_names.h"
#include "platform/win/windows.h"
#include "records/allocation_watch.h"
#include "records/uni_record.h"
#include "settings/internal/file_date.h"

namespace qv {

namespace {

IQvUniRecord* entryRecord(const WIN32_FIND_DATAA& found, const char* folder) {
  const std::string date = getfile::dateText(
      fileTimeToSeconds(found.ftLastWriteTime.dwLowDateTime, found.ftLastWriteTime.dwHighDateTime));
  QvUniRecord* record = QvUniRecord::create();
  if (record == nullptr) {
    return nullptr;
  }
  record->setId(found.cFileName);
  record->setField("path", folder, 0, nullptr);
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    record->setField("dir", "1", 0, nullptr);
    return record;
  }
  record->setField("date", date.c_str(), 0, nullptr);
  char size[16];
  std::snprintf(size, sizeof size, "%d", static_cast<int>(found.nFileSizeLow));
  record->setField("size", size, 0, nullptr);
  return record;
}

bool wanted(const WIN32_FIND_DATAA& found, const char* extensions) {
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0;
  }
  if (extensions == nullptr || extensions[0] == '\0' || extensions[0] == '*') {
    return true;
  }
  char extension[MAX_PATH];
  fileExtension(found.cFileName, extension);
  return getfile::listHolds(extensions, extension);
}

// Finds the entries into records; false when memory ran out (records then hold what was made).
bool findEntries(const char* extensions, const char* folder, std::vector<IQvUniRecord*>& records) {
  const size_t length = std::strlen(folder);
  const std::string pattern =
      std::string(folder) + (length > 0 && folder[length - 1] == '\\' ? "*.*" : "\\*.*");
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return true;
  }
  bool whole = true;
  do {
    if (!wanted(found, extensions)) {
      continue;
    }
    IQvUniRecord* record = nullptr;
    try {
      record = entryRecord(found, folder);
      if (record == nullptr) {
        whole = false;
        break;
      }
      records.push_back(record);
    } catch (const std::bad_alloc&) {
      if (record != nullptr) {
        record->release();
      }
      whole = false;
      break;
    }
  } while (FindNextFileA(search, &found) != FALSE);
  FindClose(search);
  return whole;
}

} // namespace

int64_t fileTimeToSeconds(uint32_t low, uint32_t high) {
  return static_cast<int64_t>(low / 1e7 + high / 1e7 * 4294967296.0 - 11644473600.0);
}

int listFolder(const char* extensions, const char* folder, IQvUniRecord** list) {
  if (list == nullptr) {
    return 0;
  }
  *list = nullptr;
  if (folder == nullptr) {
    return 1;
  }
  std::vector<IQvUniRecord*> records;
  bool whole = false;
  QvAllocationWatch watch;
  try {
    whole = findEntries(extensions, folder, records);
    std::stable_sort(records.begin(), records.end(), [](IQvUniRecord* a, IQvUniRecord* b) {
      return _stricmp(a->getId(), b->getId()) < 0;
    });
  } catch (const std::bad_alloc&) {
    whole = false;
  }
  if (!whole || watch.failed()) {
    for (IQvUniRecord* record : records) {
      record->release();
    }
    return 0;
  }
  for (size_t i = records.size(); i-- > 0;) {
    records[i]->setNext(*list);
    *list = records[i];
  }
  return 1;
}

} // namespace qv

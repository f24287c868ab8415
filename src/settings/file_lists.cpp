// The places and recent-files lists of the file-selection dialog.
#include "settings/file_lists.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <unordered_set>

#include "host/file_names.h"
#include "host/file_operations.h"
#include "host/project_file.h"
#include "host/sys_vars.h"
#include "platform/win/sys_stat.h"
#include "platform/win/windows.h"
#include "records/allocation_watch.h"
#include "records/table_file.h"
#include "records/uni_record.h"
#include "settings/internal/file_date.h"
#include "settings/internal/getfile_table.h"
#include "settings/internal/text_line.h"
#include "text/ms_string.h"

namespace qv {

namespace {

std::string upper(std::string text) {
  _strupr(text.data());
  return text;
}

// A chain built at its end, with the ids it holds (upper-cased) for the duplicate checks.
class RecordList {
public:
  ~RecordList() {
    if (first_ != nullptr) {
      first_->releaseChain();
    }
  }
  bool holds(const char* id) const { return ids_.count(upper(id)) != 0; }
  // A new record of that id at the end; null when memory ran out.
  IQvUniRecord* add(const char* id) {
    QvUniRecord* record = QvUniRecord::create();
    if (record == nullptr) {
      return nullptr;
    }
    record->setId(id);
    try {
      ids_.insert(upper(id));
    } catch (const std::bad_alloc&) {
      record->release();
      return nullptr;
    }
    (last_ != nullptr ? last_->setNext(record) : void(first_ = record));
    last_ = record;
    return record;
  }
  int count() const { return static_cast<int>(ids_.size()); }
  IQvUniRecord* take() {
    IQvUniRecord* first = first_;
    first_ = last_ = nullptr;
    return first;
  }

private:
  IQvUniRecord* first_ = nullptr;
  IQvUniRecord* last_ = nullptr;
  std::unordered_set<std::string> ids_;
};

// True when the upper-cased line (with its "\n") holds an '=' and ends with "." and an extension
// of the list.
bool lineMatches(const std::string& line, const char* extensions) {
  if (line.find('=') == std::string::npos) {
    return false;
  }
  for (const char* start = extensions; *start != '\0';) {
    const char* end = std::strchr(start, ';');
    const size_t size = end != nullptr ? static_cast<size_t>(end - start) : std::strlen(start);
    if (line.find(upper("." + std::string(start, size) + "\n")) != std::string::npos) {
      return true;
    }
    if (end == nullptr) {
      break;
    }
    start = end + 1;
  }
  return false;
}

// A project-file line that names a data file: its folder to the places, the file to the recent
// files when it exists. False when memory ran out.
bool addDataFile(const std::string& line, RecordList& places, RecordList& recent) {
  std::string value = line.substr(line.find('=') + 1);
  const size_t first = value.find_first_not_of(' ');
  const size_t last = value.find_last_not_of(" \r\n");
  const std::string fullPath = first == std::string::npos || last < first
                                   ? std::string()
                                   : value.substr(first, last - first + 1);
  slashesToBackslashes(value.data());
  const size_t cut = value.find_last_of('\\');
  if (cut == std::string::npos) {
    return true; // no folder to offer
  }
  const std::string folder = value.substr(0, cut + 1);
  if (validatePathText(folder.c_str()) == 0) {
    return true;
  }
  if (!places.holds(folder.c_str()) && places.add(folder.c_str()) == nullptr) {
    return false;
  }
  struct _stat facts {};
  if (_stat(fullPath.c_str(), &facts) != 0) {
    return true;
  }
  char name[MAX_PATH];
  fileNamePart(fullPath.c_str(), name);
  if (recent.holds(name)) {
    return true;
  }
  const int order = recent.count() + 1;
  IQvUniRecord* record = recent.add(name);
  if (record == nullptr) {
    return false;
  }
  record->setField("path", folder.c_str(), 0, nullptr);
  record->setField("date", getfile::dateText(facts.st_mtime).c_str(), 0, nullptr);
  char size[16];
  std::snprintf(size, sizeof size, "%d", static_cast<int>(facts.st_size));
  record->setField("size", size, 0, nullptr);
  record->setFieldLong("order", order, 0, nullptr);
  return true;
}

bool readProjectFile(const char* extensions, RecordList& places, RecordList& recent) {
  std::string path;
  if (!projectFilePath(path)) {
    return true;
  }
  FILE* in = _fsopen(path.c_str(), "r", _SH_DENYNO);
  if (in == nullptr) {
    return true;
  }
  bool whole = true;
  std::string line;
  try {
    while (whole && settingsfile::readWholeLine(in, line)) {
      const std::string text = upper(line) + "\n";
      whole = !lineMatches(text, extensions) || addDataFile(text, places, recent);
    }
  } catch (const std::bad_alloc&) {
    whole = false;
  }
  fclose(in);
  return whole;
}

// The existing folders of getfile.xml's records of the extensions, then of the favourites.
bool readRememberedFolders(const char* extensions, RecordList& places) {
  const std::string path = getfile::filePath();
  IQvUniTable* tables = path.empty() ? nullptr : readTableFile(path.c_str());
  if (tables == nullptr) {
    return true;
  }
  bool whole = true;
  try { // a folder compared upper-cased may not fit the string's own buffer: the tables go anyway
    for (int pass = 0; pass < 2 && whole; ++pass) {
      for (IQvUniRecord* record = tables->firstRecord(); record != nullptr && whole;
           record = record->next()) {
        const char* id = record->getId() != nullptr ? record->getId() : "";
        const bool wanted =
            pass == 0 ? getfile::listHolds(extensions, id) : _stricmp(id, "favorite") == 0;
        msString folder;
        if (!wanted || record->getFieldText("path", folder) == 0 || isDirectory(folder) == 0 ||
            places.holds(folder)) {
          continue;
        }
        whole = places.add(folder) != nullptr;
      }
    }
  } catch (const std::bad_alloc&) {
    whole = false;
  }
  tables->releaseChain();
  return whole;
}

bool isDefaultDrawing() {
  char prefix[MAX_PATH];
  char name[MAX_PATH];
  getSysVarString(prefix, "DWGPREFIX");
  getSysVarString(name, "DWGNAME");
  return upper(std::string(prefix) + name).find("DRAWING.DWG") != std::string::npos;
}

} // namespace

int buildFileLists(const char* extensions, IQvUniRecord** places, IQvUniRecord** recentFiles) {
  if (places == nullptr || recentFiles == nullptr) {
    return 0;
  }
  *places = *recentFiles = nullptr;
  const char* list = extensions != nullptr ? extensions : "";
  try {
    if (isDefaultDrawing()) {
      return 1;
    }
    RecordList placeList;
    RecordList recentList;
    QvAllocationWatch watch;
    if (!readProjectFile(list, placeList, recentList) || !readRememberedFolders(list, placeList) ||
        watch.failed()) {
      return 0;
    }
    *places = placeList.take();
    *recentFiles = recentList.take();
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

} // namespace qv

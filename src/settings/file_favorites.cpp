// Remembered folders and favourites in "getfile.xml".
#include "settings/file_favorites.h"

#include <new>
#include <string>

#include "host/file_names.h"
#include "platform/win/windows.h"
#include "records/allocation_watch.h"
#include "records/table_file.h"
#include "settings/internal/getfile_table.h"
#include "text/ms_string.h"

namespace qv {

namespace {

template <typename Change> int updateGetfileAt(const std::string& path, Change change) {
  if (path.empty()) {
    return 0;
  }
  IQvUniTable* tables = getfile::readForUpdate(path);
  if (tables == nullptr) {
    return 0;
  }
  QvAllocationWatch watch;
  const bool changed = change(tables) && !watch.failed();
  const int written = changed && writeTableFile(path.c_str(), tables) == 1 ? 1 : 0;
  tables->releaseChain();
  return written;
}

// Reads the file, lets change alter its first table, and writes every table back.
template <typename Change> int updateGetfile(Change change) {
  try {
    return updateGetfileAt(getfile::filePath(), change);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

} // namespace

int rememberFolder(const char* filePath) {
  if (filePath == nullptr) {
    return 0;
  }
  char extension[MAX_PATH];
  char folder[MAX_PATH];
  fileExtension(filePath, extension);
  folderPart(filePath, folder);
  return updateGetfile([&](IQvUniTable* table) {
    // A record without an id, as the file keeps the empty one, is the record of no extension.
    for (IQvUniRecord* record = table->firstRecord(); record != nullptr; record = record->next()) {
      const char* id = record->getId();
      if (_stricmp(id != nullptr ? id : "", extension) == 0) {
        record->setField("path", folder, 1, nullptr);
        return true;
      }
    }
    return getfile::appendPathRecord(table, extension, folder);
  });
}

int setFavorite(const char* folder, int remove) {
  if (folder == nullptr) {
    return 0;
  }
  return updateGetfile([&](IQvUniTable* table) {
    IQvUniRecord* match = nullptr;
    for (IQvUniRecord* record = table->firstRecord(); record != nullptr && match == nullptr;
         record = record->next()) {
      const char* id = record->getId();
      if (id != nullptr && _stricmp(id, "favorite") == 0) {
        msString value;
        record->getFieldText("path", value);
        if (_stricmp(static_cast<const char*>(value), folder) == 0) {
          match = record;
        }
      }
    }
    if (match == nullptr && remove == 0) {
      return getfile::appendPathRecord(table, "favorite", folder);
    }
    if (match != nullptr && remove != 0) {
      if (match == table->firstRecord()) {
        table->setFirstRecord(match->next());
        match->release();
      } else {
        table->firstRecord()->removeRecord(match);
      }
    }
    return true;
  });
}

} // namespace qv

// Reading "getfile.xml" for an update.
#include "settings/internal/getfile_table.h"

#include <cstring>

#include "host/folders.h"
#include "host/lisp_symbols.h"
#include "platform/win/sys_stat.h"
#include "platform/win/windows.h"
#include "records/table_file.h"
#include "records/uni_record.h"
#include "records/uni_table.h"

namespace qv::getfile {

std::string filePath() {
  char folder[kFolderBufferSize];
  if (getLispString(folder, "usrdir$") == 1 && folder[0] != '\0') {
    std::memcpy(userFolder, folder, sizeof folder);
  }
  if (userFolder[0] == '\0') {
    return {};
  }
  return std::string(userFolder) + "getfile.xml";
}

IQvUniTable* readForUpdate(const std::string& path) {
  if (IQvUniTable* tables = readTableFile(path.c_str())) {
    return tables;
  }
  // Only a missing or empty file starts anew: favourites that cannot be read are not overwritten.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) {
      return nullptr;
    }
  } else {
    struct _stat facts {};
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || _stat(path.c_str(), &facts) != 0 ||
        facts.st_size != 0) {
      return nullptr;
    }
  }
  return QvUniTable::create();
}

bool appendPathRecord(IQvUniTable* table, const char* id, const char* folder) {
  QvUniRecord* record = QvUniRecord::create();
  if (record == nullptr) {
    return false;
  }
  record->setId(id);
  record->setField("path", folder, 1, nullptr);
  if (table->firstRecord() == nullptr) {
    table->setFirstRecord(record);
  } else {
    table->firstRecord()->appendRecord(record);
  }
  return true;
}

} // namespace qv::getfile

// The "name=value" lines of a settings file.
#include "settings/internal/name_value_lines.h"

#include <new>
#include <string>

#include "platform/win/windows.h"
#include "settings/internal/text_line.h"

namespace qv::settingsfile {

LinesRead readNameValueLines(const char* path,
                             const std::function<void(const char* name, const char* value)>& take) {
  FILE* file = _fsopen(path, "rt", _SH_DENYNO);
  if (file == nullptr) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? LinesRead::Missing
                                                                          : LinesRead::Failed;
  }
  bool whole = true;
  try {
    std::string line;
    while (readWholeLine(file, line)) {
      const size_t cut = line.find('=');
      if (cut != std::string::npos) {
        line[cut] = '\0';
        take(line.c_str(), line.c_str() + cut + 1);
      }
    }
  } catch (const std::bad_alloc&) {
    whole = false;
  }
  whole = ferror(file) == 0 && whole;
  fclose(file);
  return whole ? LinesRead::Whole : LinesRead::Failed;
}

} // namespace qv::settingsfile

// The family's file dialogs: the LISP route, the host's dialog and the system's dialog.
#include "host/file_dialogs.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/family_calls.h"
#include "host/file_operations.h"
#include "host/internal/upper_text.h"
#include "host/lisp_symbols.h"
#include "host/project_file.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/win/windows.h"
#include "support/read_decimal.h"

namespace qv {
namespace {

// What the system dialog's file buffer may hold, of its MAX_PATH bytes.
constexpr DWORD kDialogFileChars = 254;

std::string trimmed(const char* text) {
  const std::string value = text != nullptr ? text : "";
  const char* blanks = " \t\r\n";
  const size_t first = value.find_first_not_of(blanks);
  return first == std::string::npos
             ? std::string()
             : value.substr(first, value.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> split(const std::string& text, const char* separators) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(separators, start);
    end = end == std::string::npos ? text.size() : end;
    if (end > start) {
      parts.push_back(text.substr(start, end - start));
    }
    start = end + 1;
  }
  return parts;
}

// Puts the path into the caller's result: into its buffer (cut to MAX_PATH bytes), or into a new
// host string when it has none. False when that string cannot be allocated.
bool deliver(resbuf* result, const std::string& path) {
  if (result->resval.rstring == nullptr) {
    auto* text = static_cast<char*>(acad_malloc(path.size() + 1));
    if (text == nullptr) {
      return false;
    }
    std::memcpy(text, path.c_str(), path.size() + 1);
    result->resval.rstring = text;
  } else {
    const size_t length = std::min<size_t>(path.size(), MAX_PATH - 1);
    std::memcpy(result->resval.rstring, path.data(), length);
    result->resval.rstring[length] = '\0';
  }
  result->restype = RTSTR;
  return true;
}

UINT_PTR CALLBACK quietHook(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

// The default when it names no particular file: the folder where a file of one of the
// extensions was last picked, with the default's name part when it lay in the temporary folder.
std::string defaultFromProject(const std::string& defaultPath, const char* extensions) {
  char temp[MAX_PATH] = "";
  getLispString(temp, "tmpdir$");
  const std::string tempFolder = upperText(temp);
  const std::string upperDefault = upperText(defaultPath);
  const bool inTemp = !tempFolder.empty() && upperDefault.find(tempFolder) != std::string::npos;
  const bool noFile = defaultPath.empty() || defaultPath.back() == '\\' ||
                      defaultPath.back() == '/' || inTemp || isDirectory(defaultPath.c_str());
  if (!noFile) {
    return defaultPath;
  }
  const std::string namePart = inTemp ? upperDefault.substr(tempFolder.size()) : std::string();
  for (const std::string& extension : split(extensions != nullptr ? extensions : "", ";")) {
    char folder[MAX_PATH];
    projectFileFolder(extension.c_str(), folder);
    if (folder[0] != '\0') {
      return folder + namePart;
    }
  }
  return defaultPath;
}

// One run of the host's dialog: its status, and the chosen path on RTNORM.
int hostDialog(const char* title, const std::string& defaultPath, const char* extensions, int flags,
               std::string& chosen) {
  resbuf answer{};
  answer.restype = RTNONE;
  const int status = acedGetFileD(title, defaultPath.c_str(), extensions, flags, &answer);
  if (status == RTNORM && answer.restype == RTSTR && answer.resval.rstring != nullptr) {
    chosen = answer.resval.rstring;
  }
  if (answer.restype == RTSTR && answer.resval.rstring != nullptr) {
    acad_free(answer.resval.rstring);
  }
  return status == RTNORM && chosen.empty() ? RTCAN : status;
}

// The host's dialog; a new file that exists is confirmed by the user.
int hostFileChoice(const char* title, std::string defaultPath, const char* extensions, int flags,
                   std::string& chosen) {
  if ((flags & 1) == 0 || (flags & 32) != 0) {
    return hostDialog(title, defaultPath, extensions, flags, chosen);
  }
  for (;;) {
    chosen.clear();
    const int status = hostDialog(title, defaultPath, extensions, flags | 32, chosen);
    if (status != RTNORM) {
      return status;
    }
    char found[512];
    if (acedFindFile(chosen.c_str(), found) != RTNORM) {
      return RTNORM;
    }
    const std::string question = chosen + " already exists.\nDo you want to replace it?";
    if (MessageBoxA(nullptr, question.c_str(), "Quorvane Message", MB_YESNO | MB_ICONEXCLAMATION) !=
        IDNO) {
      return RTNORM;
    }
    defaultPath = chosen;
  }
}

bool recordsProjectFile() {
  int32_t doIni = 1;
  return getLispInt(&doIni, "do_ini") == 0 || doIni != 0;
}

} // namespace

int getFile(const char* title, const char* defaultPath, const char* extensions, int flags,
            resbuf* result) {
  if (result == nullptr) {
    return RTERROR;
  }
  resbuf* answer = nullptr;
  const int status = invokeFamilyGetFile(title, defaultPath, extensions, flags, &answer);
  if (status == RTERROR) {
    acutRelRb(answer);
    return getFileLocal(title, defaultPath, extensions, flags, result);
  }
  const resbuf* first = answer != nullptr && answer->restype == RTLB ? answer->rbnext : answer;
  int outcome = RTCAN;
  if (status == RTNORM && first != nullptr && first->restype == RTSTR &&
      first->resval.rstring != nullptr && first->resval.rstring[0] != '\0') {
    if (deliver(result, first->resval.rstring)) {
      char newFile[64] = "";
      getLispString(newFile, "qvan_new_file");
      result->restype = readDecimal(newFile, nullptr) == 0.0 ? RTSTR : kNewFileResult;
      outcome = RTNORM;
    } else {
      outcome = RTERROR;
    }
  }
  acutRelRb(answer);
  return outcome;
}

int getFileLocal(const char* title, const char* defaultPath, const char* extensions, int flags,
                 resbuf* result) {
  if (result == nullptr) {
    return RTERROR;
  }
  const std::string list = extensions != nullptr ? extensions : "";
  const std::string startAt = defaultFromProject(trimmed(defaultPath), extensions);
  std::string chosen;
  int status = RTCAN;
  if (list.find(';') == std::string::npos || list.find('*') != std::string::npos || flags != 0) {
    status = hostFileChoice(title, startAt, extensions, flags, chosen);
    if (status == RTNORM && !deliver(result, chosen)) {
      status = RTERROR;
    }
  } else {
    status = systemFileDialog(title, startAt.c_str(), extensions, 0, result, nullptr);
    if (status == RTNORM) {
      chosen = result->resval.rstring;
    }
  }
  if (status == RTNORM && recordsProjectFile()) {
    recordProjectFile(chosen.c_str());
  }
  return status;
}

int systemFileDialog(const char* title, const char* defaultPath, const char* extensions, int mode,
                     resbuf* result, HWND owner) {
  if (result == nullptr) {
    return RTERROR;
  }
  const std::vector<std::string> list = split(extensions != nullptr ? extensions : "", ",;");
  std::string filter;
  if (mode == 0) {
    std::string patterns;
    for (const std::string& extension : list) {
      patterns += (patterns.empty() ? "*." : ";*.") + extension;
    }
    filter = patterns + '\0' + patterns + '\0';
  } else {
    for (const std::string& extension : list) {
      filter += "*." + extension + '\0' + "*." + extension + '\0';
    }
  }
  filter += '\0';
  const std::string start = defaultPath != nullptr ? defaultPath : "";
  const size_t nameStart = start.find_last_of("\\/");
  const std::string name = start.substr(nameStart == std::string::npos ? 0 : nameStart + 1);
  char file[MAX_PATH] = "";
  std::memcpy(file, name.data(), std::min<size_t>(name.size(), kDialogFileChars - 1));

  OPENFILENAMEA ofn{};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = list.empty() ? nullptr : filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = kDialogFileChars;
  ofn.lpstrInitialDir = start.c_str();
  ofn.lpstrTitle = title;
  ofn.lpstrDefExt = list.empty() ? nullptr : list.back().c_str();
  ofn.lpfnHook = quietHook;
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  if (mode == 0) {
    ofn.Flags |= OFN_FILEMUSTEXIST;
  } else if ((mode & 32) == 0) {
    ofn.Flags |= OFN_OVERWRITEPROMPT;
  }
  const BOOL chosen = mode == 0 ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
  if (chosen) {
    return deliver(result, file) ? RTNORM : RTERROR;
  }
  const DWORD error = CommDlgExtendedError();
  if (error != 0) {
    char message[64];
    std::snprintf(message, sizeof message, "File selection open error: code = %d",
                  static_cast<int>(error));
    acedAlert(message);
  }
  return RTCAN;
}

} // namespace qv

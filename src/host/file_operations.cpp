// Plain file operations on Windows paths.
#include "host/file_operations.h"

#include <cstring>
#include <string>

#include "platform/win/share.h"
#include "platform/win/stdio_win.h"
#include "platform/win/windows.h"

namespace qv {
namespace {

constexpr size_t kCopyBlock = 4096;

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

bool sameName(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    const bool bothSeparators = isSeparator(*a) && isSeparator(*b);
    if (!bothSeparators && _strnicmp(a, b, 1) != 0) {
      return false;
    }
  }
  return *a == *b;
}

} // namespace

int isDirectory(const char* path) {
  if (path == nullptr) {
    return 0;
  }
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int validatePathText(const char* path) {
  if (path == nullptr || *path == '\0') {
    return 1;
  }
  const std::string text(path);
  const bool hasSeparator = text.find_first_of("\\/") != std::string::npos;
  const bool looksLikeFile =
      !isSeparator(text.back()) && hasSeparator && text.find('.') != std::string::npos;
  const bool absolute = isSeparator(text[0]) || (text.size() > 1 && text[1] == ':');
  if (absolute) {
    return isDirectory(text.substr(0, text.size() - 1).c_str());
  }
  if (looksLikeFile) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
  }
  return 1;
}

void deleteBackupOf(char* path, size_t size) {
  if (path == nullptr || size == 0) {
    return;
  }
  std::string name(path, strnlen(path, size));
  const size_t nameStart = name.find_last_of("\\/");
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart)) {
    name.resize(dot);
  }
  name += ".bak";
  if (name.size() >= size) {
    return;
  }
  std::memcpy(path, name.c_str(), name.size() + 1);
  DeleteFileA(path);
}

int copyFile(const char* source, const char* target) {
  if (source == nullptr || target == nullptr || sameName(source, target)) {
    return 0;
  }
  FILE* in = _fsopen(source, "rb", _SH_DENYWR);
  if (in == nullptr) {
    return 0;
  }
  FILE* out = _fsopen(target, "wb", _SH_DENYWR);
  if (out == nullptr) {
    fclose(in);
    return 0;
  }
  char block[kCopyBlock];
  int copied = 1;
  for (;;) {
    const size_t got = fread(block, 1, sizeof block, in);
    if (got > 0 && fwrite(block, 1, got, out) != got) {
      copied = 0;
      break;
    }
    if (got < sizeof block) {
      copied = ferror(in) ? 0 : 1;
      break;
    }
  }
  fclose(in);
  if (fclose(out) != 0) {
    copied = 0;
  }
  return copied;
}

double fileTimeStamp(const char* path) {
  if (path == nullptr) {
    return 0.0;
  }
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return 0.0;
  }
  FILETIME written{};
  FILETIME local{};
  SYSTEMTIME time{};
  const bool known = GetFileTime(file, nullptr, nullptr, &written) &&
                     FileTimeToLocalFileTime(&written, &local) &&
                     FileTimeToSystemTime(&local, &time);
  CloseHandle(file);
  if (!known) {
    return 0.0;
  }
  return time.wYear * 1e8 + time.wMonth * 1e6 + time.wDay * 1e4 + time.wHour * 100.0 + time.wMinute;
}

} // namespace qv

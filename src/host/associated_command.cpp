// The program Windows opens a file with.
#include "host/associated_command.h"

#include <cstring>
#include <string>

#include "platform/win/windows.h"

namespace qv {
namespace {

// The registry texts read here hold at most this many bytes.
constexpr DWORD kValueBytes = 100;
// The expanded command holds at most this many characters.
constexpr DWORD kCommandChars = 255;

// The default value of the key under the classes root, as a terminated text; false when it
// cannot be read.
bool defaultValue(const std::string& keyPath, std::string& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  char data[kValueBytes + 1] = {};
  DWORD size = kValueBytes;
  DWORD type = 0;
  const LONG status =
      RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  value.assign(data, strnlen(data, size));
  return !value.empty();
}

} // namespace

void associatedCommand(const char* fileName, char* output, size_t size) {
  if (fileName == nullptr || output == nullptr || size == 0) {
    return;
  }
  const std::string name(fileName);
  const size_t dot = name.find('.', name.size() > 4 ? name.size() - 4 : 0);
  if (dot == std::string::npos) {
    MessageBoxA(nullptr, "Unable to determine file extension", "", MB_ICONEXCLAMATION);
    return;
  }
  output[0] = '\0';
  std::string type;
  std::string command;
  if (!defaultValue(name.substr(dot), type) ||
      !defaultValue(type + "\\shell\\open\\command", command)) {
    return;
  }
  char expanded[kCommandChars + 1];
  const DWORD needed = ExpandEnvironmentStringsA(command.c_str(), expanded, sizeof expanded);
  if (needed == 0 || needed > sizeof expanded) {
    return;
  }
  const size_t length = std::min<size_t>(std::strlen(expanded), size - 1);
  std::memcpy(output, expanded, length);
  output[length] = '\0';
}

} // namespace qv

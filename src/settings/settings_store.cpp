#include "settings/settings_store.h"

#include <cstdio>
#include <cstring>

#include "host/sys_vars.h"
#include "platform/win/windows.h"

namespace qv {

namespace {

constexpr const char* keyPathFormat = "Software\\Maradel Software\\Quorvane\\%s\\%s";
constexpr const char* releaseComponent = "2007";
// The host variable that carries one identifier per host installation.
constexpr const char* installationVariable = "*_pkser";
constexpr DWORD installPathSize = MAX_PATH;

char installPathBuffer[installPathSize];

HKEY rootFor(int perUser) {
  return perUser != 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// Reads a value into buffer (size bytes) as a terminated text; false when the value cannot be
// read or does not fit with its terminator. Registry texts need not end with a terminator, so
// the text ends at the size the registry answered, and a value that fills the buffer without
// one is too long.
bool queryText(HKEY key, const char* name, char* buffer, DWORD size, DWORD* type) {
  DWORD length = size;
  if (RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &length) !=
          ERROR_SUCCESS ||
      length > size) {
    buffer[0] = '\0';
    return false;
  }
  if (length == size && buffer[length - 1] != '\0') {
    buffer[0] = '\0';
    return false;
  }
  buffer[length == size ? length - 1 : length] = '\0';
  return true;
}

} // namespace

int settingsKeyPath(char* path) {
  // The fixed part leaves the rest of the path's size for the installation identifier.
  char installation[settingsKeyPathSize - 40] = "";
  if (getSysVarString(installation, installationVariable) != 1) {
    installation[0] = '\0';
  }
  std::snprintf(path, settingsKeyPathSize, keyPathFormat, releaseComponent, installation);
  return 1;
}

LONG writeSettingString(const char* name, const char* text, int perUser) {
  if (text == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  char path[settingsKeyPathSize];
  settingsKeyPath(path);
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExA(rootFor(perUser), path, 0, KEY_WRITE, &key);
  if (opened != ERROR_SUCCESS) {
    return opened;
  }
  const LONG stored = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                     static_cast<DWORD>(std::strlen(text) + 1));
  const LONG closed = RegCloseKey(key);
  return stored != ERROR_SUCCESS ? stored : closed;
}

char* readSettingString(const char* name, char* text, int perUser) {
  if (text == nullptr) {
    return nullptr;
  }
  char value[settingTextSize];
  value[0] = '\0';
  char path[settingsKeyPathSize];
  settingsKeyPath(path);
  HKEY key = nullptr;
  if (RegOpenKeyExA(rootFor(perUser), path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    queryText(key, name, value, sizeof value, nullptr);
    RegCloseKey(key);
  }
  std::snprintf(text, settingTextSize, "%s", value);
  return text;
}

const char* installPath() {
  installPathBuffer[0] = '\0';
  char path[settingsKeyPathSize];
  settingsKeyPath(path);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return installPathBuffer;
  }
  DWORD type = REG_NONE;
  // The second name is tried only when the first cannot be read, whatever its type.
  if (!queryText(key, "PATH_R15", installPathBuffer, installPathSize, &type)) {
    queryText(key, "PATH", installPathBuffer, installPathSize, &type);
  }
  if (type != REG_SZ) {
    installPathBuffer[0] = '\0';
  }
  RegCloseKey(key);
  return installPathBuffer;
}

} // namespace qv

// The family's settings in the registry: string values under one key per product release and
// host installation, "Software\Maradel Software\Quorvane\<release>\<installation>", in
// HKEY_CURRENT_USER (per user) or HKEY_LOCAL_MACHINE. Every call opens the key, does one thing
// and closes it again; nothing prints, and a key the installer never made makes every write fail
// and every read empty. Host main thread only.
#pragma once

#include "platform/win/windef.h"

namespace qv {

// The longest settings key path, terminator included.
constexpr int settingsKeyPathSize = 256;
// The longest value text readSettingString gives back, terminator included.
constexpr int settingTextSize = 255;

// Writes the settings key path into path (settingsKeyPathSize bytes). The installation component
// is the host's installation identifier; when the host cannot tell it (or it would not fit), the
// path ends with the release and a backslash. Returns 1.
int settingsKeyPath(char* path);

// Stores text as a REG_SZ value (terminator included) of that name in the settings key, under
// HKEY_CURRENT_USER when perUser is non-zero, else HKEY_LOCAL_MACHINE. The key is never created.
// Returns 0 on success, else the registry's error code: of opening the key, of the store, or of
// closing the key, the first that failed.
LONG writeSettingString(const char* name, const char* text, int perUser);

// Reads the value of that name from the settings key into text (settingTextSize bytes) and
// returns text. A missing key or value, a failed read or a value of settingTextSize bytes or
// more leave the empty text.
char* readSettingString(const char* name, char* text, int perUser);

// The product's installation folder from HKEY_LOCAL_MACHINE: the REG_SZ value "PATH_R15", or
// "PATH" when that cannot be read, as stored (no separator added). The empty text when neither
// can be read, the value found is not a text, or it is too long. Points to one module-wide
// buffer that the next call overwrites (not reentrant).
const char* installPath();

} // namespace qv

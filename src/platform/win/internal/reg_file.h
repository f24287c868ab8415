// .reg files as regedit reads and writes them: "Windows Registry Editor Version 5.00" (UTF-16LE
// with a byte-order mark; its hex(1), hex(2) and hex(7) data are UTF-16) and the older ANSI
// "REGEDIT4".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win/internal/registry_tree.h"

namespace sim::detail {

struct RegFileLoad {
  bool ok = false;                   // false: not a registry file, nothing was loaded
  std::vector<std::string> problems; // lines regedit would skip, "line N: why"
};

// Applies a .reg file (its bytes) to the registry in file order: keys are created, "[-key]"
// deletes a tree, values are set or ("name"=-) deleted.
RegFileLoad loadRegFile(RegistryState& state, std::string_view fileBytes);

// The tree under keyPath ("HKEY_CURRENT_USER\Software\X"; "" for every root) as a .reg file's
// bytes, CR LF line ends; version 5 (UTF-16LE with its mark) when unicode, else REGEDIT4. An
// unknown or missing key gives the empty text.
std::string writeRegFile(RegistryState& state, std::string_view keyPath, bool unicode);

} // namespace sim::detail

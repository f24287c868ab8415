// Control surface of the stand-in registry: seeding it from .reg files, writing it out as one,
// and the count of open keys.
//
// The registry lives in memory and starts empty with every session (sim::reset). A test seeds it
// with the file an installer would import:
//
//   sim::loadRegistry("Windows Registry Editor Version 5.00\r\n\r\n"
//                     "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product]\r\n"
//                     "\"PATH\"=\"C:\\\\Program Files\\\\Product\\\\\"\r\n");
//
// A console keeps the registry between runs in a .reg file: loadRegistryFile at start,
// saveRegistryFile at exit (the file is replaced whole).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct RegistryLoad {
  bool ok = false;                   // false: not a registry file; nothing was loaded
  std::vector<std::string> problems; // lines skipped as regedit skips them, "line N: why"
};

// Imports a .reg file given as its bytes, as regedit imports it: "Windows Registry Editor
// Version 5.00" (UTF-16LE with a byte-order mark, or 8-bit) or "REGEDIT4"; keys are created,
// "[-key]" deletes a tree, "name"=- a value. Texts are kept in UTF-8, the stand-in's ANSI code
// page.
RegistryLoad loadRegistry(const std::string& fileBytes);
// The same from a file of the machine running the tests (not a Windows path); a file that cannot
// be read gives ok false.
RegistryLoad loadRegistryFile(const std::string& hostPath);

// The registry (keyPath "") or the tree under keyPath ("HKEY_CURRENT_USER\Software\X") as a .reg
// file: version 5 in UTF-16LE when unicode, else REGEDIT4. A missing key gives the empty text.
std::string exportRegistry(const std::string& keyPath = "", bool unicode = true);
// Writes exportRegistry(keyPath) to a host file, replacing it; false when it cannot be written.
bool saveRegistryFile(const std::string& hostPath, const std::string& keyPath = "");

// Keys opened by RegOpenKeyExA or RegCreateKeyExA and not closed yet.
int64_t openKeys();

} // namespace sim

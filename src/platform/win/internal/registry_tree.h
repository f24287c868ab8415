// The stand-in registry's keys and values, and the table of open key handles, per session.
// Texts are kept as the ANSI calls store them (the bytes given, terminator included); the ANSI
// code page of the stand-in is UTF-8, so that Unicode texts of .reg files survive a round trip.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/winreg.h"

namespace sim::detail {

struct RegValue {
  std::string name; // "" is the key's default value
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct RegKey {
  std::string name;
  // Subkeys by their folded name: key names compare without regard to case.
  std::map<std::string, std::shared_ptr<RegKey>> subkeys;
  std::vector<RegValue> values; // in the order they were first set
  bool deleted = false;         // deleted while a handle still held it

  RegValue* findValue(std::string_view valueName);
  void setValue(std::string_view valueName, DWORD type, std::vector<BYTE> data);
  bool eraseValue(std::string_view valueName);
};

// The name as keys and values are compared: ASCII letters upper-cased.
std::string foldName(std::string_view name);

// The components of a key path ("a\b\c"); nullopt for an empty component (a leading, doubled
// or trailing-twice backslash). One trailing backslash is allowed. "" gives no components.
std::optional<std::vector<std::string>> splitKeyPath(std::string_view path);

struct OpenKey {
  std::shared_ptr<RegKey> key;
  REGSAM access = 0;
};

struct RegistryState {
  RegistryState();
  std::mutex lock;
  // Indexed by the predefined handle's low bits (HKEY_CLASSES_ROOT 0 ... HKEY_CURRENT_CONFIG 5).
  std::shared_ptr<RegKey> roots[6];
  std::map<uintptr_t, OpenKey> handles;
  uintptr_t nextHandle = 0x1000;
};

RegistryState& registry();

// The root of a predefined handle, or null for any other value.
std::shared_ptr<RegKey> predefinedRoot(RegistryState& state, HKEY key);
// The root named in full ("HKEY_LOCAL_MACHINE", any case), with its handle; null when unknown.
std::shared_ptr<RegKey> namedRoot(RegistryState& state, std::string_view name, HKEY* handle);
// The full names of the roots that hold anything, with their handles, in the order Windows
// lists them.
struct RootName {
  const char* name;
  HKEY handle;
};
const std::vector<RootName>& rootNames();

// The key at path under from, or null when a component is missing.
std::shared_ptr<RegKey> findKey(const std::shared_ptr<RegKey>& from,
                                const std::vector<std::string>& path);
// The key at path under from, made with every missing key on the way; *created tells whether
// the last one was new.
std::shared_ptr<RegKey> createKey(const std::shared_ptr<RegKey>& from,
                                  const std::vector<std::string>& path, bool* created);
// Takes the key at path (and everything under it) out of the tree; false when it is missing.
bool removeKeyTree(const std::shared_ptr<RegKey>& from, const std::vector<std::string>& path);

} // namespace sim::detail

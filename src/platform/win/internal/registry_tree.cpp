// The stand-in registry's tree: case-blind lookups, creation along a path, deletion of subtrees.
#include "platform/win/internal/registry_tree.h"

#include "platform/win/string_win.h"

#include "platform/internal/session.h"

namespace sim::detail {

namespace {

bool sameName(std::string_view a, std::string_view b) {
  return foldName(a) == foldName(b);
}

void markDeleted(RegKey& key) {
  key.deleted = true;
  for (auto& [folded, child] : key.subkeys) {
    markDeleted(*child);
  }
}

} // namespace

std::string foldName(std::string_view name) {
  std::string folded(name);
  _strupr(folded.data());
  return folded;
}

RegValue* RegKey::findValue(std::string_view valueName) {
  for (RegValue& value : values) {
    if (sameName(value.name, valueName)) {
      return &value;
    }
  }
  return nullptr;
}

void RegKey::setValue(std::string_view valueName, DWORD type, std::vector<BYTE> data) {
  if (RegValue* value = findValue(valueName)) {
    value->type = type;
    value->data = std::move(data);
    return;
  }
  values.push_back(RegValue{std::string(valueName), type, std::move(data)});
}

bool RegKey::eraseValue(std::string_view valueName) {
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (sameName(it->name, valueName)) {
      values.erase(it);
      return true;
    }
  }
  return false;
}

std::optional<std::vector<std::string>> splitKeyPath(std::string_view path) {
  std::vector<std::string> parts;
  if (!path.empty() && path.back() == '\\') {
    path.remove_suffix(1);
  }
  if (path.empty()) {
    return parts;
  }
  size_t start = 0;
  while (true) {
    const size_t end = path.find('\\', start);
    const std::string_view part = path.substr(start, end - start);
    if (part.empty()) {
      return std::nullopt;
    }
    parts.emplace_back(part);
    if (end == std::string_view::npos) {
      return parts;
    }
    start = end + 1;
  }
}

RegistryState::RegistryState() {
  for (const RootName& root : rootNames()) {
    auto key = std::make_shared<RegKey>();
    key->name = root.name;
    roots[reinterpret_cast<uintptr_t>(root.handle) & 0xF] = std::move(key);
  }
}

RegistryState& registry() {
  return session<RegistryState>();
}

const std::vector<RootName>& rootNames() {
  static const std::vector<RootName> names = {
      {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},     {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
      {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},   {"HKEY_USERS", HKEY_USERS},
      {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
  };
  return names;
}

std::shared_ptr<RegKey> predefinedRoot(RegistryState& state, HKEY key) {
  for (const RootName& root : rootNames()) {
    if (root.handle == key) {
      return state.roots[reinterpret_cast<uintptr_t>(key) & 0xF];
    }
  }
  return nullptr;
}

std::shared_ptr<RegKey> namedRoot(RegistryState& state, std::string_view name, HKEY* handle) {
  for (const RootName& root : rootNames()) {
    if (sameName(root.name, name)) {
      if (handle != nullptr) {
        *handle = root.handle;
      }
      return predefinedRoot(state, root.handle);
    }
  }
  return nullptr;
}

std::shared_ptr<RegKey> findKey(const std::shared_ptr<RegKey>& from,
                                const std::vector<std::string>& path) {
  std::shared_ptr<RegKey> key = from;
  for (const std::string& part : path) {
    auto found = key->subkeys.find(foldName(part));
    if (found == key->subkeys.end()) {
      return nullptr;
    }
    key = found->second;
  }
  return key;
}

std::shared_ptr<RegKey> createKey(const std::shared_ptr<RegKey>& from,
                                  const std::vector<std::string>& path, bool* created) {
  std::shared_ptr<RegKey> key = from;
  bool made = false;
  for (const std::string& part : path) {
    auto [slot, isNew] = key->subkeys.try_emplace(foldName(part));
    if (isNew) {
      slot->second = std::make_shared<RegKey>();
      slot->second->name = part;
    }
    made = isNew;
    key = slot->second;
  }
  if (created != nullptr) {
    *created = made;
  }
  return key;
}

bool removeKeyTree(const std::shared_ptr<RegKey>& from, const std::vector<std::string>& path) {
  if (path.empty()) {
    return false;
  }
  const std::vector<std::string> parentPath(path.begin(), path.end() - 1);
  std::shared_ptr<RegKey> parent = findKey(from, parentPath);
  if (parent == nullptr) {
    return false;
  }
  auto found = parent->subkeys.find(foldName(path.back()));
  if (found == parent->subkeys.end()) {
    return false;
  }
  markDeleted(*found->second);
  parent->subkeys.erase(found);
  return true;
}

} // namespace sim::detail

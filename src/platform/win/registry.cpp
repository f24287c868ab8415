// The registry calls over the stand-in's in-memory tree (platform/win/internal/registry_tree.h).
// Handles count as open until RegCloseKey; a key deleted while open answers ERROR_KEY_DELETED.
#include <cstring>

#include "platform/internal/session.h"
#include "platform/win/internal/registry_tree.h"
#include "platform/win/winerror.h"
#include "platform/win/winreg.h"

using namespace sim::detail;

namespace {

// The key behind a handle: a predefined root (every access) or an open handle of this session.
LONG resolve(RegistryState& state, HKEY handle, OpenKey* out) {
  if (std::shared_ptr<RegKey> root = predefinedRoot(state, handle)) {
    *out = OpenKey{std::move(root), KEY_ALL_ACCESS};
    return ERROR_SUCCESS;
  }
  auto found = state.handles.find(reinterpret_cast<uintptr_t>(handle));
  if (found == state.handles.end()) {
    return ERROR_INVALID_HANDLE;
  }
  *out = found->second;
  return out->key->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

// Locks the registry into guard and finds the key behind the handle, which must grant one of the
// rights asked for (0: any).
LONG lockedKey(HKEY handle, REGSAM needed, std::unique_lock<std::mutex>& guard, OpenKey* out) {
  RegistryState& state = registry();
  guard = std::unique_lock<std::mutex>(state.lock);
  if (LONG error = resolve(state, handle, out); error != ERROR_SUCCESS) {
    return error;
  }
  return needed != 0 && (out->access & needed) == 0 ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

HKEY addHandle(RegistryState& state, std::shared_ptr<RegKey> key, REGSAM access) {
  const uintptr_t value = state.nextHandle;
  state.nextHandle += 4;
  state.handles.emplace(value,
                        OpenKey{std::move(key), access & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY)});
  return reinterpret_cast<HKEY>(value);
}

std::string_view valueNameOf(LPCSTR name) {
  return name == nullptr ? std::string_view() : std::string_view(name);
}

} // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result) {
  const StandInCall inCall;
  if (result == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  *result = nullptr;
  if (shouldFail(FailableCall::RegOpenKeyExA)) {
    return ERROR_ACCESS_DENIED;
  }
  RegistryState& state = registry();
  std::unique_lock<std::mutex> guard;
  OpenKey from;
  if (LONG error = lockedKey(key, 0, guard, &from); error != ERROR_SUCCESS) {
    return error;
  }
  const auto path = splitKeyPath(valueNameOf(subKey));
  if (!path) {
    return ERROR_BAD_PATHNAME;
  }
  if (path->empty() && predefinedRoot(state, key) != nullptr) {
    *result = key; // a predefined key opened as itself is the same handle, not a new one
    return ERROR_SUCCESS;
  }
  std::shared_ptr<RegKey> found = findKey(from.key, *path);
  if (found == nullptr) {
    return ERROR_FILE_NOT_FOUND;
  }
  *result = addHandle(state, std::move(found), desired);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM desired,
                     LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  const StandInCall inCall;
  if (result == nullptr || subKey == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  *result = nullptr;
  if (shouldFail(FailableCall::RegCreateKeyExA)) {
    return ERROR_ACCESS_DENIED;
  }
  RegistryState& state = registry();
  std::unique_lock<std::mutex> guard;
  OpenKey from;
  if (LONG error = lockedKey(key, 0, guard, &from); error != ERROR_SUCCESS) {
    return error;
  }
  const auto path = splitKeyPath(subKey);
  if (!path) {
    return ERROR_BAD_PATHNAME;
  }
  std::shared_ptr<RegKey> existing = findKey(from.key, *path);
  if (existing == nullptr && (from.access & KEY_CREATE_SUB_KEY) == 0) {
    return ERROR_ACCESS_DENIED;
  }
  bool created = false;
  std::shared_ptr<RegKey> made = existing ? existing : createKey(from.key, *path, &created);
  if (disposition != nullptr) {
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  *result = addHandle(state, std::move(made), desired);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
  const StandInCall inCall;
  if (data != nullptr && dataSize == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (shouldFail(FailableCall::RegQueryValueExA)) {
    return ERROR_ACCESS_DENIED;
  }
  std::unique_lock<std::mutex> guard;
  OpenKey from;
  if (LONG error = lockedKey(key, KEY_QUERY_VALUE, guard, &from); error != ERROR_SUCCESS) {
    return error;
  }
  const RegValue* value = from.key->findValue(valueNameOf(valueName));
  if (value == nullptr) {
    return ERROR_FILE_NOT_FOUND;
  }
  if (type != nullptr) {
    *type = value->type;
  }
  if (dataSize == nullptr) {
    return ERROR_SUCCESS;
  }
  const auto size = static_cast<DWORD>(value->data.size());
  if (data == nullptr) {
    *dataSize = size;
    return ERROR_SUCCESS;
  }
  if (*dataSize < size) {
    *dataSize = size;
    return ERROR_MORE_DATA;
  }
  if (size != 0) {
    std::memcpy(data, value->data.data(), size);
  }
  *dataSize = size;
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data,
                    DWORD dataSize) {
  const StandInCall inCall;
  if (data == nullptr && dataSize != 0) {
    return ERROR_NOACCESS;
  }
  if (shouldFail(FailableCall::RegSetValueExA)) {
    return ERROR_ACCESS_DENIED;
  }
  std::unique_lock<std::mutex> guard;
  OpenKey from;
  if (LONG error = lockedKey(key, KEY_SET_VALUE, guard, &from); error != ERROR_SUCCESS) {
    return error;
  }
  std::vector<BYTE> bytes(data, data + dataSize);
  from.key->setValue(valueNameOf(valueName), type, std::move(bytes));
  return ERROR_SUCCESS;
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
  const StandInCall inCall;
  if (shouldFail(FailableCall::RegDeleteValueA)) {
    return ERROR_ACCESS_DENIED;
  }
  std::unique_lock<std::mutex> guard;
  OpenKey from;
  if (LONG error = lockedKey(key, KEY_SET_VALUE, guard, &from); error != ERROR_SUCCESS) {
    return error;
  }
  return from.key->eraseValue(valueNameOf(valueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
  const StandInCall inCall;
  if (subKey == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (shouldFail(FailableCall::RegDeleteKeyA)) {
    return ERROR_ACCESS_DENIED;
  }
  std::unique_lock<std::mutex> guard;
  OpenKey from;
  if (LONG error = lockedKey(key, 0, guard, &from); error != ERROR_SUCCESS) {
    return error;
  }
  const auto path = splitKeyPath(subKey);
  if (!path || path->empty()) {
    return ERROR_BAD_PATHNAME;
  }
  std::shared_ptr<RegKey> target = findKey(from.key, *path);
  if (target == nullptr) {
    return ERROR_FILE_NOT_FOUND;
  }
  // Windows deletes only a key without subkeys; a tree goes leaf first.
  if (!target->subkeys.empty()) {
    return ERROR_ACCESS_DENIED;
  }
  removeKeyTree(from.key, *path);
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  const StandInCall inCall;
  const bool fails = shouldFail(FailableCall::RegCloseKey);
  RegistryState& state = registry();
  std::lock_guard<std::mutex> lock(state.lock);
  if (predefinedRoot(state, key) != nullptr) {
    return fails ? ERROR_INVALID_HANDLE : ERROR_SUCCESS;
  }
  // A failed close still gives the handle up, as fclose does with its stream: the caller cannot
  // try again with it.
  if (state.handles.erase(reinterpret_cast<uintptr_t>(key)) == 0) {
    return ERROR_INVALID_HANDLE;
  }
  return fails ? ERROR_INVALID_HANDLE : ERROR_SUCCESS;
}

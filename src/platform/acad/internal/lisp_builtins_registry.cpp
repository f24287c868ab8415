// Visual LISP's registry functions, vl-registry-read and vl-registry-write, through the Windows
// layer's registry calls.
#include <cstring>

#include "platform/acad/internal/lisp_machine.h"
#include "platform/win/windows.h"

namespace sim::detail {
namespace {

// Splits "HKEY_CURRENT_USER\Software\X" into its root and the path under it; false for a name
// that starts with no root.
bool splitKey(const std::string& name, HKEY* root, std::string* path) {
  static const struct {
    const char* name;
    HKEY root;
  } roots[] = {{"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
               {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
               {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
               {"HKEY_USERS", HKEY_USERS},
               {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG}};
  const size_t cut = name.find('\\');
  const std::string first = name.substr(0, cut);
  for (const auto& candidate : roots) {
    if (_stricmp(first.c_str(), candidate.name) == 0) {
      *root = candidate.root;
      *path = cut == std::string::npos ? std::string() : name.substr(cut + 1);
      return true;
    }
  }
  return false;
}

// The value's name: nil or absent names the key's default value.
std::string valueName(LispMachine& machine, const LispArgs& args, size_t at) {
  return args.size() > at && args[at] ? needString(machine, args[at]) : std::string();
}

LispRef registryReadSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 2);
  HKEY root = nullptr;
  std::string path;
  if (!splitKey(needString(machine, args[0]), &root, &path)) {
    return LispRef();
  }
  const std::string name = valueName(machine, args, 1);
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return LispRef();
  }
  DWORD type = 0;
  DWORD size = 0;
  std::string data;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    data.resize(size);
    status = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                              reinterpret_cast<LPBYTE>(data.data()), &size);
    data.resize(size);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    return LispRef();
  }
  if (type == REG_DWORD && data.size() == 4) {
    int32_t number = 0;
    std::memcpy(&number, data.data(), 4);
    return makeInteger(number);
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    return makeString(data.substr(0, data.find('\0')));
  }
  return LispRef(); // other types have no AutoLISP value here
}

LispRef registryWriteSubr(LispMachine& machine, LispArgs& args) {
  machine.arity(args, 1, 3);
  HKEY root = nullptr;
  std::string path;
  if (!splitKey(needString(machine, args[0]), &root, &path)) {
    return LispRef();
  }
  const std::string name = valueName(machine, args, 1);
  const LispRef data = args.size() == 3 ? args[2] : LispRef();
  std::string bytes;
  DWORD type = REG_SZ;
  if (isKind(data, LispKind::Integer)) {
    type = REG_DWORD;
    bytes.assign(reinterpret_cast<const char*>(&data->integer), 4);
  } else if (isKind(data, LispKind::String)) {
    bytes = data->text + '\0';
  } else if (data) {
    machine.badArgument("stringp", data);
  } else {
    bytes.assign(1, '\0'); // no data: the empty text
  }
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return LispRef();
  }
  const LONG status =
      RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    return LispRef();
  }
  return data ? data : makeString("");
}

} // namespace

void defineRegistryFunctions(LispMachine& machine) {
  machine.defineSubr("vl-registry-read", registryReadSubr);
  machine.defineSubr("vl-registry-write", registryWriteSubr);
}

} // namespace sim::detail

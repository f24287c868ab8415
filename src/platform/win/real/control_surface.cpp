// The control surface of the Windows calls where Windows itself answers them. What only the
// stand-in can do (planned failures, a chosen administrator answer, captured debugger output) is
// not offered here; the tests that need it say so and skip.
#include <windows.h>

#include <string>

#include "platform/internal/session.h"
#include "platform/sim.h"
#include "platform/win/sim_files.h"
#include "platform/win/sim_registry.h"
#include "platform/win/sim_system.h"

namespace sim {

namespace {

std::string driveRoot(char letter) {
  return std::string(1, letter) + ":";
}

} // namespace

void mapDrive(char letter, const std::string& hostFolder) {
  const std::string drive = driveRoot(letter);
  if (hostFolder.empty()) {
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive.c_str(), nullptr);
    return;
  }
  const DWORD before = GetFileAttributesA((drive + "\\").c_str());
  if (before != INVALID_FILE_ATTRIBUTES) {
    detail::reportMisuse("sim::mapDrive: drive " + drive + " exists already on this system");
    return;
  }
  DefineDosDeviceA(0, drive.c_str(), hostFolder.c_str());
  // Wine accepts the definition without resolving paths through it.
  if (GetFileAttributesA((drive + "\\").c_str()) == INVALID_FILE_ATTRIBUTES) {
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive.c_str(), nullptr);
    detail::reportMisuse("sim::mapDrive: this system cannot map " + drive + " to " + hostFolder);
  }
}

std::string driveRoot(char letter, const std::string& hostFolder) {
  (void)letter;
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(hostFolder.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) {
    detail::reportMisuse("sim::driveRoot: no Windows path for " + hostFolder);
    return {};
  }
  std::string root(full, length);
  return root.back() == '\\' ? root : root + "\\";
}

std::string hostPath(const std::string& windowsPath) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(windowsPath.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH || GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES) {
    return {};
  }
  return std::string(full, length);
}

bool windowsAnswers() {
  return true;
}

// Wine's ntdll exports its version; Windows' does not.
bool runsOnWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Windows counts every kernel handle of the process (files, searches, keys, threads, events)
// together; the leak check reads them in liveHandles, and the others answer for their share 0.
int64_t liveHandles() {
  const int64_t now = detail::processHandleCount();
  const int64_t atReset = detail::handlesAtReset.load(std::memory_order_relaxed);
  return now > atReset ? static_cast<int64_t>(now) - atReset : 0;
}

int openFiles() {
  return 0;
}

int openSearches() {
  return 0;
}

int64_t openKeys() {
  return 0;
}

void mapShare(const std::string& share, const std::string& hostFolder) {
  detail::reportMisuse("sim::mapShare: " + share + " is a share of this system's network, not " +
                       hostFolder);
}

// The registry is the user's own here: tests neither seed it nor write it out.
RegistryLoad loadRegistry(const std::string&) {
  detail::reportMisuse("sim::loadRegistry: the registry is Windows' own here");
  return {};
}

RegistryLoad loadRegistryFile(const std::string& hostPath) {
  detail::reportMisuse("sim::loadRegistryFile: the registry is Windows' own here, not " + hostPath);
  return {};
}

std::string exportRegistry(const std::string& keyPath, bool) {
  detail::reportMisuse("sim::exportRegistry: the registry is Windows' own here (" + keyPath + ")");
  return {};
}

bool saveRegistryFile(const std::string& hostPath, const std::string&) {
  detail::reportMisuse("sim::saveRegistryFile: the registry is Windows' own here, not " + hostPath);
  return false;
}

void setAdministrator(std::optional<bool> administrator) {
  if (administrator.has_value()) {
    detail::reportMisuse("sim::setAdministrator: Windows answers from the running user's groups");
  }
}

} // namespace sim

// GlobalMemoryStatus from the running system's /proc/meminfo and the process's /proc/self/status.
#include "platform/win/sysinfoapi.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/internal/session.h"

namespace {

// The "Name: value kB" lines of a /proc file, in bytes; missing files give an empty map.
std::map<std::string, uint64_t> readKilobyteTable(const char* path) {
  std::map<std::string, uint64_t> values;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
      continue;
    }
    std::istringstream rest(line.substr(colon + 1));
    uint64_t amount = 0;
    std::string unit;
    if (rest >> amount) {
      rest >> unit;
      values[line.substr(0, colon)] = unit == "kB" ? amount * 1024 : amount;
    }
  }
  return values;
}

uint64_t valueOr0(const std::map<std::string, uint64_t>& table, const char* name) {
  auto found = table.find(name);
  return found == table.end() ? 0 : found->second;
}

constexpr uint64_t kPageSize = 4096;

// The user part of the address space of a process on x86-64 Linux (47 bits, less the guard page).
constexpr uint64_t kUserAddressSpace = (uint64_t{1} << 47) - kPageSize;

} // namespace

void GlobalMemoryStatus(LPMEMORYSTATUS buffer) {
  if (buffer == nullptr) {
    // Windows writes through the pointer and faults: a caller's fault, told as a misuse.
    sim::detail::reportMisuse("GlobalMemoryStatus: no buffer to fill");
    return;
  }
  const auto system = readKilobyteTable("/proc/meminfo");
  const auto process = readKilobyteTable("/proc/self/status");
  // Windows counts memory in whole pages.
  const auto pages = [](uint64_t bytes) { return bytes / kPageSize * kPageSize; };
  const uint64_t totalPhys = pages(valueOr0(system, "MemTotal"));
  const uint64_t availPhys = pages(valueOr0(system, "MemAvailable"));
  // Windows' "page file" figures are the commit limit, physical memory and page files together,
  // and what is left of it once the memory promised to processes is taken. Linux's CommitLimit
  // is not that: it takes half of the memory only, and binds nothing unless overcommit is off.
  const uint64_t commitLimit = totalPhys + pages(valueOr0(system, "SwapTotal"));
  const uint64_t committed = pages(valueOr0(system, "Committed_AS"));
  const uint64_t mapped = valueOr0(process, "VmSize");

  buffer->dwLength = sizeof(MEMORYSTATUS);
  buffer->dwMemoryLoad =
      totalPhys == 0 ? 0 : static_cast<DWORD>((totalPhys - availPhys) * 100 / totalPhys);
  buffer->dwTotalPhys = totalPhys;
  buffer->dwAvailPhys = availPhys;
  buffer->dwTotalPageFile = commitLimit;
  buffer->dwAvailPageFile = committed < commitLimit ? commitLimit - committed : 0;
  buffer->dwTotalVirtual = kUserAddressSpace;
  buffer->dwAvailVirtual = mapped < kUserAddressSpace ? kUserAddressSpace - mapped : 0;
}

// The process's count of open kernel handles, against which the leak check tells handles left
// open. Windows answers GetProcessHandleCount. Wine answers it with success and 0 whatever is
// open (no process runs without a handle), so there the process's entries in the system's handle
// table are counted instead, which Wine keeps for every handle it hands out.
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/internal/session.h"

namespace sim::detail {

namespace {

// NtQuerySystemInformation's class for the handle table with full process ids, and its rows.
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

struct HandleEntry {
  PVOID object;
  ULONG_PTR processId;
  ULONG_PTR handle;
  ULONG grantedAccess;
  USHORT creatorBackTraceIndex;
  USHORT objectTypeIndex;
  ULONG attributes;
  ULONG reserved;
};

struct HandleTable {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

uint32_t countInSystemTable() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  const auto query = reinterpret_cast<QuerySystemInformation>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
  if (query == nullptr) {
    return 0;
  }
  std::vector<char> buffer(64 * 1024);
  NTSTATUS status;
  ULONG needed = 0;
  while ((status = query(kSystemExtendedHandleInformation, buffer.data(),
                         static_cast<ULONG>(buffer.size()), &needed)) == kInfoLengthMismatch) {
    // Handles come and go between the calls: leave room for more than asked.
    buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
  }
  if (status < 0) {
    return 0;
  }
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  const ULONG_PTR self = GetCurrentProcessId();
  uint32_t mine = 0;
  for (ULONG_PTR index = 0; index < table->count; ++index) {
    mine += table->entries[index].processId == self ? 1 : 0;
  }
  return mine;
}

} // namespace

uint32_t processHandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) {
    return count;
  }
  return countInSystemTable();
}

} // namespace sim::detail

// The Administrators-group test on the access token.
#include "support/administrator.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/win/windows.h"

namespace qv {

namespace {

// The token's groups into storage aligned for TOKEN_GROUPS, of the 4096 bytes the groups have
// always been read into.
bool readGroups(HANDLE token, std::vector<ULONG_PTR>& storage) {
  storage.assign(4096 / sizeof(ULONG_PTR), 0);
  DWORD needed = 0;
  return GetTokenInformation(token, TokenGroups, storage.data(),
                             static_cast<DWORD>(storage.size() * sizeof(ULONG_PTR)),
                             &needed) != FALSE;
}

bool groupsHold(const std::vector<ULONG_PTR>& storage, PSID wanted) {
  const auto* bytes = reinterpret_cast<const BYTE*>(storage.data());
  DWORD count = 0;
  std::memcpy(&count, bytes + offsetof(TOKEN_GROUPS, GroupCount), sizeof count);
  for (DWORD i = 0; i < count; ++i) {
    SID_AND_ATTRIBUTES group{};
    std::memcpy(&group, bytes + offsetof(TOKEN_GROUPS, Groups) + i * sizeof group, sizeof group);
    if (EqualSid(group.Sid, wanted)) {
      return true;
    }
  }
  return false;
}

} // namespace

int isAdministrator() {
  HANDLE token = nullptr;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token) &&
      !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return 0;
  }
  int answer = 0;
  std::vector<ULONG_PTR> storage;
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (readGroups(token, storage) &&
      AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                               DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
    answer = groupsHold(storage, administrators) ? 1 : 0;
    FreeSid(administrators);
  }
  CloseHandle(token);
  return answer;
}

} // namespace qv

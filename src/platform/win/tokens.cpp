// Access tokens and SIDs answering from the user and groups the process runs as. The user and
// its groups get the SIDs Samba gives Unix accounts (S-1-22-1-uid, S-1-22-2-gid); the built-in
// Administrators group goes to root and to members of the group that grants administration here.
#include "platform/win/securitybaseapi.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <grp.h>
#include <mutex>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/internal/session.h"
#include "platform/sim.h"
#include "platform/win/internal/kernel_object.h"
#include "platform/win/windows.h"

namespace {

// MaxTokenInfoClass of the newest SDK, one past the last class Windows knows.
constexpr int kMaxTokenInfoClass = 50;

using SidBytes = std::vector<BYTE>;

struct AdministratorAnswer {
  std::mutex guard;
  std::optional<bool> forced;
};

SidBytes makeSid(BYTE authority, const std::vector<DWORD>& subAuthorities) {
  SidBytes sid(8 + 4 * subAuthorities.size(), 0);
  sid[0] = SID_REVISION;
  sid[1] = static_cast<BYTE>(subAuthorities.size());
  sid[7] = authority;
  for (size_t i = 0; i < subAuthorities.size(); ++i) {
    std::memcpy(&sid[8 + 4 * i], &subAuthorities[i], 4);
  }
  return sid;
}

bool groupGrantsAdministration(gid_t group) {
  std::vector<char> scratch(16384);
  struct group entry {};
  struct group* found = nullptr;
  if (getgrgid_r(group, &entry, scratch.data(), scratch.size(), &found) != 0 || found == nullptr) {
    return false;
  }
  const std::string name = found->gr_name;
  return name == "sudo" || name == "wheel" || name == "admin";
}

struct Account {
  uid_t user = 0;
  std::vector<gid_t> groups;
  bool administrator = false;
};

Account runningAccount() {
  Account account;
  account.user = geteuid();
  account.groups.push_back(getegid());
  const int count = getgroups(0, nullptr);
  if (count > 0) {
    std::vector<gid_t> more(static_cast<size_t>(count));
    const int got = getgroups(count, more.data());
    for (int i = 0; i < got; ++i) {
      if (more[static_cast<size_t>(i)] != account.groups[0]) {
        account.groups.push_back(more[static_cast<size_t>(i)]);
      }
    }
  }
  account.administrator = account.user == 0;
  for (gid_t group : account.groups) {
    account.administrator = account.administrator || groupGrantsAdministration(group);
  }
  AdministratorAnswer& answer = sim::detail::session<AdministratorAnswer>();
  std::lock_guard<std::mutex> lock(answer.guard);
  if (answer.forced) {
    account.administrator = *answer.forced;
  }
  return account;
}

constexpr DWORD kEnabledGroup = SE_GROUP_MANDATORY | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_ENABLED;

class TokenObject : public sim::detail::KernelObject {
public:
  TokenObject(DWORD access, const Account& account) : access_(access) {
    user_ = makeSid(22, {1, static_cast<DWORD>(account.user)});
    groups_.push_back(makeSid(1, {SECURITY_WORLD_RID}));
    groups_.push_back(makeSid(5, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS}));
    if (account.administrator) {
      groups_.push_back(makeSid(5, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}));
    }
    for (gid_t group : account.groups) {
      groups_.push_back(makeSid(22, {2, static_cast<DWORD>(group)}));
    }
  }

  const DWORD access_;
  SidBytes user_;
  std::vector<SidBytes> groups_;
};

// Writes a SID_AND_ATTRIBUTES at entry and its SID at sidOffset of the buffer; byte copies, as
// the caller's buffer need not be aligned.
void putSidAndAttributes(BYTE* buffer, size_t entry, size_t sidOffset, const SidBytes& sid,
                         DWORD attributes) {
  SID_AND_ATTRIBUTES item{buffer + sidOffset, attributes};
  std::memcpy(buffer + entry, &item, sizeof item);
  std::memcpy(buffer + sidOffset, sid.data(), sid.size());
}

BOOL failWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

const BYTE* sidBytes(PSID sid) {
  return static_cast<const BYTE*>(sid);
}

} // namespace

BOOL OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::OpenProcessToken)) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  if (process != sim::detail::currentProcessHandle()) {
    return failWith(ERROR_INVALID_HANDLE);
  }
  if (token == nullptr) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  *token = sim::detail::openHandle(std::make_shared<TokenObject>(desiredAccess, runningAccount()));
  return *token != nullptr ? TRUE : FALSE;
}

BOOL OpenThreadToken(HANDLE thread, DWORD, BOOL, PHANDLE token) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::OpenThreadToken)) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  if (!sim::detail::isThreadHandle(thread)) {
    return failWith(ERROR_INVALID_HANDLE);
  }
  if (token == nullptr) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  return failWith(ERROR_NO_TOKEN);
}

BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS informationClass, LPVOID information,
                         DWORD length, PDWORD returnLength) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::GetTokenInformation)) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  // The class is looked at before the handle. Windows knows the classes from TokenUser (1) to below
  // MaxTokenInfoClass; any other is an invalid class (STATUS_INVALID_INFO_CLASS). Of those it
  // knows, the stand-in holds the user and the groups alone.
  const int classNumber = static_cast<int>(informationClass); // a caller may pass any number
  if (returnLength == nullptr || classNumber < TokenUser || classNumber >= kMaxTokenInfoClass) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  if (informationClass != TokenUser && informationClass != TokenGroups) {
    sim::detail::reportMisuse("GetTokenInformation: the stand-in's tokens answer TokenUser and "
                              "TokenGroups only");
    return failWith(ERROR_INVALID_PARAMETER);
  }
  std::shared_ptr<TokenObject> source = sim::detail::objectAs<TokenObject>(token);
  if (!source) {
    return failWith(ERROR_INVALID_HANDLE);
  }
  if ((source->access_ & TOKEN_QUERY) == 0) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  size_t needed = 0;
  if (informationClass == TokenUser) {
    needed = sizeof(TOKEN_USER) + source->user_.size();
  } else {
    needed = offsetof(TOKEN_GROUPS, Groups) + source->groups_.size() * sizeof(SID_AND_ATTRIBUTES);
    for (const SidBytes& sid : source->groups_) {
      needed += sid.size();
    }
  }
  *returnLength = static_cast<DWORD>(needed);
  if (information == nullptr || length < needed) {
    return failWith(ERROR_INSUFFICIENT_BUFFER);
  }
  auto* buffer = static_cast<BYTE*>(information);
  if (informationClass == TokenUser) {
    putSidAndAttributes(buffer, offsetof(TOKEN_USER, User), sizeof(TOKEN_USER), source->user_, 0);
    return TRUE;
  }
  const DWORD count = static_cast<DWORD>(source->groups_.size());
  std::memcpy(buffer + offsetof(TOKEN_GROUPS, GroupCount), &count, sizeof count);
  size_t sidOffset = offsetof(TOKEN_GROUPS, Groups) + count * sizeof(SID_AND_ATTRIBUTES);
  for (size_t i = 0; i < count; ++i) {
    putSidAndAttributes(buffer, offsetof(TOKEN_GROUPS, Groups) + i * sizeof(SID_AND_ATTRIBUTES),
                        sidOffset, source->groups_[i], kEnabledGroup);
    sidOffset += source->groups_[i].size();
  }
  return TRUE;
}

BOOL AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD subAuthority0,
                              DWORD subAuthority1, DWORD subAuthority2, DWORD subAuthority3,
                              DWORD subAuthority4, DWORD subAuthority5, DWORD subAuthority6,
                              DWORD subAuthority7, PSID* sid) {
  if (authority == nullptr || sid == nullptr) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  if (count > 8) { // the eight given; Windows answers STATUS_INVALID_SID
    return failWith(ERROR_INVALID_SID);
  }
  void* made = sim::detail::shouldFail(sim::detail::FailableCall::AllocateAndInitializeSid)
                   ? nullptr
                   : std::malloc(8 + 4 * count);
  if (made == nullptr) {
    return failWith(ERROR_NOT_ENOUGH_MEMORY);
  }
  const DWORD all[8] = {subAuthority0, subAuthority1, subAuthority2, subAuthority3,
                        subAuthority4, subAuthority5, subAuthority6, subAuthority7};
  auto* bytes = static_cast<BYTE*>(made);
  bytes[0] = SID_REVISION;
  bytes[1] = count;
  std::memcpy(bytes + 2, authority->Value, 6);
  std::memcpy(bytes + 8, all, 4 * static_cast<size_t>(count));
  *sid = made;
  return TRUE;
}

PVOID FreeSid(PSID sid) {
  std::free(sid);
  return nullptr;
}

BOOL IsValidSid(PSID sid) {
  return sid != nullptr && sidBytes(sid)[0] == SID_REVISION &&
                 sidBytes(sid)[1] <= SID_MAX_SUB_AUTHORITIES
             ? TRUE
             : FALSE;
}

DWORD GetLengthSid(PSID sid) {
  return IsValidSid(sid) ? 8 + 4 * static_cast<DWORD>(sidBytes(sid)[1]) : 0;
}

BOOL EqualSid(PSID sid1, PSID sid2) {
  if (!IsValidSid(sid1) || !IsValidSid(sid2)) {
    return failWith(ERROR_INVALID_SID);
  }
  SetLastError(ERROR_SUCCESS);
  const DWORD size = GetLengthSid(sid1);
  return size == GetLengthSid(sid2) && std::memcmp(sid1, sid2, size) == 0 ? TRUE : FALSE;
}

BOOL CheckTokenMembership(HANDLE token, PSID sid, PBOOL isMember) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::CheckTokenMembership)) {
    return failWith(ERROR_ACCESS_DENIED);
  }
  if (sid == nullptr || isMember == nullptr) {
    return failWith(ERROR_INVALID_PARAMETER);
  }
  if (token != nullptr) {
    // The token is opened for a query first; the stand-in's tokens are all primary ones.
    const std::shared_ptr<TokenObject> given = sim::detail::objectAs<TokenObject>(token);
    if (!given) {
      return failWith(ERROR_INVALID_HANDLE);
    }
    return failWith((given->access_ & TOKEN_QUERY) == 0 ? ERROR_ACCESS_DENIED
                                                        : ERROR_NO_IMPERSONATION_TOKEN);
  }
  if (!IsValidSid(sid)) {
    return failWith(ERROR_INVALID_SID);
  }
  const TokenObject own(TOKEN_QUERY, runningAccount());
  *isMember = FALSE;
  const DWORD size = GetLengthSid(sid);
  for (const SidBytes& group : own.groups_) {
    if (group.size() == size && std::memcmp(group.data(), sid, size) == 0) {
      *isMember = TRUE;
    }
  }
  return TRUE;
}

namespace sim {

void setAdministrator(std::optional<bool> administrator) {
  AdministratorAnswer& answer = detail::session<AdministratorAnswer>();
  std::lock_guard<std::mutex> lock(answer.guard);
  answer.forced = administrator;
}

} // namespace sim

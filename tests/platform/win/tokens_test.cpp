// Access tokens and SIDs of the stand-in, answering from the user and groups the tests run as.
#include <cstring>
#include <string>
#include <vector>
#ifndef _WIN32
#include <grp.h>
#include <unistd.h>
#endif

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class TokensTest : public qvtest::HostTest {
protected:
  void TearDown() override {
    for (PSID sid : sids_) {
      FreeSid(sid);
    }
    qvtest::HostTest::TearDown();
  }

  // A SID of the authority and two sub-authorities, freed after the test.
  PSID sid2(BYTE authority, DWORD first, DWORD second) {
    SID_IDENTIFIER_AUTHORITY value{{0, 0, 0, 0, 0, authority}};
    PSID made = nullptr;
    EXPECT_TRUE(AllocateAndInitializeSid(&value, 2, first, second, 0, 0, 0, 0, 0, 0, &made));
    sids_.push_back(made);
    return made;
  }
  PSID administrators() { return sid2(5, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS); }

  // The token's groups, read the way callers read them.
  std::vector<std::vector<BYTE>> groupsOf(HANDLE token) {
    DWORD needed = 0;
    EXPECT_FALSE(GetTokenInformation(token, TokenGroups, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<ULONG_PTR> storage((needed + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
    DWORD used = 0;
    EXPECT_TRUE(GetTokenInformation(token, TokenGroups, storage.data(), needed, &used));
    EXPECT_EQ(used, needed);
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(storage.data());
    std::vector<std::vector<BYTE>> result;
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
      EXPECT_EQ(groups->Groups[i].Attributes & SE_GROUP_ENABLED, SE_GROUP_ENABLED);
      const auto* bytes = static_cast<const BYTE*>(groups->Groups[i].Sid);
      result.emplace_back(bytes, bytes + GetLengthSid(groups->Groups[i].Sid));
    }
    return result;
  }

  static bool holds(const std::vector<std::vector<BYTE>>& groups, PSID wanted) {
    for (const auto& group : groups) {
      if (EqualSid(const_cast<BYTE*>(group.data()), wanted)) {
        return true;
      }
    }
    return false;
  }

private:
  std::vector<PSID> sids_;
};

#ifndef _WIN32
bool runsAsAdministrator() {
  if (geteuid() == 0) {
    return true;
  }
  std::vector<gid_t> groups(static_cast<size_t>(getgroups(0, nullptr)) + 1);
  groups.resize(static_cast<size_t>(getgroups(static_cast<int>(groups.size()), groups.data())));
  groups.push_back(getegid());
  for (gid_t id : groups) {
    const struct group* entry = getgrgid(id);
    if (entry != nullptr) {
      const std::string name = entry->gr_name;
      if (name == "sudo" || name == "wheel" || name == "admin") {
        return true;
      }
    }
  }
  return false;
}
#endif

TEST_F(TokensTest, ProcessTokenHoldsTheRunningUsersGroups) {
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the stand-in's tokens stand for the POSIX user and groups");
#ifndef _WIN32
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  const auto groups = groupsOf(token);
  EXPECT_TRUE(holds(groups, sid2(22, 2, static_cast<DWORD>(getegid()))));
  EXPECT_TRUE(holds(groups, sid2(5, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS)));
  EXPECT_EQ(holds(groups, administrators()), runsAsAdministrator());

  DWORD needed = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
  std::vector<ULONG_PTR> storage((needed + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
  ASSERT_TRUE(GetTokenInformation(token, TokenUser, storage.data(), needed, &needed));
  const auto* user = reinterpret_cast<const TOKEN_USER*>(storage.data());
  EXPECT_TRUE(EqualSid(user->User.Sid, sid2(22, 1, static_cast<DWORD>(geteuid()))));
  CloseHandle(token);
#endif
}

TEST_F(TokensTest, AdministratorsGroupFollowsTheOverride) {
  QV_SKIP_WHERE_WINDOWS_ANSWERS("sim::setAdministrator chooses the stand-in's answer");
  for (bool administrator : {true, false}) {
    sim::setAdministrator(administrator);
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    EXPECT_EQ(holds(groupsOf(token), administrators()), administrator);
    BOOL member = !administrator;
    ASSERT_TRUE(CheckTokenMembership(nullptr, administrators(), &member));
    EXPECT_EQ(member != FALSE, administrator);
    CloseHandle(token);
  }
}

TEST_F(TokensTest, TokenCallsRefuseAsWindowsDoes) {
  HANDLE token = nullptr;
  EXPECT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_TOKEN));
  EXPECT_FALSE(OpenThreadToken(reinterpret_cast<HANDLE>(0x77), TOKEN_QUERY, TRUE, &token));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(OpenProcessToken(reinterpret_cast<HANDLE>(0x77), TOKEN_QUERY, &token));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_GROUPS, &token));
  BYTE buffer[512];
  DWORD needed = 0;
  EXPECT_FALSE(GetTokenInformation(token, TokenGroups, buffer, sizeof buffer, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  BOOL member = FALSE;
  EXPECT_FALSE(CheckTokenMembership(token, administrators(), &member));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(token);
  EXPECT_FALSE(GetTokenInformation(token, TokenGroups, buffer, sizeof buffer, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  EXPECT_FALSE(CheckTokenMembership(token, administrators(), &member)); // a primary token
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_IMPERSONATION_TOKEN));
  const auto noClass = static_cast<TOKEN_INFORMATION_CLASS>(0);
  EXPECT_FALSE(GetTokenInformation(token, noClass, buffer, sizeof buffer, &needed));
  // Wine answers a class it does not know with ERROR_INVALID_FUNCTION (not implemented);
  // Windows' STATUS_INVALID_INFO_CLASS comes out as ERROR_INVALID_PARAMETER.
  if (!sim::runsOnWine()) {
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  if (!sim::canFail("GetTokenInformation")) {
    CloseHandle(token);
    GTEST_SKIP()
        << "GetTokenInformation is answered by Windows itself here and cannot be made to fail";
  }
  sim::failCall("GetTokenInformation");
  EXPECT_FALSE(GetTokenInformation(token, TokenGroups, buffer, sizeof buffer, &needed));
  CloseHandle(token);
  sim::failCall("OpenProcessToken");
  EXPECT_FALSE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  EXPECT_EQ(sim::liveHandles(), 0);
}

TEST_F(TokensTest, SidsCompareByRevisionAuthorityAndEverySubAuthority) {
  PSID admins = administrators();
  EXPECT_TRUE(IsValidSid(admins));
  EXPECT_EQ(GetLengthSid(admins), 16u);
  EXPECT_TRUE(EqualSid(admins, administrators()));
  EXPECT_FALSE(EqualSid(admins, sid2(5, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS)));
  EXPECT_FALSE(EqualSid(admins, sid2(22, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS)));
  BYTE broken[16] = {9, 2}; // EqualSid's answer on it is undefined
  EXPECT_FALSE(IsValidSid(broken));

  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID none = nullptr;
  EXPECT_FALSE(AllocateAndInitializeSid(&nt, 9, 0, 0, 0, 0, 0, 0, 0, 0, &none));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_SID));
  QV_SKIP_UNLESS_FAILABLE("AllocateAndInitializeSid");
  sim::failCall("AllocateAndInitializeSid");
  EXPECT_FALSE(AllocateAndInitializeSid(&nt, 1, 0, 0, 0, 0, 0, 0, 0, 0, &none));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(FreeSid(nullptr), nullptr);
}

} // namespace

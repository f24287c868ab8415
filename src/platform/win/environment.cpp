// ExpandEnvironmentStringsA over the process's environment.
#include "platform/win/processenv.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/internal/session.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/string_win.h"
#include "platform/win/winerror.h"

extern char** environ;

namespace {

// The value of a variable, its name compared without regard to case as on Windows; false when
// the environment has none.
bool variable(const std::string& name, std::string& value) {
  if (const char* exact = std::getenv(name.c_str())) {
    value = exact;
    return true;
  }
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (equals != nullptr && static_cast<size_t>(equals - *entry) == name.size() &&
        _strnicmp(*entry, name.c_str(), name.size()) == 0) {
      value = equals + 1;
      return true;
    }
  }
  return false;
}

} // namespace

DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
  const sim::detail::StandInCall inCall;
  if (lpSrc == nullptr || (lpDst == nullptr && nSize != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (sim::detail::shouldFail(sim::detail::FailableCall::ExpandEnvironmentStringsA)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  std::string result;
  const std::string source(lpSrc);
  size_t at = 0;
  while (at < source.size()) {
    const size_t open = source.find('%', at);
    if (open == std::string::npos) {
      result.append(source, at, std::string::npos);
      break;
    }
    result.append(source, at, open - at);
    const size_t close = source.find('%', open + 1);
    std::string value;
    if (close == std::string::npos) {
      result.append(source, open, std::string::npos);
      break;
    }
    if (close > open + 1 && variable(source.substr(open + 1, close - open - 1), value)) {
      result += value;
    } else {
      result.append(source, open, close + 1 - open); // an unknown name stays as written
    }
    at = close + 1;
  }
  const auto needed = static_cast<DWORD>(result.size() + 1);
  if (needed <= nSize) {
    std::memcpy(lpDst, result.c_str(), needed);
  }
  return needed;
}

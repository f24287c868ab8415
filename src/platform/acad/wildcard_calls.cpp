// The host's wild-card test for applications.
#include "platform/acad/acutads.h"
#include "platform/acad/internal/wildcard_match.h"

int acutWcMatch(const char* string, const char* pattern) {
  return acutWcMatchEx(string, pattern, false) ? RTNORM : RTERROR;
}

bool acutWcMatchEx(const char* string, const char* pattern, bool ignoreCase) {
  if (string == nullptr || pattern == nullptr) {
    return false;
  }
  return sim::detail::WildcardPattern(pattern, ignoreCase).matches(string);
}

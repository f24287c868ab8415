// The family's AutoLISP functions, called with acedInvoke.
#include "host/family_calls.h"

#include "host/folders.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {

namespace {

// Runs the call and releases both lists; the status of acedInvoke.
int invokeAndRelease(resbuf* call) {
  if (call == nullptr) {
    return RTERROR;
  }
  resbuf* result = nullptr;
  const int status = acedInvoke(call, &result);
  acutRelRb(result);
  acutRelRb(call);
  return status;
}

} // namespace

void printLine(const char* text) {
  invokeAndRelease(acutBuildList(RTSTR, "cf:print_line", RTSTR, userFolder, RTSTR,
                                 text == nullptr ? "" : text, RTNONE));
}

void runQvanUtility() {
  invokeAndRelease(acutBuildList(RTSTR, "cf:qvanutil", RTSTR, userFolder, RTSHORT, 38, RTNONE));
}

void switchFamilyPointSnap(int on) {
  invokeAndRelease(acutBuildList(RTSTR, "cf:set_pointsnap", RTSHORT, on != 0 ? 1 : 0, RTNONE));
}

int invokeFamilyGetFile(const char* title, const char* defaultName, const char* extensions,
                        int flags, resbuf** result) {
  if (result == nullptr) {
    return RTERROR;
  }
  *result = nullptr;
  resbuf* call =
      acutBuildList(RTSTR, "cf:getfiled", RTSTR, userFolder, RTSTR, title == nullptr ? "" : title,
                    RTSTR, defaultName == nullptr ? "" : defaultName, RTSTR,
                    extensions == nullptr ? "" : extensions, RTSHORT, flags, RTNONE);
  if (call == nullptr) {
    return RTERROR;
  }
  const int status = acedInvoke(call, result);
  acutRelRb(call);
  return status;
}

} // namespace qv

// The user-break latch over acedUsrBrk.
#include "host/user_break.h"

#include "platform/acad/acedads.h"

namespace qv {

namespace {
int userBreakLatch = 0;
} // namespace

int checkUserBreak() {
  if (userBreakLatch == 0) {
    userBreakLatch = acedUsrBrk();
  }
  return userBreakLatch;
}

void raiseUserBreak() {
  userBreakLatch = 1;
}

void clearUserBreak() {
  userBreakLatch = 0;
}

} // namespace qv

// The runtime's _ftime: the system clock with milliseconds, and the local time zone.
#include "platform/win/sys_timeb.h"

#include <chrono>
#include <time.h>

void _ftime(struct _timeb* now) {
  if (now == nullptr) {
    return;
  }
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch);
  now->time = static_cast<time_t>(milliseconds.count() / 1000);
  now->millitm = static_cast<unsigned short>(milliseconds.count() % 1000);
  struct tm local {};
  localtime_r(&now->time, &local);
  // tm_gmtoff is east of UTC and includes daylight saving; _timeb wants standard time, west.
  const long westMinutes = -local.tm_gmtoff / 60 + (local.tm_isdst > 0 ? 60 : 0);
  now->timezone = static_cast<short>(westMinutes);
  now->dstflag = static_cast<short>(local.tm_isdst > 0 ? 1 : 0);
}

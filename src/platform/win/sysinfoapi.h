// Windows' clock: the current local date and time.
#pragma once

#include "platform/win/minwinbase.h"

// Fills *time with the current local date and time (every field, the day of the week included).
void GetLocalTime(LPSYSTEMTIME time);

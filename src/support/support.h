// The support subsystem: locks, conditions and threads for work off the host's main thread, and
// the diagnostic probes (time, memory, administrator test, byte sum), the runtime's decimal number
// reading and the safe rewrite of a file.
#pragma once

#include "support/administrator.h"
#include "support/byte_sum.h"
#include "support/critical_section.h"
#include "support/event.h"
#include "support/exception.h"
#include "support/file_rewrite.h"
#include "support/memory_probe.h"
#include "support/read_decimal.h"
#include "support/single_lock.h"
#include "support/thread.h"
#include "support/time_of_day.h"
#include "support/timing_probe.h"

// The one table of stand-in calls that can fail on purpose: each stand-in folder lists its own
// rows (platform/acad/failable_calls.h, platform/win/failable_calls.h) and they are combined here
// into the ids that stand-in code passes to shouldFail. A name that is not in the table cannot be
// asked for by stand-in code (it does not compile) nor planned by a test (sim::failCall refuses
// it and the test fails).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/acad/internal/failable_calls.h"
#include "platform/win/internal/failable_calls.h"

#define QV_FAILABLE_CALLS(X) QV_ACAD_FAILABLE_CALLS(X) QV_WIN_FAILABLE_CALLS(X)

namespace sim::detail {

enum class FailableCall : uint16_t {
#define QV_FAILABLE_CALL_ID(id, name) id,
  QV_FAILABLE_CALLS(QV_FAILABLE_CALL_ID)
#undef QV_FAILABLE_CALL_ID
};

#define QV_FAILABLE_CALL_ONE(id, name) +1
inline constexpr size_t kFailableCalls = 0 QV_FAILABLE_CALLS(QV_FAILABLE_CALL_ONE);
// The host's calls come first; the Windows calls follow from this index on.
inline constexpr size_t kFirstWindowsCall = 0 QV_ACAD_FAILABLE_CALLS(QV_FAILABLE_CALL_ONE);
#undef QV_FAILABLE_CALL_ONE

// The name tests give for the call ("AcRxDictionary::at" for AcRxDictionary_at).
const char* callName(FailableCall call);

} // namespace sim::detail

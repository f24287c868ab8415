#include "drawing/point_snap.h"

#include <cstdint>

#include "host/family_calls.h"
#include "host/sys_vars.h"

namespace qv {

namespace {

constexpr int32_t kNothingSaved = -1;
// The snap mode taken when snapping was switched off; main thread only.
int32_t savedSnapMode = kNothingSaved;

} // namespace

void suspendPointSnap() {
  if (savedSnapMode == kNothingSaved) {
    int32_t mode = 0;
    // A mode the host would not give stays unsaved: nothing to switch off or restore.
    if (getSysVarShort(&mode, "osmode") != 0) {
      savedSnapMode = static_cast<int16_t>(mode);
    }
  }
  if (savedSnapMode > 0) {
    setSysVarShort("osmode", 0);
  }
  switchFamilyPointSnap(0);
}

void restorePointSnap() {
  if (savedSnapMode > 0) {
    setSysVarShort("osmode", static_cast<int16_t>(savedSnapMode));
  }
  savedSnapMode = kNothingSaved;
  switchFamilyPointSnap(1);
}

} // namespace qv

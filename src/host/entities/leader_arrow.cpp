#include "host/entities/leader_arrow.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/lisp_symbols.h"
#include "host/sys_vars.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {

namespace {

bool sameName(const ads_name a, const ads_name b) {
  return a[0] == b[0] && a[1] == b[1];
}

// The entity's type (group 0) into type; false when the host gives no list.
bool entityType(const ads_name entity, char* type, size_t size) {
  resbuf* list = acdbEntGet(entity);
  if (list == nullptr) {
    return false;
  }
  type[0] = '\0';
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    if (item->restype == 0 && item->resval.rstring != nullptr) {
      std::strncpy(type, item->resval.rstring, size - 1);
      type[size - 1] = '\0';
      break;
    }
  }
  acutRelRb(list);
  return true;
}

// The last entity, when it is another than before (had: whether there was one before).
bool newLastEntity(bool had, const ads_name before, ads_name last) {
  return acdbEntLast(last) == RTNORM && (!had || !sameName(before, last));
}

// Walks back from the last entity, deleting the leader's lines and texts, down to the entity
// that was last before the leader (none: down to an empty drawing). The entity where the walk
// stops, when the leader made it, is the arrowhead: added to set when it is a SOLID.
void keepOnlyArrowhead(bool hadStop, const ads_name stop, ads_name set) {
  ads_name last;
  char type[64];
  while (acdbEntLast(last) == RTNORM && !(hadStop && sameName(last, stop)) &&
         entityType(last, type, sizeof type)) {
    if (std::strstr(type, "TEXT") != nullptr || std::strcmp(type, "LINE") == 0) {
      if (acdbEntDel(last) != RTNORM) {
        return; // a line that cannot go (a locked layer): stop rather than loop
      }
      continue;
    }
    if (set != nullptr && std::strcmp(type, "SOLID") == 0) {
      acedSSAdd(last, set, set);
    }
    return;
  }
}

} // namespace

void drawLeaderArrow(const ads_point start, const ads_point tip, ads_name set) {
  double arrowSize = 0, savedScale = 0;
  if (start == nullptr || tip == nullptr || getSysVarReal(&arrowSize, "DIMASZ") == 0 ||
      getSysVarReal(&savedScale, "DIMSCALE") == 0) {
    return;
  }
  char metricText[32];
  getLispString(metricText, "is_metric");
  // The scale that the host's leader will use.
  const bool scaleChanged =
      std::atoi(metricText) == 1 && setSysVarReal("DIMSCALE", savedScale / 100) != 0;
  const double size = arrowSize * (scaleChanged ? savedScale / 100 : savedScale);
  ads_point beyond;
  acutPolar(tip, acutAngle(tip, start), 2.1 * size, beyond);

  int32_t savedSnap = 0;
  const bool snapSaved = getSysVarShort(&savedSnap, "OSMODE") != 0;
  if (snapSaved) {
    setSysVarShort("OSMODE", 0);
  }

  // The marker point: the walk back stops there.
  ads_name before, marker;
  const bool hadEntity = acdbEntLast(before) == RTNORM;
  const bool markerMade = acedCommand(RTSTR, "_.POINT", RT3DPOINT, start, RTNONE) == RTNORM &&
                          newLastEntity(hadEntity, before, marker);
  const bool hadStop = markerMade || hadEntity;
  ads_name stop = {0, 0};
  if (hadStop) {
    std::memcpy(stop, markerMade ? marker : before, sizeof stop);
  }

  acedCommand(RTSTR, "_.DIM1", RTSTR, "_LEADER", RT3DPOINT, tip, RT3DPOINT, beyond, RTSTR, "",
              RTSTR, "", RTNONE);
  keepOnlyArrowhead(hadStop, stop, set);
  if (markerMade) {
    acdbEntDel(marker);
  }

  ads_name lastBefore, line;
  const bool hadLast = acdbEntLast(lastBefore) == RTNORM;
  if (acedCommand(RTSTR, "_.LINE", RT3DPOINT, start, RT3DPOINT, tip, RTSTR, "", RTNONE) == RTNORM &&
      set != nullptr && newLastEntity(hadLast, lastBefore, line)) {
    acedSSAdd(line, set, set);
  }

  if (snapSaved) {
    setSysVarShort("OSMODE", static_cast<int16_t>(savedSnap));
  }
  if (scaleChanged) {
    setSysVarReal("DIMSCALE", savedScale);
  }
}

} // namespace qv

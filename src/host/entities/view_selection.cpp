#include "host/entities/view_selection.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>

#include "host/sys_vars.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/win/winuser.h"

namespace qv {

namespace {

bool sameMode(const char* mode, const char* name) {
  for (; *mode != '\0' && *name != '\0'; ++mode, ++name) {
    if (std::toupper(static_cast<unsigned char>(*mode)) != *name) {
      return false;
    }
  }
  return *mode == *name;
}

double squaredDistance(const double* a, const double* b) {
  double sum = 0;
  for (int i = 0; i < 3; ++i) {
    sum += (a[i] - b[i]) * (a[i] - b[i]);
  }
  return sum;
}

// True when a corner lies half the view's height or more from the view's centre. An unreadable
// view counts as holding the area.
bool leavesView(const double* a, const double* b) {
  double viewHeight = 0;
  resbuf center{};
  if (getSysVarReal(&viewHeight, "viewsize") == 0 || acedGetVar("VIEWCTR", &center) != RTNORM) {
    return false;
  }
  const double limit = viewHeight * viewHeight;
  return limit <= 4 * squaredDistance(a, center.resval.rpoint) ||
         limit <= 4 * squaredDistance(b, center.resval.rpoint);
}

// The box 1.25 times the extent of the points of the list; false when it holds none.
bool boxAroundPoints(const resbuf* points, double* a, double* b) {
  double low[3], high[3];
  bool any = false;
  for (const resbuf* item = points; item != nullptr; item = item->rbnext) {
    if (item->restype != RTPOINT && item->restype != RT3DPOINT) {
      continue;
    }
    const double p[3] = {item->resval.rpoint[X], item->resval.rpoint[Y],
                         item->restype == RTPOINT ? 0.0 : item->resval.rpoint[Z]};
    for (int i = 0; i < 3; ++i) {
      low[i] = any ? std::min(low[i], p[i]) : p[i];
      high[i] = any ? std::max(high[i], p[i]) : p[i];
    }
    any = true;
  }
  if (!any) {
    return false;
  }
  for (int i = 0; i < 3; ++i) {
    const double middle = (low[i] + high[i]) / 2, reach = (high[i] - low[i]) / 1.6;
    a[i] = middle - reach;
    b[i] = middle + reach;
  }
  return true;
}

} // namespace

int selectNearPoint(const resbuf* filter, const ads_point point, ads_name set) {
  double viewHeight = 0;
  int32_t aperture = 0;
  RECT client{};
  if (point == nullptr || getSysVarReal(&viewHeight, "viewsize") == 0 ||
      getSysVarShort(&aperture, "aperture") == 0 || !GetClientRect(adsw_acadDocWnd(), &client)) {
    return RTERROR;
  }
  const double pixels = client.bottom - client.top > 0 ? client.bottom - client.top : 1;
  const double d = aperture * viewHeight / pixels;
  const ads_point corners[4] = {{point[X] + d, point[Y] + d, 0},
                                {point[X] + d, point[Y] - d, 0},
                                {point[X] - d, point[Y] - d, 0},
                                {point[X] - d, point[Y] + d, 0}};
  resbuf* polygon = acutBuildList(RTPOINT, corners[0], RTPOINT, corners[1], RTPOINT, corners[2],
                                  RTPOINT, corners[3], RTNONE);
  if (polygon == nullptr) {
    return RTERROR;
  }
  const int status = acedSSGet("CP", polygon, nullptr, filter, set);
  acutRelRb(polygon);
  return status;
}

int selectWithZoom(const char* mode, const void* first, const ads_point second,
                   const resbuf* filter, ads_name set) {
  if (mode == nullptr) {
    return acedSSGet(nullptr, first, second, filter, set);
  }
  double a[3], b[3];
  if (sameMode(mode, "W") || sameMode(mode, "C")) {
    if (first == nullptr || second == nullptr) {
      return RTERROR;
    }
    const double* corner = static_cast<const double*>(first);
    std::copy(corner, corner + 3, a);
    std::copy(second, second + 3, b);
  } else if (sameMode(mode, "WP") || sameMode(mode, "CP") || sameMode(mode, "F")) {
    if (first == nullptr || !boxAroundPoints(static_cast<const resbuf*>(first), a, b)) {
      return RTERROR;
    }
  } else {
    return acedSSGet(mode, first, second, filter, set);
  }
  bool zoomed = false;
  if (leavesView(a, b)) {
    zoomed =
        acedCommand(RTSTR, "_.ZOOM", RTSTR, "_W", RT3DPOINT, a, RT3DPOINT, b, RTNONE) == RTNORM;
  }
  const int status = acedSSGet(mode, first, second, filter, set);
  if (zoomed) {
    acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE);
  }
  return status;
}

void refreshView() {
  double viewHeight = 0;
  if (getSysVarReal(&viewHeight, "viewsize") == 0) {
    return;
  }
  if (acedCommand(RTSTR, "_.ZOOM", RTSTR, "_C", RTSTR, "", RTREAL, viewHeight * 0.99999, RTNONE) ==
      RTNORM) {
    acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE);
  }
}

} // namespace qv

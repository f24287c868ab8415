// Value kinds of ADS result types and DXF group codes, following the DXF reference's ranges.
#include "platform/acad/internal/rb_kinds.h"

#include "platform/acad/adscodes.h"

namespace {

bool inRange(int code, int low, int high) {
  return code >= low && code <= high;
}

RbValueKind groupCodeKind(int code) {
  if (code == -3) {
    return RbValueKind::None;
  }
  if (code == -4) {
    return RbValueKind::String; // the operators of selection filters
  }
  if (code == -1 || code == -2 || inRange(code, 330, 369) || inRange(code, 390, 399) ||
      inRange(code, 480, 481)) {
    return RbValueKind::Name;
  }
  if (inRange(code, 0, 9) || inRange(code, 100, 102) || code == 105 || inRange(code, 300, 309) ||
      inRange(code, 410, 419) || inRange(code, 430, 439) || inRange(code, 470, 479) ||
      code == 999 || inRange(code, 1000, 1003) || code == 1005) {
    return RbValueKind::String;
  }
  if (inRange(code, 310, 319) || code == 1004) {
    return RbValueKind::Binary;
  }
  if (inRange(code, 10, 39) || inRange(code, 110, 112) || inRange(code, 210, 219) ||
      inRange(code, 1010, 1013)) {
    return RbValueKind::Point;
  }
  if (inRange(code, 40, 59) || inRange(code, 140, 149) || inRange(code, 460, 469) ||
      inRange(code, 1014, 1059)) {
    return RbValueKind::Real;
  }
  if (inRange(code, 60, 79) || inRange(code, 170, 179) || inRange(code, 270, 299) ||
      inRange(code, 370, 389) || inRange(code, 400, 409) || inRange(code, 1060, 1070)) {
    return RbValueKind::Short;
  }
  if (inRange(code, 90, 99) || inRange(code, 420, 429) || inRange(code, 440, 459) || code == 1071) {
    return RbValueKind::Long;
  }
  if (inRange(code, 320, 329)) {
    return RbValueKind::Name;
  }
  return RbValueKind::Unknown;
}

} // namespace

RbValueKind rbValueKind(int type) {
  switch (type) {
  case RTNONE:
  case RTLB:
  case RTLE:
  case RTDOTE:
  case RTNIL:
  case RTT:
  case RTVOID:
    return RbValueKind::None;
  case RTREAL:
  case RTANG:
  case RTORINT:
    return RbValueKind::Real;
  case RTPOINT:
  case RT3DPOINT:
    return RbValueKind::Point;
  case RTSHORT:
    return RbValueKind::Short;
  case RTLONG:
    return RbValueKind::Long;
  case RTSTR:
  case RTDXF0:
    return RbValueKind::String;
  case RTENAME:
  case RTPICKS:
    return RbValueKind::Name;
  default:
    return type < 2000 ? groupCodeKind(type) : RbValueKind::Unknown;
  }
}

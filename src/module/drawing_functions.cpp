// The view, annotation, geometry and drawing helpers as AutoLISP functions.
#include <cstring>
#include <string>
#include <vector>

#include "drawing/color_ramps.h"
#include "drawing/entity_appearance.h"
#include "drawing/long_text.h"
#include "drawing/message_file.h"
#include "drawing/point_snap.h"
#include "drawing/rounding.h"
#include "drawing/text_wipeout.h"
#include "host/entities/leader_arrow.h"
#include "host/entities/plane_geometry.h"
#include "host/entities/view_selection.h"
#include "module/lisp_args.h"
#include "module/lisp_result.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {
namespace {

// The points of a list argument, as a host list of RT3DPOINT items that the caller releases.
bool pointListArgument(LispArgs& args, resbuf*& points) {
  const resbuf* list = nullptr;
  if (!args.list(list) || list == nullptr) {
    return args.ok() ? args.refuse("listp", list) : false;
  }
  points = nullptr;
  resbuf** tail = &points;
  for (const resbuf* item = list->rbnext; item != nullptr && item->restype != RTLE;
       item = skipValue(item)) {
    ads_point point = {0, 0, 0};
    if (!pointOfValue(item, point)) {
      acutRelRb(points);
      return args.refuse("pointp", item);
    }
    *tail = acutBuildList(RT3DPOINT, point, RTNONE);
    if (*tail == nullptr) {
      acutRelRb(points);
      printLispError("insufficient memory");
      return false;
    }
    tail = &(*tail)->rbnext;
  }
  return true;
}

int answerSet(int status, const ads_name set) {
  if (status != RTNORM) {
    return acedRetNil();
  }
  return acedRetName(set, RTPICKS);
}

int answerPoint(const ads_point point) {
  return acedRetPoint(point);
}

} // namespace

int lispSelectNear() {
  LispArgs args;
  ads_point point;
  if (!args.point(point) || !args.done()) {
    return acedRetNil();
  }
  ads_name set = {0, 0};
  return answerSet(selectNearPoint(nullptr, point, set), set);
}

int lispSelectZoom() {
  LispArgs args;
  const char* mode = nullptr;
  if (!args.text(mode)) {
    return acedRetNil();
  }
  ads_name set = {0, 0};
  const bool polygon = std::strlen(mode) > 1 || mode[0] == 'f' || mode[0] == 'F';
  if (polygon) {
    resbuf* points = nullptr;
    if (!pointListArgument(args, points)) {
      return acedRetNil();
    }
    if (!args.done()) {
      acutRelRb(points);
      return acedRetNil();
    }
    const int status = selectWithZoom(mode, points, nullptr, nullptr, set);
    acutRelRb(points);
    return answerSet(status, set);
  }
  ads_point first, second;
  if (!args.point(first) || !args.point(second) || !args.done()) {
    return acedRetNil();
  }
  return answerSet(selectWithZoom(mode, first, second, nullptr, set), set);
}

int lispRefreshView() {
  LispArgs args;
  if (!args.done()) {
    return acedRetNil();
  }
  refreshView();
  return acedRetT();
}

int lispLeaderArrow() {
  LispArgs args;
  ads_point start, tip;
  if (!args.point(start) || !args.point(tip) || !args.done()) {
    return acedRetNil();
  }
  ads_name set = {0, 0};
  if (acedSSAdd(nullptr, nullptr, set) != RTNORM) {
    return acedRetNil();
  }
  drawLeaderArrow(start, tip, set);
  return acedRetName(set, RTPICKS);
}

int lispObjectToWorld() {
  LispArgs args;
  ads_point normal, point;
  if (!args.point(normal) || !args.point(point) || !args.done()) {
    return acedRetNil();
  }
  objectToWorld(normal, point);
  return answerPoint(point);
}

int lispArcOrdinate() {
  LispArgs args;
  double x = 0;
  ArcOrdinateArc arc;
  int side = 0;
  if (!args.real(x) || !args.real(arc.centerX) || !args.real(arc.centerY) ||
      !args.real(arc.radius) || !args.real(arc.firstX) || !args.real(arc.firstY) ||
      !args.real(arc.secondX) || !args.real(arc.secondY) || !args.optionalInteger(side) ||
      !args.done()) {
    return acedRetNil();
  }
  arc.side = side;
  return acedRetReal(arcOrdinate(x, arc));
}

int lispCurveElevation() {
  LispArgs args;
  double v[9];
  for (double& value : v) {
    if (!args.real(value)) {
      return acedRetNil();
    }
  }
  if (!args.done()) {
    return acedRetNil();
  }
  return acedRetReal(verticalCurveElevation(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]));
}

int lispSnapOff() {
  LispArgs args;
  if (!args.done()) {
    return acedRetNil();
  }
  suspendPointSnap();
  return acedRetT();
}

int lispSnapOn() {
  LispArgs args;
  if (!args.done()) {
    return acedRetNil();
  }
  restorePointSnap();
  return acedRetT();
}

int lispSetColor() {
  LispArgs args;
  ads_name entity;
  int color = 0;
  if (!args.entity(entity) || !args.integer(color) || !args.done()) {
    return acedRetNil();
  }
  setEntityColor(color, entity);
  return acedRetT();
}

int lispSetLayer() {
  LispArgs args;
  ads_name entity;
  const char* layer = nullptr;
  if (!args.entity(entity) || !args.text(layer) || !args.done()) {
    return acedRetNil();
  }
  std::string name = layer;
  setEntityLayer(name.data(), entity);
  return acedRetT();
}

int lispWipeout() {
  LispArgs args;
  ads_name text;
  double factor = 0.5;
  if (!args.entity(text) || !args.optionalReal(factor) || !args.done()) {
    return acedRetNil();
  }
  return acedRetInt(wipeoutBehindText(text, factor));
}

int lispColorRamp() {
  LispArgs args;
  int mode = 0;
  if (!args.optionalInteger(mode) || !args.done()) {
    return acedRetNil();
  }
  int32_t colors[kColorRampSize];
  colorRampPacked(colors, mode);
  LispResult result;
  result.open();
  for (int32_t color : colors) {
    result.real(color); // beyond 16 bits: AutoLISP takes it as a real in a list
  }
  result.close();
  return result.answer();
}

int lispRound() {
  LispArgs args;
  double value = 0, step = 0;
  if (!args.real(value) || !args.optionalReal(step) || !args.done()) {
    return acedRetNil();
  }
  return acedRetReal(step != 0 ? roundToMultiple(value, step) : roundHalfDown(value));
}

int lispGroupedNumber() {
  LispArgs args;
  double value = 0;
  int precision = 2;
  if (!args.real(value) || !args.optionalInteger(precision) || !args.done()) {
    return acedRetNil();
  }
  char text[128];
  if (realToGroupedText(value, precision, text) == 0) {
    return acedRetNil();
  }
  return acedRetStr(text);
}

int lispSplitText() {
  LispArgs args;
  const char* text = nullptr;
  if (!args.text(text) || !args.done()) {
    return acedRetNil();
  }
  resbuf* chain = splitLongText(text, nullptr);
  if (chain == nullptr) {
    printLispError("insufficient memory");
    return acedRetNil();
  }
  const int status = acedRetList(chain);
  acutRelRb(chain);
  return status;
}

int lispJoinText() {
  LispArgs args;
  const resbuf* list = nullptr;
  if (!args.list(list) || !args.done()) {
    return acedRetNil();
  }
  // The items between the brackets, as a list of their own (the walk stops at the RTLE).
  msString joined;
  joinLongText(list == nullptr ? nullptr : const_cast<resbuf*>(list->rbnext), joined);
  return acedRetStr(joined);
}

int lispAppendMessage() {
  LispArgs args;
  const char* text = nullptr;
  bool newline = false;
  if (!args.text(text) || !args.optionalFlag(newline) || !args.done()) {
    return acedRetNil();
  }
  appendMessage(text, newline ? 1 : 0);
  return acedRetT();
}

} // namespace qv

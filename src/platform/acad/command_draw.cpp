// "_.POINT" and "_.LINE": a POINT entity at the point given; a LINE for each segment between
// the points given, until Enter, Close (after two segments) or the end of the answers. (The
// stand-in's LINE has no Undo.)
#include <vector>

#include "platform/acad/adscodes.h"
#include "platform/acad/internal/command_input.h"
#include "platform/acad/internal/host_commands.h"
#include "platform/acad/internal/host_state.h"
#include "platform/internal/session.h"

namespace sim::detail {

namespace {

Acad::ErrorStatus makeLine(const Point3& from, const Point3& to, AcDbObjectId& id) {
  GroupList groups;
  groups.text(0, "LINE").point(10, from).point(11, to);
  return makeCommandEntity(groups, id);
}

} // namespace

int pointCommand(const resbuf*& args) {
  if (peekAnswer(args) == Answer::Missing) {
    return RTNORM;
  }
  Point3 point;
  if (!takePoint(args, point)) {
    return refuseInput("Invalid point.");
  }
  GroupList groups;
  groups.text(0, "POINT").point(10, point);
  AcDbObjectId id;
  return makeCommandEntity(groups, id) == Acad::eOk ? RTNORM : RTERROR;
}

int lineCommand(const resbuf*& args) {
  std::vector<Point3> points; // the first point and the end of each segment drawn
  std::vector<AcDbObjectId> segments;
  for (;;) {
    switch (peekAnswer(args)) {
    case Answer::Missing:
      return RTNORM;
    case Answer::Enter:
      args = args->rbnext;
      return RTNORM;
    case Answer::Point: {
      Point3 point;
      takePoint(args, point);
      if (!points.empty()) {
        AcDbObjectId id;
        if (makeLine(points.back(), point, id) != Acad::eOk) {
          return RTERROR;
        }
        segments.push_back(id);
      }
      points.push_back(point);
      break;
    }
    case Answer::Text: {
      std::string keyword;
      takeKeyword(args, keyword);
      if (!isOption(keyword, "CLOSE") || segments.size() < 2) {
        return refuseInput("Point or option keyword required.");
      }
      AcDbObjectId id;
      return makeLine(points.back(), points.front(), id) == Acad::eOk ? RTNORM : RTERROR;
    }
    default:
      return refuseInput("Invalid point.");
    }
  }
}

} // namespace sim::detail

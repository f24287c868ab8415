// "_.DIM1" with "_LEADER": a leader drawn as the host draws one that is not associative. From
// the first point (the tip) through the next points, until Enter: a filled arrowhead at the tip
// (a SOLID of length "DIMASZ" x "DIMSCALE" and a third of that wide, drawn only when the first
// segment is at least two arrows long), then a LINE per segment, then the answer to "Dimension
// text" as a TEXT beside the last point (none for an empty answer).
#include <cmath>
#include <vector>

#include "platform/acad/adscodes.h"
#include "platform/acad/internal/command_input.h"
#include "platform/acad/internal/host_commands.h"
#include "platform/acad/internal/host_state.h"

namespace sim::detail {

namespace {

double realVar(const char* name) {
  return host().sysVars[name].real;
}

Acad::ErrorStatus makeArrowhead(const Point3& tip, const Point3& toward, double size) {
  const double length = std::hypot(toward.x - tip.x, toward.y - tip.y);
  const double ux = (toward.x - tip.x) / length, uy = (toward.y - tip.y) / length;
  const Point3 base{tip.x + ux * size, tip.y + uy * size, tip.z};
  const double half = size / 6;
  const Point3 left{base.x - uy * half, base.y + ux * half, tip.z};
  const Point3 right{base.x + uy * half, base.y - ux * half, tip.z};
  GroupList groups;
  groups.text(0, "SOLID").point(10, tip).point(11, left).point(12, right).point(13, right);
  AcDbObjectId id;
  return makeCommandEntity(groups, id);
}

Acad::ErrorStatus makeAnnotation(const std::vector<Point3>& points, const std::string& text) {
  const double scale = realVar("DIMSCALE");
  const double height = realVar("DIMTXT") * scale;
  const double gap = realVar("DIMGAP") * scale;
  const Point3& last = points.back();
  const Point3& before = points[points.size() - 2];
  // Beside the last point, on the side the last segment runs to.
  const bool rightward = last.x >= before.x;
  GroupList groups;
  groups.text(0, "TEXT")
      .point(10, {last.x + (rightward ? gap : -gap), last.y - height / 2, last.z})
      .real(40, height)
      .text(1, text);
  if (!rightward) {
    // Right-aligned: the alignment point is the one that counts.
    groups.integer(72, 2).point(11, {last.x - gap, last.y - height / 2, last.z});
  }
  AcDbObjectId id;
  return makeCommandEntity(groups, id);
}

int leader(const resbuf*& args) {
  std::vector<Point3> points;
  for (bool more = true; more;) {
    switch (peekAnswer(args)) {
    case Answer::Point: {
      Point3 point;
      takePoint(args, point);
      points.push_back(point);
      break;
    }
    case Answer::Missing:
    case Answer::Enter:
      more = false;
      break;
    default:
      return refuseInput("Invalid point.");
    }
  }
  if (points.size() < 2) {
    return args == nullptr ? RTNORM : refuseInput("Invalid point.");
  }
  args = args->rbnext; // the Enter that ended the points
  const double size = realVar("DIMASZ") * realVar("DIMSCALE");
  const Point3& tip = points[0];
  if (size > 0 && std::hypot(points[1].x - tip.x, points[1].y - tip.y) >= 2 * size &&
      makeArrowhead(tip, points[1], size) != Acad::eOk) {
    return RTERROR;
  }
  for (size_t i = 1; i < points.size(); ++i) {
    GroupList groups;
    groups.text(0, "LINE").point(10, points[i - 1]).point(11, points[i]);
    AcDbObjectId id;
    if (makeCommandEntity(groups, id) != Acad::eOk) {
      return RTERROR;
    }
  }
  std::string text;
  if (peekAnswer(args) == Answer::Missing || (takeText(args, text) && text.empty())) {
    return RTNORM;
  }
  if (text.empty()) {
    return refuseInput("Invalid input.");
  }
  return makeAnnotation(points, text) == Acad::eOk ? RTNORM : RTERROR;
}

} // namespace

int dim1Command(const resbuf*& args) {
  std::string subcommand;
  if (peekAnswer(args) == Answer::Missing) {
    return RTNORM;
  }
  if (!takeKeyword(args, subcommand)) {
    return refuseInput("Unknown dimensioning command.");
  }
  if (!isOption(subcommand, "LEADER", 3)) {
    return refuseInput("Unknown dimensioning command.");
  }
  return leader(args);
}

} // namespace sim::detail

// "_.WIPEOUT": a WIPEOUT entity whose boundary runs through the points given, closed by "CLOSE"
// or Enter after three points at least. Like the host, it keeps the boundary as a one-pixel
// image over the square that holds the points (origin at the lower-left, vectors as long as the
// square's side) and the boundary's vertices in that image's coordinates, -0.5 to 0.5 with y
// downward, the first vertex repeated at the end.
#include <algorithm>
#include <vector>

#include "platform/acad/adscodes.h"
#include "platform/acad/internal/command_input.h"
#include "platform/acad/internal/host_commands.h"

namespace sim::detail {

namespace {

Acad::ErrorStatus makeWipeout(const std::vector<Point3>& points) {
  double low[2] = {points[0].x, points[0].y}, high[2] = {points[0].x, points[0].y};
  for (const Point3& p : points) {
    low[0] = std::min(low[0], p.x);
    low[1] = std::min(low[1], p.y);
    high[0] = std::max(high[0], p.x);
    high[1] = std::max(high[1], p.y);
  }
  const double side = std::max(high[0] - low[0], high[1] - low[1]);
  const double z = points[0].z;
  GroupList groups;
  groups.text(0, "WIPEOUT")
      .text(100, "AcDbWipeout")
      .point(10, {low[0], low[1], z})
      .point(11, {side, 0, 0})
      .point(12, {0, side, 0})
      .point(13, {1, 1, 0})
      .integer(70, 7)
      .integer(71, 2);
  auto vertex = [&](const Point3& p) {
    return Point3{(p.x - low[0]) / side - 0.5, 0.5 - (p.y - low[1]) / side, 0};
  };
  for (const Point3& p : points) {
    groups.point(14, vertex(p));
  }
  groups.point(14, vertex(points[0]));
  AcDbObjectId id;
  return makeCommandEntity(groups, id);
}

} // namespace

int wipeoutCommand(const resbuf*& args) {
  std::vector<Point3> points;
  for (;;) {
    switch (peekAnswer(args)) {
    case Answer::Missing:
      return RTNORM; // the host waits for more points: nothing made yet
    case Answer::Point: {
      Point3 point;
      takePoint(args, point);
      points.push_back(point);
      continue;
    }
    case Answer::Enter:
    case Answer::Text: {
      std::string keyword;
      takeKeyword(args, keyword);
      if (!keyword.empty() && !isOption(keyword, "CLOSE")) {
        return refuseInput(points.empty() ? "Invalid option keyword." : "Invalid point.");
      }
      if (points.size() < 3 || std::none_of(points.begin(), points.end(), [&](const Point3& p) {
            return p.x != points[0].x || p.y != points[0].y;
          })) {
        return refuseInput("Wipeout needs at least three points.");
      }
      if (makeWipeout(points) != Acad::eOk) {
        return RTERROR;
      }
      return RTNORM;
    }
    default:
      return refuseInput("Invalid point.");
    }
  }
}

} // namespace sim::detail

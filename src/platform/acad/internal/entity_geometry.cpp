// Outlines of entities and the inside, crossing and fence tests of selection.
#include "platform/acad/internal/entity_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <numbers>
#include <string>

namespace sim::detail {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kEpsilon = 1e-9;

struct Vector3 {
  double x = 0.0, y = 0.0, z = 0.0;
};

Vector3 cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 unit(const Vector3& v) {
  const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return length > 0.0 ? Vector3{v.x / length, v.y / length, v.z / length} : Vector3{0, 0, 1};
}

// The entity's own coordinate system (the drawing's arbitrary-axis rule).
struct EntitySystem {
  Vector3 ax{1, 0, 0}, ay{0, 1, 0}, normal{0, 0, 1};
  bool upright = true;   // normal along +Z: entity coordinates are world coordinates
  bool mirrored = false; // normal along -Z: x is mirrored

  explicit EntitySystem(const Vector3& n) : normal(unit(n)) {
    constexpr double kLimit = 1.0 / 64.0;
    const Vector3 axis = (std::fabs(normal.x) < kLimit && std::fabs(normal.y) < kLimit)
                             ? cross(Vector3{0, 1, 0}, normal)
                             : cross(Vector3{0, 0, 1}, normal);
    ax = unit(axis);
    ay = unit(cross(normal, ax));
    upright = std::fabs(normal.x) < 1e-12 && std::fabs(normal.y) < 1e-12 && normal.z > 0.0;
    mirrored = std::fabs(normal.x) < 1e-12 && std::fabs(normal.y) < 1e-12 && normal.z < 0.0;
  }

  Point2 toWorld(double x, double y, double z = 0.0) const {
    if (upright) {
      return {x, y};
    }
    return {x * ax.x + y * ay.x + z * normal.x, x * ax.y + y * ay.y + z * normal.y};
  }
};

// Groups of one entity, found in one pass: the first group of each code that outlines use.
class Groups {
public:
  explicit Groups(const EntityGroups& all) : all_(all) {
    for (const EntityGroup& group : all) {
      const int slot = slotOf(group.code);
      if (slot >= 0 && found_[slot] == nullptr) {
        found_[slot] = &group;
      }
    }
  }
  const EntityGroup* find(int code) const {
    const int slot = slotOf(code);
    if (slot >= 0) {
      return found_[slot];
    }
    for (const EntityGroup& group : all_) {
      if (group.code == code) {
        return &group;
      }
    }
    return nullptr;
  }
  double real(int code, double otherwise) const {
    const EntityGroup* group = find(code);
    return group ? group->values[0] : otherwise;
  }
  int integer(int code, int otherwise) const {
    const EntityGroup* group = find(code);
    return group ? group->integer : otherwise;
  }
  bool point(int code, Vector3& p) const {
    const EntityGroup* group = find(code);
    if (group == nullptr) {
      return false;
    }
    p = {group->values[0], group->values[1], group->values[2]};
    return true;
  }
  const char* text(int code) const {
    const EntityGroup* group = find(code);
    return group ? group->text.c_str() : "";
  }
  EntitySystem system() const {
    Vector3 normal{0, 0, 1};
    if (!point(210, normal) || (normal.x == 0.0 && normal.y == 0.0 && normal.z > 0.0)) {
      static const EntitySystem upright(Vector3{0, 0, 1});
      return upright;
    }
    return EntitySystem(normal);
  }
  const EntityGroups& all() const { return all_; }

private:
  static int slotOf(int code) {
    static constexpr int kCodes[] = {0, 1, 10, 11, 12, 13, 38, 40, 41, 50, 51, 70, 71, 210};
    for (int i = 0; i < static_cast<int>(std::size(kCodes)); ++i) {
      if (kCodes[i] == code) {
        return i;
      }
    }
    return -1;
  }
  const EntityGroups& all_;
  const EntityGroup* found_[14] = {};
};

double normalAngle(double angle) {
  angle = std::fmod(angle, kTwoPi);
  return angle < 0.0 ? angle + kTwoPi : angle;
}

// Adds an arc given in entity coordinates: centre, radius, start and end angle (radians).
void addArc(Outline& outline, const EntitySystem& system, const Vector3& centre, double radius,
            double start, double end, bool full) {
  double sweep = full ? kTwoPi : normalAngle(end - start);
  if (!full && sweep <= 0.0) {
    sweep = kTwoPi;
  }
  if (system.upright || system.mirrored) {
    Outline::Arc arc;
    arc.radius = std::fabs(radius);
    arc.sweep = sweep;
    if (system.upright) {
      arc.centre = {centre.x, centre.y};
      arc.start = normalAngle(start);
    } else {
      arc.centre = {-centre.x, centre.y};
      arc.start = normalAngle(kPi - (start + sweep));
    }
    outline.arcs.push_back(arc);
    return;
  }
  // Seen from above, a tilted arc is a part of an ellipse: followed by short chords.
  const int steps = std::max(8, static_cast<int>(std::ceil(sweep / kTwoPi * 128.0)));
  Point2 previous = system.toWorld(centre.x + radius * std::cos(start),
                                   centre.y + radius * std::sin(start), centre.z);
  for (int i = 1; i <= steps; ++i) {
    const double angle = start + sweep * i / steps;
    const Point2 next = system.toWorld(centre.x + radius * std::cos(angle),
                                       centre.y + radius * std::sin(angle), centre.z);
    outline.segments.push_back({previous, next});
    previous = next;
  }
}

// A closed chain of corners given in the world.
template <size_t N> void addLoop(Outline& outline, const Point2 (&corners)[N]) {
  for (size_t i = 0; i < N; ++i) {
    outline.segments.push_back({corners[i], corners[(i + 1) % N]});
  }
}

// A rectangle in entity coordinates: origin, direction of its x side, width, height, shifted by
// (dx, dy) along its own sides.
void addBox(Outline& outline, const EntitySystem& system, const Vector3& origin, double angle,
            double width, double height, double dx, double dy) {
  const double c = std::cos(angle), s = std::sin(angle);
  Point2 corners[4];
  const double xs[4] = {dx, dx + width, dx + width, dx};
  const double ys[4] = {dy, dy, dy + height, dy + height};
  for (int i = 0; i < 4; ++i) {
    corners[i] = system.toWorld(origin.x + xs[i] * c - ys[i] * s, origin.y + xs[i] * s + ys[i] * c,
                                origin.z);
  }
  addLoop(outline, corners);
}

void lightweightPolyline(const Groups& groups, Outline& outline) {
  const EntitySystem system = groups.system();
  const double elevation = groups.real(38, 0.0);
  struct Vertex {
    double x, y, bulge;
  };
  std::vector<Vertex> vertices;
  for (const EntityGroup& group : groups.all()) {
    if (group.code == 10) {
      vertices.push_back({group.values[0], group.values[1], 0.0});
    } else if (group.code == 42 && !vertices.empty()) {
      vertices.back().bulge = group.values[0];
    }
  }
  if (vertices.size() == 1) {
    outline.points.push_back(system.toWorld(vertices[0].x, vertices[0].y, elevation));
    return;
  }
  const bool closed = (groups.integer(70, 0) & 1) != 0;
  const size_t legs = closed ? vertices.size() : vertices.size() - 1;
  for (size_t i = 0; i < legs && vertices.size() > 1; ++i) {
    const Vertex& a = vertices[i];
    const Vertex& b = vertices[(i + 1) % vertices.size()];
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (std::fabs(a.bulge) < 1e-12 || chord == 0.0) {
      outline.segments.push_back(
          {system.toWorld(a.x, a.y, elevation), system.toWorld(b.x, b.y, elevation)});
      continue;
    }
    // The bulge is the tangent of a quarter of the included angle, positive counter-clockwise.
    const double included = 4.0 * std::atan(a.bulge);
    const double radius = chord / (2.0 * std::sin(std::fabs(included) / 2.0));
    const double towardCentre = std::fabs(radius) * std::cos(std::fabs(included) / 2.0);
    const double mx = (a.x + b.x) / 2.0, my = (a.y + b.y) / 2.0;
    const double side = a.bulge > 0.0 ? 1.0 : -1.0;
    // The centre lies left of the chord for a counter-clockwise arc of less than a half turn.
    const double sign = (std::fabs(included) <= kPi ? 1.0 : -1.0) * side;
    const Vector3 centre{mx - sign * towardCentre * (b.y - a.y) / chord,
                         my + sign * towardCentre * (b.x - a.x) / chord, elevation};
    const double angleA = std::atan2(a.y - centre.y, a.x - centre.x);
    const double angleB = std::atan2(b.y - centre.y, b.x - centre.x);
    if (a.bulge > 0.0) {
      addArc(outline, system, centre, radius, angleA, angleB, false);
    } else {
      addArc(outline, system, centre, radius, angleB, angleA, false);
    }
  }
}

void text(const Groups& groups, Outline& outline) {
  Vector3 start;
  if (!groups.point(10, start)) {
    return;
  }
  const TextBox box = textBox(groups.text(1), groups.real(40, 0.0), groups.real(41, 1.0));
  const double rotation = groups.real(50, 0.0) * kPi / 180.0;
  addBox(outline, groups.system(), start, rotation, box.width, box.top - box.bottom, 0.0,
         box.bottom);
}

void multilineText(const Groups& groups, Outline& outline) {
  Vector3 start;
  if (!groups.point(10, start)) {
    return;
  }
  const std::string_view contents = groups.text(1);
  const double height = groups.real(40, 0.0);
  size_t lines = 1, longest = 0, run = 0;
  for (size_t i = 0; i < contents.size(); ++i) {
    if (contents.compare(i, 2, "\\P") == 0) {
      ++lines;
      longest = std::max(longest, run);
      run = 0;
      ++i;
    } else {
      ++run;
    }
  }
  longest = std::max(longest, run);
  double width = groups.real(41, 0.0);
  if (width <= 0.0) {
    width = textBox(std::string(longest, 'x'), height, 1.0).width;
  }
  const double boxHeight = height * (1.0 + (static_cast<double>(lines) - 1.0) * 5.0 / 3.0);
  double angle = groups.real(50, 0.0);
  Vector3 direction;
  if (groups.point(11, direction) && (direction.x != 0.0 || direction.y != 0.0)) {
    angle = std::atan2(direction.y, direction.x);
  }
  const int attachment = std::clamp(groups.integer(71, 1), 1, 9);
  const double dx = -width * ((attachment - 1) % 3) / 2.0;
  const double dy = -boxHeight * (1.0 - ((attachment - 1) / 3) / 2.0);
  addBox(outline, EntitySystem({0, 0, 1}), start, angle, width, boxHeight, dx, dy);
}

void imageFrame(const Groups& groups, Outline& outline) {
  Vector3 origin, u, v, size;
  if (!groups.point(10, origin)) {
    return;
  }
  if (!groups.point(11, u) || !groups.point(12, v) || !groups.point(13, size)) {
    outline.points.push_back({origin.x, origin.y});
    return;
  }
  const Point2 o{origin.x, origin.y};
  const Point2 across{u.x * size.x, u.y * size.x}, up{v.x * size.y, v.y * size.y};
  addLoop(outline, {o,
                    {o.x + across.x, o.y + across.y},
                    {o.x + across.x + up.x, o.y + across.y + up.y},
                    {o.x + up.x, o.y + up.y}});
}

} // namespace

TextBox textBox(std::string_view text, double height, double widthFactor) {
  TextBox box;
  box.width = static_cast<double>(text.size()) * height * kTextCharacterWidth * widthFactor;
  box.top = text.empty() ? 0.0 : height; // an empty text has an empty box
  box.bottom = text.find_first_of("gjpqy,;") != std::string_view::npos ? -height / 3.0 : 0.0;
  return box;
}

void entityOutline(const EntityGroups& all, Outline& outline) {
  outline.clear();
  const Groups groups(all);
  const char* type = groups.text(0);
  const EntitySystem system = groups.system();
  Vector3 a, b, c, d;
  if (std::strcmp(type, "POINT") == 0 || std::strcmp(type, "INSERT") == 0) {
    if (groups.point(10, a)) {
      outline.points.push_back(std::strcmp(type, "POINT") == 0 ? Point2{a.x, a.y}
                                                               : system.toWorld(a.x, a.y, a.z));
    }
  } else if (std::strcmp(type, "LINE") == 0) {
    if (groups.point(10, a) && groups.point(11, b)) {
      outline.segments.push_back({{a.x, a.y}, {b.x, b.y}});
    }
  } else if (std::strcmp(type, "CIRCLE") == 0 || std::strcmp(type, "ARC") == 0) {
    if (groups.point(10, a)) {
      const bool full = type[0] == 'C';
      addArc(outline, system, a, groups.real(40, 0.0), groups.real(50, 0.0) * kPi / 180.0,
             groups.real(51, 0.0) * kPi / 180.0, full);
    }
  } else if (std::strcmp(type, "LWPOLYLINE") == 0) {
    lightweightPolyline(groups, outline);
  } else if (std::strcmp(type, "SOLID") == 0) {
    if (groups.point(10, a) && groups.point(11, b) && groups.point(12, c)) {
      if (!groups.point(13, d)) {
        d = c;
      }
      addLoop(outline, {system.toWorld(a.x, a.y, a.z), system.toWorld(b.x, b.y, b.z),
                        system.toWorld(d.x, d.y, d.z), system.toWorld(c.x, c.y, c.z)});
    }
  } else if (std::strcmp(type, "TEXT") == 0) {
    text(groups, outline);
  } else if (std::strcmp(type, "MTEXT") == 0) {
    multilineText(groups, outline);
  } else if (std::strcmp(type, "WIPEOUT") == 0 || std::strcmp(type, "IMAGE") == 0) {
    imageFrame(groups, outline);
  } else {
    for (const EntityGroup& group : all) {
      if (group.code >= 10 && group.code <= 18) {
        outline.points.push_back({group.values[0], group.values[1]});
      }
    }
  }
}

// ---- The tests
namespace {

double crossOf(Point2 o, Point2 a, Point2 b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool onSegment(Point2 p, const Outline::Segment& s) {
  const double length = std::hypot(s.b.x - s.a.x, s.b.y - s.a.y);
  if (std::fabs(crossOf(s.a, s.b, p)) > kEpsilon * std::max(1.0, length)) {
    return false;
  }
  return p.x >= std::min(s.a.x, s.b.x) - kEpsilon && p.x <= std::max(s.a.x, s.b.x) + kEpsilon &&
         p.y >= std::min(s.a.y, s.b.y) - kEpsilon && p.y <= std::max(s.a.y, s.b.y) + kEpsilon;
}

// True when the segments share a point (touching counts).
bool segmentsMeet(const Outline::Segment& s, const Outline::Segment& t) {
  const double d1 = crossOf(t.a, t.b, s.a), d2 = crossOf(t.a, t.b, s.b);
  const double d3 = crossOf(s.a, s.b, t.a), d4 = crossOf(s.a, s.b, t.b);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
    return true;
  }
  return onSegment(s.a, t) || onSegment(s.b, t) || onSegment(t.a, s) || onSegment(t.b, s);
}

bool angleOnArc(const Outline::Arc& arc, double angle) {
  if (arc.sweep >= kTwoPi) {
    return true;
  }
  const double from = normalAngle(angle - arc.start);
  return from <= arc.sweep + kEpsilon || from >= kTwoPi - kEpsilon;
}

Point2 pointAt(const Outline::Arc& arc, double angle) {
  return {arc.centre.x + arc.radius * std::cos(angle), arc.centre.y + arc.radius * std::sin(angle)};
}

bool segmentMeetsArc(const Outline::Segment& s, const Outline::Arc& arc) {
  const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
  const double fx = s.a.x - arc.centre.x, fy = s.a.y - arc.centre.y;
  const double qa = dx * dx + dy * dy;
  const double qb = 2.0 * (fx * dx + fy * dy);
  const double qc = fx * fx + fy * fy - arc.radius * arc.radius;
  if (qa == 0.0) {
    return std::fabs(std::sqrt(fx * fx + fy * fy) - arc.radius) <= kEpsilon &&
           angleOnArc(arc, std::atan2(fy, fx));
  }
  double discriminant = qb * qb - 4.0 * qa * qc;
  const double tolerance = kEpsilon * std::max(1.0, qb * qb);
  if (discriminant < -tolerance) {
    return false;
  }
  discriminant = std::max(0.0, discriminant);
  const double root = std::sqrt(discriminant);
  for (const double t : {(-qb - root) / (2.0 * qa), (-qb + root) / (2.0 * qa)}) {
    if (t >= -kEpsilon && t <= 1.0 + kEpsilon &&
        angleOnArc(arc, std::atan2(fy + t * dy, fx + t * dx))) {
      return true;
    }
  }
  return false;
}

// The ends of an arc and its extreme points: what decides whether it lies in a rectangle.
// Fills points (room for six) and answers how many.
int arcExtremes(const Outline::Arc& arc, Point2 (&points)[6]) {
  int count = 0;
  points[count++] = pointAt(arc, arc.start);
  points[count++] = pointAt(arc, arc.start + arc.sweep);
  for (int quarter = 0; quarter < 4; ++quarter) {
    const double angle = quarter * kPi / 2.0;
    if (angleOnArc(arc, angle)) {
      points[count++] = pointAt(arc, angle);
    }
  }
  return count;
}

} // namespace

SelectionArea::SelectionArea(SelectionMode mode, std::vector<Point2> points)
    : mode_(mode), points_(std::move(points)) {
  if (mode_ == SelectionMode::Window || mode_ == SelectionMode::Crossing) {
    const Point2 a = points_.size() > 0 ? points_[0] : Point2{};
    const Point2 b = points_.size() > 1 ? points_[1] : a;
    low_ = {std::min(a.x, b.x), std::min(a.y, b.y)};
    high_ = {std::max(a.x, b.x), std::max(a.y, b.y)};
    points_ = {low_, {high_.x, low_.y}, high_, {low_.x, high_.y}};
  }
  const bool closed = mode_ != SelectionMode::Fence;
  const size_t legs = points_.size() < 2 ? 0 : (closed ? points_.size() : points_.size() - 1);
  for (size_t i = 0; i < legs; ++i) {
    boundary_.push_back({points_[i], points_[(i + 1) % points_.size()]});
  }
}

bool SelectionArea::insideArea(Point2 p) const {
  if (mode_ == SelectionMode::Window || mode_ == SelectionMode::Crossing) {
    return p.x >= low_.x - kEpsilon && p.x <= high_.x + kEpsilon && p.y >= low_.y - kEpsilon &&
           p.y <= high_.y + kEpsilon;
  }
  if (mode_ == SelectionMode::Fence) {
    return false;
  }
  for (const Outline::Segment& edge : boundary_) {
    if (onSegment(p, edge)) {
      return true;
    }
  }
  bool inside = false; // even-odd rule
  for (const Outline::Segment& edge : boundary_) {
    if ((edge.a.y > p.y) != (edge.b.y > p.y)) {
      const double x = edge.a.x + (p.y - edge.a.y) * (edge.b.x - edge.a.x) / (edge.b.y - edge.a.y);
      inside = inside != (p.x < x);
    }
  }
  return inside;
}

bool SelectionArea::segmentMeetsBoundary(const Outline::Segment& segment) const {
  for (const Outline::Segment& edge : boundary_) {
    if (segmentsMeet(segment, edge)) {
      return true;
    }
  }
  return false;
}

bool SelectionArea::arcMeetsBoundary(const Outline::Arc& arc) const {
  for (const Outline::Segment& edge : boundary_) {
    if (segmentMeetsArc(edge, arc)) {
      return true;
    }
  }
  return false;
}

bool SelectionArea::pointsAndEndsInside(const Outline& outline) const {
  for (const Point2& p : outline.points) {
    if (!insideArea(p)) {
      return false;
    }
  }
  for (const Outline::Segment& s : outline.segments) {
    if (!insideArea(s.a) || !insideArea(s.b)) {
      return false;
    }
  }
  return true;
}

bool SelectionArea::selects(const Outline& outline) const {
  if (outline.empty() || boundary_.empty()) {
    return false;
  }
  switch (mode_) {
  case SelectionMode::Window:
    if (!pointsAndEndsInside(outline)) {
      return false;
    }
    for (const Outline::Arc& arc : outline.arcs) {
      Point2 extremes[6];
      const int count = arcExtremes(arc, extremes);
      for (int i = 0; i < count; ++i) {
        if (!insideArea(extremes[i])) {
          return false;
        }
      }
    }
    return true;
  case SelectionMode::WindowPolygon: {
    // Wholly inside a polygon that may be concave: every piece starts inside and crosses no
    // edge except where it only touches the edge at an inside point.
    if (!pointsAndEndsInside(outline)) {
      return false;
    }
    for (const Outline::Segment& s : outline.segments) {
      for (const Outline::Segment& edge : boundary_) {
        const double d1 = crossOf(edge.a, edge.b, s.a), d2 = crossOf(edge.a, edge.b, s.b);
        const double d3 = crossOf(s.a, s.b, edge.a), d4 = crossOf(s.a, s.b, edge.b);
        if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) &&
            ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
          return false;
        }
      }
      const Point2 middle{(s.a.x + s.b.x) / 2.0, (s.a.y + s.b.y) / 2.0};
      if (!insideArea(middle)) {
        return false;
      }
    }
    for (const Outline::Arc& arc : outline.arcs) {
      if (!insideArea(pointAt(arc, arc.start)) || arcMeetsBoundary(arc)) {
        return false;
      }
    }
    return true;
  }
  case SelectionMode::Crossing:
  case SelectionMode::CrossingPolygon:
    for (const Point2& p : outline.points) {
      if (insideArea(p)) {
        return true;
      }
    }
    for (const Outline::Segment& s : outline.segments) {
      if (insideArea(s.a) || insideArea(s.b) || segmentMeetsBoundary(s)) {
        return true;
      }
    }
    for (const Outline::Arc& arc : outline.arcs) {
      if (insideArea(pointAt(arc, arc.start)) || arcMeetsBoundary(arc)) {
        return true;
      }
    }
    return false;
  case SelectionMode::Fence:
    for (const Point2& p : outline.points) {
      for (const Outline::Segment& leg : boundary_) {
        if (onSegment(p, leg)) {
          return true;
        }
      }
    }
    for (const Outline::Segment& s : outline.segments) {
      if (segmentMeetsBoundary(s)) {
        return true;
      }
    }
    for (const Outline::Arc& arc : outline.arcs) {
      if (arcMeetsBoundary(arc)) {
        return true;
      }
    }
    return false;
  }
  return false;
}

} // namespace sim::detail

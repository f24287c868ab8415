// Where an entity lies, for the geometric modes of acedSSGet, taken from its groups.
//
// An entity is reduced to its outline in the world's XY plane (points given in the entity's own
// coordinate system are carried to the world by the drawing's arbitrary-axis rule, then seen from
// above): POINT its point; LINE its segment; CIRCLE and ARC their real curves; LWPOLYLINE its
// segments and bulge arcs, closed when flag 1 is set; SOLID its four edges in drawing order
// (10-11-13-12); TEXT the box of its text (textBoxSize) from its baseline start, turned by its
// rotation; MTEXT the box of its lines placed by its attachment point; WIPEOUT and IMAGE the
// frame given by the insertion point, the pixel vectors and the size in pixels; INSERT its
// insertion point. An entity of another type is known by the points of its groups 10 to 18.
//
// The rules of selection: a window (W) or window polygon (WP) takes an entity whose whole
// outline lies inside (on the edge counts as inside); a crossing window (C) or crossing polygon
// (CP) takes an entity whose outline has a point inside or meets the boundary; a fence (F) takes
// an entity whose outline meets one of its segments. An area inside a closed curve is not part
// of the outline: a crossing window drawn wholly inside a circle does not take the circle.
#pragma once

#include <string_view>
#include <vector>

#include "platform/acad/adsdef.h"
#include "platform/acad/dbmain.h"

namespace sim::detail {

struct Point2 {
  double x = 0.0, y = 0.0;
};

struct Outline {
  struct Segment {
    Point2 a, b;
  };
  // Counter-clockwise from start (radians) through sweep (0 < sweep <= 2 pi: a circle).
  struct Arc {
    Point2 centre;
    double radius = 0.0, start = 0.0, sweep = 0.0;
  };
  std::vector<Point2> points;
  std::vector<Segment> segments;
  std::vector<Arc> arcs;
  bool empty() const { return points.empty() && segments.empty() && arcs.empty(); }
  void clear() {
    points.clear();
    segments.clear();
    arcs.clear();
  }
};

// The outline of an entity's groups (as acdbEntGet gives them); empty when they give no place.
void entityOutline(const EntityGroups& groups, Outline& outline);

// A text's box as acedTextBox measures it, from the left end of the baseline: each character is
// kTextCharacterWidth times the height wide (times the width factor), the box reaches up to the
// height (an empty text: nothing) and, for a text with a descender (g j p q y , ;), down to a third
// of the height.
inline constexpr double kTextCharacterWidth = 0.8;
struct TextBox {
  double width = 0.0, bottom = 0.0, top = 0.0;
};
TextBox textBox(std::string_view text, double height, double widthFactor);

enum class SelectionMode { Window, Crossing, WindowPolygon, CrossingPolygon, Fence };

class SelectionArea {
public:
  // Window and Crossing: two opposite corners; polygons: three or more vertices (closed);
  // Fence: two or more points.
  SelectionArea(SelectionMode mode, std::vector<Point2> points);
  bool selects(const Outline& outline) const;

private:
  bool insideArea(Point2 p) const;
  // True when every point and every segment's ends lie inside.
  bool pointsAndEndsInside(const Outline& outline) const;
  bool segmentMeetsBoundary(const Outline::Segment& segment) const;
  bool arcMeetsBoundary(const Outline::Arc& arc) const;

  SelectionMode mode_;
  std::vector<Point2> points_;
  std::vector<Outline::Segment> boundary_; // the window's or polygon's edges, the fence's legs
  Point2 low_, high_;                      // Window, Crossing
};

} // namespace sim::detail

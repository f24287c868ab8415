// The geometric selection modes on each entity type's group list: window, crossing, window and
// crossing polygons, fence.
#include <functional>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/group_lists.h"
#include "platform/acad/internal/entity_geometry.h"
#include "testing/host_test.h"

namespace {

using qvtest::GroupList;
using sim::detail::Outline;
using sim::detail::Point2;
using sim::detail::SelectionArea;
using Mode = sim::detail::SelectionMode;
using Build = std::function<void(GroupList&)>;

class EntityGeometryTest : public qvtest::HostTest {};

void arc(GroupList& g) { // a quarter of a circle of radius 5 about the origin, first quadrant
  g.text(0, "ARC").point(10, 0, 0).real(40, 5).real(50, 0).real(51, 90);
}
void circle(GroupList& g) {
  g.text(0, "CIRCLE").point(10, 5, 5).real(40, 2);
}
void line(GroupList& g) {
  g.text(0, "LINE").point(10, 0, 0).point(11, 10, 0);
}
void bulge(GroupList& g) { // (0,0) to (2,0) by a half circle below, then up to (2,3)
  g.text(0, "LWPOLYLINE").integer(90, 3).integer(70, 0).point(10, 0, 0).real(42, 1);
  g.point(10, 2, 0).point(10, 2, 3);
}
void text(GroupList& g) { // "ABCDE" one unit high, turned a quarter: (9,10) to (10,14)
  g.text(0, "TEXT").point(10, 10, 10).real(40, 1).text(1, "ABCDE").real(50, 90);
}
void mtext(GroupList& g) { // attached top left at (0,10), ten wide, one line: (0,9) to (10,10)
  g.text(0, "MTEXT").point(10, 0, 10).real(40, 1).real(41, 10).integer(71, 1).text(1, "Note");
}
void solid(GroupList& g) {
  g.text(0, "SOLID").point(10, 0, 0).point(11, 4, 0).point(12, 0, 4).point(13, 4, 4);
}
void image(GroupList& g, const char* type) { // 200 by 100 pixels of 0.01: (0,0) to (2,1)
  g.text(0, type).point(10, 0, 0).point(11, 0.01, 0).point(12, 0, 0.01).point(13, 200, 100);
}
void mirroredArc(GroupList& g) { // seen from below: the second quadrant
  arc(g);
  g.point(210, 0, 0, -1);
}
void tiltedCircle(GroupList& g) { // standing in the world's YZ plane: seen from above, a line
  g.text(0, "CIRCLE").point(10, 0, 0).real(40, 2).point(210, 1, 0, 0);
}

const std::vector<Point2> kNotchedBox = {{-1, -1}, {4, -1},  {4, 0.5}, {6, 0.5},
                                         {6, -1},  {11, -1}, {11, 1},  {-1, 1}};

TEST_F(EntityGeometryTest, SelectsByEachTypesOutline) {
  const struct {
    const char* what;
    Build entity;
    Mode mode;
    std::vector<Point2> points;
    bool selected;
  } cases[] = {
      {"arc in its box", arc, Mode::Window, {{0, 0}, {5.1, 5.1}}, true},
      {"arc wider than window", arc, Mode::Window, {{0, 0}, {4.9, 5.1}}, false},
      {"arc crossed", arc, Mode::Crossing, {{3, 3}, {4, 4}}, true},
      {"crossing inside the arc's sector", arc, Mode::Crossing, {{0.5, 0.5}, {2, 2}}, false},
      {"crossing beside the arc's sweep", arc, Mode::Crossing, {{-5, -5}, {-1, -1}}, false},
      {"fence across the arc", arc, Mode::Fence, {{-1, 4}, {6, 4}}, true},
      {"fence across the missing part", arc, Mode::Fence, {{-6, -4}, {6, -4}}, false},
      {"circle in a square polygon",
       circle,
       Mode::WindowPolygon,
       {{2, 2}, {8, 2}, {8, 8}, {2, 8}},
       true},
      {"circle cut by a polygon",
       circle,
       Mode::WindowPolygon,
       {{2, 2}, {6, 2}, {6, 8}, {2, 8}},
       false},
      {"polygon inside the circle",
       circle,
       Mode::CrossingPolygon,
       {{4.5, 4.5}, {5.5, 4.5}, {5, 5.5}},
       false},
      {"polygon across the circle",
       circle,
       Mode::CrossingPolygon,
       {{4.5, 4.5}, {9, 4.5}, {5, 5.5}},
       true},
      {"line in a window", line, Mode::Window, {{-1, -1}, {10, 1}}, true},
      {"line crossed", line, Mode::Crossing, {{4, -1}, {5, 1}}, true},
      {"line beside a crossing", line, Mode::Crossing, {{4, 0.5}, {5, 1}}, false},
      {"line leaving a concave polygon", line, Mode::WindowPolygon, kNotchedBox, false},
      {"line crossing a concave polygon", line, Mode::CrossingPolygon, kNotchedBox, true},
      {"fence along the line's end", line, Mode::Fence, {{10, -1}, {10, 1}}, true},
      {"fence past the line", line, Mode::Fence, {{11, -1}, {11, 1}, {20, 0}}, false},
      {"bulge below the window", bulge, Mode::Window, {{-0.1, -0.5}, {2.1, 3.1}}, false},
      {"bulge in the window", bulge, Mode::Window, {{-0.1, -1.1}, {2.1, 3.1}}, true},
      {"bulge's lowest point crossed", bulge, Mode::Crossing, {{0.9, -1.05}, {1.1, -0.95}}, true},
      {"inside the bulge's chord", bulge, Mode::Crossing, {{0.9, -0.5}, {1.1, -0.1}}, false},
      {"turned text in its box", text, Mode::Window, {{8.9, 9.9}, {10.1, 14.1}}, true},
      {"turned text along x", text, Mode::Window, {{9.9, 9.9}, {14.1, 11}}, false},
      {"turned text's top crossed", text, Mode::Crossing, {{9.5, 13.5}, {9.6, 15}}, true},
      {"mtext in its box", mtext, Mode::Window, {{-0.1, 8.9}, {10.1, 10.1}}, true},
      {"mtext hanging below its point", mtext, Mode::Window, {{-0.1, 9.5}, {10.1, 10.5}}, false},
      {"mtext crossed at its corner", mtext, Mode::Crossing, {{9.5, 9.5}, {11, 11}}, true},
      {"solid's edge crossed", solid, Mode::Crossing, {{3, 3}, {5, 5}}, true},
      {"inside the solid only", solid, Mode::Crossing, {{1, 1}, {2, 2}}, false},
      {"solid's diagonal fence", solid, Mode::Fence, {{-1, 2}, {5, 2}}, true},
      {"image in its frame",
       [](GroupList& g) { image(g, "IMAGE"); },
       Mode::Window,
       {{0, 0}, {2, 1}},
       true},
      {"image higher than the window",
       [](GroupList& g) { image(g, "IMAGE"); },
       Mode::Window,
       {{0, 0}, {2, 0.9}},
       false},
      {"wipeout's side crossed",
       [](GroupList& g) { image(g, "WIPEOUT"); },
       Mode::Crossing,
       {{1.9, 0.4}, {2.5, 0.6}},
       true},
      {"point in a polygon",
       [](GroupList& g) { g.text(0, "POINT").point(10, 3, 3); },
       Mode::WindowPolygon,
       {{0, 0}, {6, 0}, {3, 6}},
       true},
      {"point on a fence",
       [](GroupList& g) { g.text(0, "POINT").point(10, 3, 3); },
       Mode::Fence,
       {{0, 0}, {6, 6}},
       true},
      {"point off a fence",
       [](GroupList& g) { g.text(0, "POINT").point(10, 3, 3); },
       Mode::Fence,
       {{0, 1}, {6, 7}},
       false},
      {"insert by its point",
       [](GroupList& g) { g.text(0, "INSERT").text(2, "B").point(10, 5, 5); },
       Mode::Window,
       {{4, 4}, {6, 6}},
       true},
      {"mirrored arc in the second quadrant",
       mirroredArc,
       Mode::Crossing,
       {{-4, 3}, {-3, 4}},
       true},
      {"mirrored arc not in the first", mirroredArc, Mode::Crossing, {{3, 3}, {4, 4}}, false},
      {"tilted circle's top", tiltedCircle, Mode::Crossing, {{-0.1, 1.9}, {0.1, 2.1}}, true},
      {"tilted circle in a thin window",
       tiltedCircle,
       Mode::Window,
       {{-0.1, -2.1}, {0.1, 2.1}},
       true},
      {"no geometry",
       [](GroupList& g) { g.text(0, "XLINE"); },
       Mode::Crossing,
       {{-100, -100}, {100, 100}},
       false},
  };
  for (const auto& c : cases) {
    GroupList list;
    c.entity(list);
    Outline outline;
    sim::detail::entityOutline(list.entityGroups(), outline);
    EXPECT_EQ(SelectionArea(c.mode, c.points).selects(outline), c.selected) << c.what;
  }
}

TEST_F(EntityGeometryTest, MeasuresTextAsTheHostsTextBoxDoes) {
  for (const char* text : {"ABCD", "jog", ""}) {
    resbuf* list = acutBuildList(RTDXF0, "TEXT", 1, text, 40, 2.0, 41, 0.5, 0);
    ads_point low, high;
    ASSERT_EQ(acedTextBox(list, low, high), RTNORM);
    const sim::detail::TextBox box = sim::detail::textBox(text, 2.0, 0.5);
    EXPECT_DOUBLE_EQ(box.width, high[0] - low[0]) << text;
    EXPECT_DOUBLE_EQ(box.bottom, low[1]) << text;
    EXPECT_DOUBLE_EQ(box.top, high[1]) << text;
    acutRelRb(list);
  }
}

} // namespace

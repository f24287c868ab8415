// What the host's drawing commands share: answers to their prompts taken from an acedCommand
// argument list, running object snap on the points, and entities made from group lists.
//
// The host takes a point as an RTPOINT or RT3DPOINT value, or as a text "x,y" or "x,y,z"; a
// keyword as a text without regard to case, with or without the "_" of the English name; Enter
// as the empty text. A list that ends while a command still asks leaves that command waiting in
// the host; the stand-in does not keep a command waiting across calls, so the command ends there
// with what it made so far.
#pragma once

#include <deque>
#include <string>

#include "platform/acad/acadstrc.h"
#include "platform/acad/adsdef.h"
#include "platform/acad/dbid.h"

namespace sim::detail {

struct Point3 {
  double x = 0, y = 0, z = 0;
};

// What an answer is.
enum class Answer { Missing, Enter, Point, Text, Number, Other };

// What the next answer is, without taking it.
Answer peekAnswer(const resbuf* args);
// Takes a point (snapped by the running object snap unless snap is false); false, with nothing
// taken, when the next answer is not a point.
bool takePoint(const resbuf*& args, Point3& point, bool snap = true);
// Takes a text answer (the keyword without its leading "_", upper-cased); false, with nothing
// taken, when the next answer is not a text.
bool takeKeyword(const resbuf*& args, std::string& keyword);
// Takes the text as given; false when the next answer is not a text.
bool takeText(const resbuf*& args, std::string& text);
// Takes a number: RTREAL, RTSHORT, RTLONG, or a text that is one number; false otherwise.
bool takeNumber(const resbuf*& args, double& number);
// True when the keyword is the option (its whole name or the leading part of at least the
// letters the host needs: "W" or "WINDOW" for "WINDOW").
bool isOption(const std::string& keyword, const char* option, size_t shortest = 1);

// Prints a refusal on the command line as the host does ("\n" before the text) and answers
// RTERROR, for a command that stops on input it cannot take.
int refuseInput(const char* message);

// The pick-box half-size in drawing units: "aperture" pixels at the view's scale.
double apertureInDrawingUnits();
// The point moved onto the nearest object-snap target within the aperture, by the modes of
// "OSMODE" that the stand-in knows (1 end points of lines, 2 their midpoints, 8 point nodes);
// 16384 suppresses running snaps. Unchanged when nothing is near.
Point3 snapped(const Point3& point);

// A group list of the host's own, not counted as the library's result buffers.
class GroupList {
public:
  GroupList& text(short code, const std::string& value);
  GroupList& point(short code, const Point3& value);
  GroupList& real(short code, double value);
  GroupList& integer(short code, int value); // 16-bit groups
  const resbuf* head();

private:
  std::deque<resbuf> items_;
  std::deque<std::string> texts_;
};

// Makes an entity of the list in the current drawing, on the current layer ("CLAYER") unless the
// list names one: eOk with id set.
Acad::ErrorStatus makeCommandEntity(GroupList& groups, AcDbObjectId& id);

} // namespace sim::detail

// Answers to the prompts of the host's drawing commands, running object snap, and entities made
// from the commands' group lists.
#include "platform/acad/internal/command_input.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/acad/adscodes.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/view_state.h"
#include "platform/internal/session.h"
#include "platform/internal/top_windows.h"

namespace sim::detail {

namespace {

// Object snap modes of "OSMODE" that the stand-in knows.
constexpr int kSnapEnd = 1;
constexpr int kSnapMiddle = 2;
constexpr int kSnapNode = 8;
constexpr int kSnapSuppressed = 16384;

bool isText(const resbuf* item) {
  return item != nullptr && item->restype == RTSTR && item->resval.rstring != nullptr;
}

// A text of two or three numbers separated by commas.
bool parsePoint(const char* text, Point3& point) {
  double values[3] = {0, 0, 0};
  int count = 0;
  const char* at = text;
  while (count < 3) {
    char* end = nullptr;
    values[count] = std::strtod(at, &end);
    if (end == at) {
      return false;
    }
    ++count;
    while (*end == ' ') {
      ++end;
    }
    if (*end == '\0') {
      break;
    }
    if (*end != ',') {
      return false;
    }
    at = end + 1;
  }
  if (count < 2 || (count == 3 && std::strchr(at, ',') != nullptr)) {
    return false;
  }
  point = {values[0], values[1], values[2]};
  return true;
}

bool parseNumber(const char* text, double& number) {
  char* end = nullptr;
  number = std::strtod(text, &end);
  if (end == text) {
    return false;
  }
  while (*end == ' ') {
    ++end;
  }
  return *end == '\0';
}

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

int sysVarShort(const char* name) {
  auto found = host().sysVars.find(name);
  return found == host().sysVars.end() ? 0 : found->second.shortValue;
}

} // namespace

Answer peekAnswer(const resbuf* args) {
  if (args == nullptr) {
    return Answer::Missing;
  }
  switch (args->restype) {
  case RTPOINT:
  case RT3DPOINT:
    return Answer::Point;
  case RTREAL:
  case RTSHORT:
  case RTLONG:
    return Answer::Number;
  case RTSTR: {
    if (args->resval.rstring == nullptr) {
      return Answer::Other;
    }
    if (args->resval.rstring[0] == '\0') {
      return Answer::Enter;
    }
    Point3 point;
    return parsePoint(args->resval.rstring, point) ? Answer::Point : Answer::Text;
  }
  default:
    return Answer::Other;
  }
}

bool takePoint(const resbuf*& args, Point3& point, bool snap) {
  if (args == nullptr) {
    return false;
  }
  if (args->restype == RTPOINT || args->restype == RT3DPOINT) {
    point = {args->resval.rpoint[X], args->resval.rpoint[Y],
             args->restype == RTPOINT ? 0.0 : args->resval.rpoint[Z]};
  } else if (!isText(args) || !parsePoint(args->resval.rstring, point)) {
    return false;
  }
  args = args->rbnext;
  if (snap) {
    point = snapped(point);
  }
  return true;
}

bool takeKeyword(const resbuf*& args, std::string& keyword) {
  if (!isText(args)) {
    return false;
  }
  const char* text = args->resval.rstring;
  keyword = upper(text[0] == '_' ? text + 1 : text);
  args = args->rbnext;
  return true;
}

bool takeText(const resbuf*& args, std::string& text) {
  if (!isText(args)) {
    return false;
  }
  text = args->resval.rstring;
  args = args->rbnext;
  return true;
}

bool takeNumber(const resbuf*& args, double& number) {
  if (args == nullptr) {
    return false;
  }
  switch (args->restype) {
  case RTREAL:
    number = args->resval.rreal;
    break;
  case RTSHORT:
    number = args->resval.rint;
    break;
  case RTLONG:
    number = args->resval.rlong;
    break;
  default:
    if (!isText(args) || !parseNumber(args->resval.rstring, number)) {
      return false;
    }
  }
  args = args->rbnext;
  return true;
}

bool isOption(const std::string& keyword, const char* option, size_t shortest) {
  const size_t length = std::strlen(option);
  return keyword.size() >= shortest && keyword.size() <= length &&
         std::strncmp(keyword.c_str(), option, keyword.size()) == 0;
}

int refuseInput(const char* message) {
  const std::string line = std::string("\n") + message + "\n";
  printToCommandLine(line.c_str());
  return RTERROR;
}

double apertureInDrawingUnits() {
  const int height = topWindows().document.clientHeight;
  return sysVarShort("APERTURE") * currentView().height / (height > 0 ? height : 1);
}

Point3 snapped(const Point3& point) {
  const int modes = sysVarShort("OSMODE");
  if ((modes & kSnapSuppressed) != 0 || (modes & (kSnapEnd | kSnapMiddle | kSnapNode)) == 0) {
    return point;
  }
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) {
    return point;
  }
  const double reach = apertureInDrawingUnits();
  Point3 best = point;
  double bestDistance = INFINITY;
  auto consider = [&](const double* target) {
    const double dx = std::fabs(target[0] - point.x), dy = std::fabs(target[1] - point.y);
    const double distance = std::hypot(dx, dy);
    if (dx <= reach && dy <= reach && distance < bestDistance) {
      bestDistance = distance;
      best = {target[0], target[1], target[2]};
    }
  };
  EntityGroups groups;
  forEachEntity(*db, [&](AcDbObjectId, const AcDbEntity& entity) {
    groups.clear();
    entityGroups(entity, groups);
    const std::string type = entity.dxfType();
    const EntityGroup* first = nullptr;
    const EntityGroup* second = nullptr;
    for (const EntityGroup& group : groups) {
      if (group.code == 10) {
        first = &group;
      } else if (group.code == 11) {
        second = &group;
      }
    }
    if (type == "LINE" && first != nullptr && second != nullptr) {
      if ((modes & kSnapEnd) != 0) {
        consider(first->values);
        consider(second->values);
      }
      if ((modes & kSnapMiddle) != 0) {
        const double middle[3] = {(first->values[0] + second->values[0]) / 2,
                                  (first->values[1] + second->values[1]) / 2,
                                  (first->values[2] + second->values[2]) / 2};
        consider(middle);
      }
    } else if (type == "POINT" && first != nullptr && (modes & kSnapNode) != 0) {
      consider(first->values);
    }
    return true;
  });
  return best;
}

GroupList& GroupList::text(short code, const std::string& value) {
  resbuf& item = items_.emplace_back();
  item.restype = code;
  item.resval.rstring = texts_.emplace_back(value).data();
  return *this;
}

GroupList& GroupList::point(short code, const Point3& value) {
  resbuf& item = items_.emplace_back();
  item.restype = code;
  item.resval.rpoint[X] = value.x;
  item.resval.rpoint[Y] = value.y;
  item.resval.rpoint[Z] = value.z;
  return *this;
}

GroupList& GroupList::real(short code, double value) {
  resbuf& item = items_.emplace_back();
  item.restype = code;
  item.resval.rreal = value;
  return *this;
}

GroupList& GroupList::integer(short code, int value) {
  resbuf& item = items_.emplace_back();
  item.restype = code;
  item.resval.rint = static_cast<short>(value);
  return *this;
}

const resbuf* GroupList::head() {
  for (size_t i = 0; i < items_.size(); ++i) {
    items_[i].rbnext = i + 1 < items_.size() ? &items_[i + 1] : nullptr;
  }
  return items_.empty() ? nullptr : &items_.front();
}

Acad::ErrorStatus makeCommandEntity(GroupList& groups, AcDbObjectId& id) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) {
    return Acad::eNoDatabase;
  }
  bool hasLayer = false;
  for (const resbuf* item = groups.head(); item != nullptr; item = item->rbnext) {
    hasLayer = hasLayer || item->restype == 8;
  }
  if (!hasLayer) {
    groups.text(8, host().sysVars["CLAYER"].text);
  }
  return makeEntityFromList(*db, groups.head(), id);
}

} // namespace sim::detail

// acedSSGet and acedEntSel: selecting the drawing's entities by mode, area and filter, and the
// person's picks taken from the queue of answers.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/internal/entity_geometry.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/host_state.h"
#include "platform/acad/internal/selection_filter.h"
#include "platform/acad/internal/selection_get.h"
#include "platform/acad/internal/selection_sets.h"
#include "platform/internal/session.h"

namespace sim::detail {
namespace {

constexpr int kBadMode = 98; // ERRNO: a mode the host does not know

// What one selection looks for.
struct Request {
  const SelectionFilter* filter = nullptr;
  std::optional<SelectionArea> area; // none: every entity ("X")
  bool modelSpaceOnly = false;
  bool lastOnly = false;
};

std::vector<Point2> pointsOfList(const void* list) {
  std::vector<Point2> points;
  for (const resbuf* item = static_cast<const resbuf*>(list); item != nullptr;
       item = item->rbnext) {
    if (item->restype == RTPOINT || item->restype == RT3DPOINT) {
      points.push_back({item->resval.rpoint[0], item->resval.rpoint[1]});
    }
  }
  return points;
}

Point2 pointAt(const void* point) {
  const double* p = static_cast<const double*>(point);
  return {p[0], p[1]};
}

// The entities of the working drawing that the request takes, in the order made.
std::vector<EntityKey> collect(const Request& request) {
  std::vector<EntityKey> found;
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) {
    return found;
  }
  const AcDbObjectId model = spaceBlock(*db, false);
  EntityGroups groups;
  Outline outline;
  forEachEntity(*db, [&](AcDbObjectId id, const AcDbEntity& entity) {
    if (request.modelSpaceOnly && entity.blockId() != model) {
      return true;
    }
    entityGroups(entity, groups);
    if (!request.filter->passes(groups, &entity.xDataGroups())) {
      return true;
    }
    if (request.area) {
      entityOutline(groups, outline);
      if (!request.area->selects(outline)) {
        return true;
      }
    }
    ads_name name;
    nameOfId(id, name);
    if (request.lastOnly) {
      found.assign(1, {name[0], name[1]});
    } else {
      found.push_back({name[0], name[1]});
    }
    return true;
  });
  return found;
}

// The person's selection: picks add their entity; a pick on empty space and the opposite
// corner make a window (dragged to the right) or a crossing window (to the left); Enter ends.
int askPerson(const SelectionFilter& filter, std::vector<EntityKey>& found) {
  for (;;) {
    printToCommandLine("\nSelect objects: ");
    const sim::Answer answer =
        takeAnswer({"acedSSGet", sim::Answer::Kind::Pick, "\nSelect objects: ", "", "", 0},
                   sim::Answer::Kind::Text);
    if (answer.kind == sim::Answer::Kind::Cancel) {
      return RTCAN;
    }
    if (answer.kind == sim::Answer::Kind::Text) {
      return RTNORM;
    }
    const ads_name picked = {answer.entity[0], answer.entity[1]};
    if (!acdbNameNil(picked)) {
      const AcDbEntity* entity = entityOfName(picked);
      if (entity == nullptr || entity->isErased() || !isMainEntity(*entity)) {
        continue;
      }
      EntityGroups groups;
      entityGroups(*entity, groups);
      const EntityKey key{picked[0], picked[1]};
      if (filter.passes(groups, &entity->xDataGroups()) &&
          std::find(found.begin(), found.end(), key) == found.end()) {
        found.push_back(key);
      }
      continue;
    }
    printToCommandLine("Specify opposite corner: ");
    const sim::Answer corner =
        takeAnswer({"acedSSGet", sim::Answer::Kind::Point, "Specify opposite corner: ", "", "", 0});
    if (corner.kind == sim::Answer::Kind::Cancel) {
      return RTCAN;
    }
    Request request;
    request.filter = &filter;
    const Point2 first{answer.location[0], answer.location[1]};
    const Point2 second{corner.location[0], corner.location[1]};
    request.area.emplace(second.x >= first.x ? SelectionMode::Window : SelectionMode::Crossing,
                         std::vector<Point2>{first, second});
    request.modelSpaceOnly = true;
    for (const EntityKey& key : collect(request)) {
      if (std::find(found.begin(), found.end(), key) == found.end()) {
        found.push_back(key);
      }
    }
  }
}

std::string upperMode(const char* mode) {
  std::string text = mode;
  if (!text.empty() && text[0] == '_') {
    text.erase(0, 1); // the language-neutral form
  }
  for (char& c : text) {
    c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  }
  return text;
}

} // namespace

int selectEntities(const char* mode, const void* pt1, const void* pt2, const resbuf* filterList,
                   ads_name ss, bool forLisp) {
  if (ss == nullptr) {
    return RTERROR;
  }
  SelectionFilter filter;
  int error = 0;
  if (!filter.read(filterList, &error)) {
    setErrno(error);
    return RTERROR;
  }
  Request request;
  request.filter = &filter;
  std::vector<EntityKey> found;
  const std::string chosen = mode == nullptr ? std::string() : upperMode(mode);
  if (mode == nullptr && pt1 == nullptr) {
    const int status = askPerson(filter, found);
    if (status != RTNORM) {
      return status;
    }
  } else {
    if (mode == nullptr) { // a pick at pt1: the pick box about the point
      const auto viewSize = host().sysVars.find("VIEWSIZE");
      const double half =
          (viewSize != host().sysVars.end() && viewSize->second.real > 0.0 ? viewSize->second.real
                                                                           : 1.0) /
          200.0;
      const Point2 at = pointAt(pt1);
      request.area.emplace(
          SelectionMode::Crossing,
          std::vector<Point2>{{at.x - half, at.y - half}, {at.x + half, at.y + half}});
      request.modelSpaceOnly = true;
      request.lastOnly = true; // the one drawn last, on top
    } else if (chosen == "X") {
    } else if (chosen == "L") {
      request.lastOnly = true;
    } else if (chosen == "W" || chosen == "C") {
      if (pt1 == nullptr || pt2 == nullptr) {
        return RTERROR;
      }
      request.area.emplace(chosen == "W" ? SelectionMode::Window : SelectionMode::Crossing,
                           std::vector<Point2>{pointAt(pt1), pointAt(pt2)});
      request.modelSpaceOnly = true;
    } else if (chosen == "WP" || chosen == "CP" || chosen == "F") {
      std::vector<Point2> points = pointsOfList(pt1);
      if (points.size() < (chosen == "F" ? 2u : 3u)) {
        return RTERROR;
      }
      request.area.emplace(chosen == "WP"   ? SelectionMode::WindowPolygon
                           : chosen == "CP" ? SelectionMode::CrossingPolygon
                                            : SelectionMode::Fence,
                           std::move(points));
      request.modelSpaceOnly = true;
    } else {
      setErrno(kBadMode);
      return RTERROR;
    }
    found = collect(request);
  }
  if (found.empty()) {
    return RTERROR; // nothing selected: no set is made
  }
  ads_name made;
  SelectionSet* set = newSelectionSet(made, forLisp);
  if (set == nullptr) {
    return RTERROR;
  }
  set->members = std::move(found);
  acdbNameSet(made, ss);
  return RTNORM;
}

int pickEntity(const char* prompt, ads_name entity, ads_point point, const char* call) {
  const char* shown = prompt != nullptr ? prompt : "\nSelect object: ";
  printToCommandLine(shown);
  const sim::Answer answer =
      takeAnswer({call, sim::Answer::Kind::Pick, shown, "", "", 0}, sim::Answer::Kind::Text);
  if (answer.kind == sim::Answer::Kind::Cancel) {
    return RTCAN;
  }
  if (answer.kind == sim::Answer::Kind::Text) {
    setErrno(52); // Enter: no pick
    return RTERROR;
  }
  const ads_name picked = {answer.entity[0], answer.entity[1]};
  const AcDbEntity* found = acdbNameNil(picked) ? nullptr : entityOfName(picked);
  if (found == nullptr || found->isErased() || !isMainEntity(*found)) {
    setErrno(7); // the pick hit nothing
    return RTERROR;
  }
  acdbNameSet(picked, entity);
  for (int i = 0; i < 3; ++i) {
    point[i] = answer.location[i];
  }
  return RTNORM;
}

} // namespace sim::detail

int acedSSGet(const char* str, const void* pt1, const void* pt2, const resbuf* filter,
              ads_name ss) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedSSGet)) {
    return RTERROR;
  }
  return sim::detail::selectEntities(str, pt1, pt2, filter, ss, false);
}

int acedEntSel(const char* prompt, ads_name entity, ads_point point) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::acedEntSel)) {
    return RTERROR;
  }
  if (entity == nullptr || point == nullptr) {
    return RTERROR;
  }
  return sim::detail::pickEntity(prompt, entity, point, "acedEntSel");
}

#include "testing/drawing_entities.h"

#include "platform/acad/acdbads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/adscodes.h"

namespace qvtest {

Groups groupsOf(const ads_name entity) {
  Groups groups;
  resbuf* list = acdbEntGet(entity);
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    Group group;
    group.code = item->restype;
    const int code = item->restype;
    if ((code >= 0 && code <= 9) || code == 100 || code == 1000 || code == 1001) {
      group.text = item->resval.rstring != nullptr ? item->resval.rstring : "";
    } else if ((code >= 10 && code <= 39) || code == 210) {
      for (int i = 0; i < 3; ++i) {
        group.point[i] = item->resval.rpoint[i];
      }
    } else if (code >= 40 && code <= 59) {
      group.point[0] = item->resval.rreal;
    } else if ((code >= 60 && code <= 79) || (code >= 280 && code <= 289)) {
      group.integer = item->resval.rint;
    } else if (code >= 90 && code <= 99) {
      group.integer = item->resval.rlong;
    }
    groups.push_back(group);
  }
  acutRelRb(list);
  return groups;
}

const Group* findGroup(const Groups& groups, int code) {
  for (const Group& group : groups) {
    if (group.code == code) {
      return &group;
    }
  }
  return nullptr;
}

std::vector<Group> allGroups(const Groups& groups, int code) {
  std::vector<Group> found;
  for (const Group& group : groups) {
    if (group.code == code) {
      found.push_back(group);
    }
  }
  return found;
}

std::vector<std::vector<int64_t>> drawingEntities() {
  std::vector<std::vector<int64_t>> entities;
  ads_name entity;
  for (int status = acdbEntNext(nullptr, entity); status == RTNORM;
       status = acdbEntNext(entity, entity)) {
    entities.push_back({entity[0], entity[1]});
  }
  return entities;
}

std::vector<std::string> drawingTypes() {
  std::vector<std::string> types;
  for (const std::vector<int64_t>& name : drawingEntities()) {
    const ads_name entity = {name[0], name[1]};
    const Groups groups = groupsOf(entity);
    const Group* type = findGroup(groups, 0);
    types.push_back(type != nullptr ? type->text : "?");
  }
  return types;
}

bool makeEntity(resbuf* list, ads_name name) {
  const bool made = list != nullptr && acdbEntMakeX(list, name) == RTNORM;
  acutRelRb(list);
  return made;
}

bool makeLine(double x1, double y1, double x2, double y2, ads_name name) {
  const ads_point from = {x1, y1, 0}, to = {x2, y2, 0};
  return makeEntity(acutBuildList(RTDXF0, "LINE", 10, from, 11, to, RTNONE), name);
}

} // namespace qvtest

// Reading and making the drawing's entities in tests, through the host's entity calls.
#pragma once

#include <string>
#include <vector>

#include "platform/acad/adsdef.h"

namespace qvtest {

// One group of an entity's list.
struct Group {
  int code = 0;
  std::string text;
  double point[3] = {0, 0, 0}; // a point, or a real in point[0]
  int integer = 0;
};
using Groups = std::vector<Group>;

// The entity's groups as acdbEntGet gives them (empty when it gives none).
Groups groupsOf(const ads_name entity);
// The first group of code; null when none.
const Group* findGroup(const Groups& groups, int code);
// Every group of code, in order.
std::vector<Group> allGroups(const Groups& groups, int code);

// The entities of the drawing that are not deleted, in the order made.
std::vector<std::vector<int64_t>> drawingEntities();
// Their types (group 0), in the same order.
std::vector<std::string> drawingTypes();

// Makes an entity of the list (released here) with acdbEntMake; its name in name. False when the
// host refuses it.
bool makeEntity(resbuf* list, ads_name name);
// A LINE from (x1, y1) to (x2, y2).
bool makeLine(double x1, double y1, double x2, double y2, ads_name name);

} // namespace qvtest

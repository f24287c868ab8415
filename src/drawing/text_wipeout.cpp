#include "drawing/text_wipeout.h"

#include <cmath>
#include <cstring>

#include "host/result_lists.h"
#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"

namespace qv {

namespace {

struct Corner {
  double x, y;
};

double realGroup(const resbuf* list, int code) {
  const resbuf* item = findResbufByType(list, code);
  return item != nullptr ? item->resval.rreal : 0.0;
}

} // namespace

int wipeoutBehindText(const ads_name text, double factor) {
  resbuf* list = acdbEntGet(text);
  if (list == nullptr) {
    return 0;
  }
  ads_point low, high;
  const resbuf* insertion = findResbufByType(list, 10);
  if (insertion == nullptr || acedTextBox(list, low, high) != RTNORM) {
    acutRelRb(list);
    return 0;
  }
  double width = high[X] - low[X], height = high[Y] - low[Y];
  const double margin = realGroup(list, 40) * factor;
  const double theta = realGroup(list, 50);
  const double along[2] = {std::cos(theta), std::sin(theta)};
  const double across[2] = {-along[1], along[0]}; // theta + 90 degrees
  // The box's lower-left corner, turned with the text about its insertion point.
  const Corner base{insertion->resval.rpoint[X] + low[X] * along[0] + low[Y] * across[0],
                    insertion->resval.rpoint[Y] + low[X] * along[1] + low[Y] * across[1]};
  acutRelRb(list);

  width += margin;
  height += margin;
  ads_point corners[4];
  corners[0][X] = base.x - 0.5 * margin * (along[0] + across[0]);
  corners[0][Y] = base.y - 0.5 * margin * (along[1] + across[1]);
  corners[1][X] = corners[0][X] + height * across[0];
  corners[1][Y] = corners[0][Y] + height * across[1];
  corners[2][X] = corners[1][X] + width * along[0];
  corners[2][Y] = corners[1][Y] + width * along[1];
  corners[3][X] = corners[2][X] - height * across[0];
  corners[3][Y] = corners[2][Y] - height * across[1];
  for (ads_point& corner : corners) {
    corner[Z] = 0.0;
  }

  ads_name before, made;
  const bool hadLast = acdbEntLast(before) == RTNORM;
  if (acedCommand(RTSTR, "_.WIPEOUT", RT3DPOINT, corners[0], RT3DPOINT, corners[1], RT3DPOINT,
                  corners[2], RT3DPOINT, corners[3], RTSTR, "CLOSE", RTNONE) != RTNORM ||
      acdbEntLast(made) != RTNORM || (hadLast && before[0] == made[0] && before[1] == made[1])) {
    return 0; // no wipeout: the text stays
  }
  acdbEntDel(text);
  return 1;
}

} // namespace qv

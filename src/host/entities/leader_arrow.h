// A leader arrow: a filled arrowhead at the tip and one line from the start to the tip, drawn
// with the host's own leader so that the arrowhead has the drawing's dimension style.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// Draws the arrowhead ("DIMASZ" x "DIMSCALE"; with the AutoLISP symbol "is_metric" 1 the scale
// is taken a hundredth as large for the drawing) and the line, and adds both to set when it is
// not null. "OSMODE" is off while drawing; it and "DIMSCALE" are given back their values on
// every path. Only entities the leader made are deleted.
void drawLeaderArrow(const ads_point start, const ads_point tip, ads_name set);

} // namespace qv

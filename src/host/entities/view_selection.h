// Selecting with the view in mind: near a picked point with the host's pick-box size, by a window,
// polygon or fence with an automatic zoom-out when the area leaves the view; and redrawing the
// view as it is.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// Selects (crossing polygon) what lies within the pick box around point: "aperture" pixels at
// the view's scale ("viewsize" over the document window's height, a window without height
// counting as one pixel high). The status of acedSSGet; RTERROR, nothing selected, when the
// view or the window cannot be read or the polygon cannot be built.
int selectNearPoint(const resbuf* filter, const ads_point point, ads_name set);

// Selects as acedSSGet(mode, first, second, filter, set). A null mode selects with no mode; "W"
// and "C" (any case) take two corners (ads_point), "WP", "CP" and "F" a list of points in first;
// any other mode goes to acedSSGet as it is. When a corner of the area (for a list of points:
// of a box 1.25 times their extent) lies half the view's height or more from the view's centre,
// the view is zoomed out to the area for the selection and zoomed back afterwards (only when
// the zoom-out happened). The selection's status; RTERROR, nothing selected, when a corner or
// the list of points is missing.
int selectWithZoom(const char* mode, const void* first, const ads_point second,
                   const resbuf* filter, ads_name set);

// Redraws the view as it is: a zoom to a hair smaller height about the same centre, then back.
void refreshView();

} // namespace qv

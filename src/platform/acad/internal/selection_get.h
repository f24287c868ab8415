// Selection by mode, area and filter, shared by acedSSGet and AutoLISP's ssget; entity picks
// shared by acedEntSel and entsel.
#pragma once

#include "platform/acad/adsdef.h"

namespace sim::detail {

// As acedSSGet; a set made for AutoLISP goes with its last value.
int selectEntities(const char* mode, const void* pt1, const void* pt2, const resbuf* filter,
                   ads_name ss, bool forLisp);
// As acedEntSel, the question logged under call.
int pickEntity(const char* prompt, ads_name entity, ads_point point, const char* call);

} // namespace sim::detail

// An entity's group read as the value of a result buffer, for the filter and the outline tests,
// which read every entity of a drawing and must not copy texts or build lists to do it.
#pragma once

#include "platform/acad/adsdef.h"
#include "platform/acad/dbmain.h"

namespace sim::detail {

// The group's value as a result buffer of its code holds it. A string or binary chunk points into
// the group and is valid while the group lives.
ads_u_val groupValue(const EntityGroup& group);

} // namespace sim::detail

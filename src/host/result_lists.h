// Finding items in host result-buffer lists.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// The first item of the list, from its head, whose type code (a signed 16-bit value) equals
// type; null when there is none or the list is null. Picks DXF groups out of entity lists.
resbuf* findResbufByType(resbuf* list, int type);
const resbuf* findResbufByType(const resbuf* list, int type);

} // namespace qv

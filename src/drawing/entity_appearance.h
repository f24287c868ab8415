// Changing an entity's colour or layer.
#pragma once

#include "platform/acad/adsdef.h"

namespace qv {

// Gives the entity the colour number (1 to 255; any other number: by layer, 256). Nothing
// changes when the host gives no list for the entity or refuses the change.
void setEntityColor(int color, const ads_name entity);
// Moves the entity to the layer, which must exist. The name is trimmed in place; an empty name or
// one with a character that names may not hold prints "\nError: invalid layer <name>" and changes
// nothing. A refusal of the host changes nothing.
void setEntityLayer(char* layer, const ads_name entity);

} // namespace qv

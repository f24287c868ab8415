// Colour ramps of 29 colours for shaded displays, packed (red * 65536 + green * 256 + blue) or as
// three arrays of components.
#pragma once

#include <cstdint>

namespace qv {

constexpr int kColorRampSize = 29;

// Mode 1: red, white, blue. Any other mode: the hue ramp red, yellow, green, cyan, blue.
void colorRampPacked(int32_t* colors, int mode);
void colorRampSplit(int32_t* red, int32_t* green, int32_t* blue, int mode);

} // namespace qv

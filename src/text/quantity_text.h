// Sizes shared by the survey-quantity formatters: how much room their output buffers need.
#pragma once

#include <cstddef>

namespace qv {

// The longest text (with its NUL) that FormatDms, AzimuthToBearing, FormatFeetInches and
// FormatDecimals write for any finite double. Ordinary survey values need far less: an angle
// below a million degrees fits in 32 bytes, as does a length below a billion feet.
inline constexpr size_t kQuantityTextMax = 400;

} // namespace qv

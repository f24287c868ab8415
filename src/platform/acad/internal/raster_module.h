// The host's raster module ("acismui.arx"), which brings the raster image classes.
#pragma once

namespace sim::detail {

// The file name the host knows its raster module by.
inline constexpr const char* kRasterModule = "acismui.arx";

// True while the raster module is loaded in this session (acedArxLoad).
bool rasterModuleLoaded();

} // namespace sim::detail

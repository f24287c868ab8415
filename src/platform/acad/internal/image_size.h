// The size in pixels of a raster image file, read from its header as the host's image engine
// reads it: TIFF, PNG, JPEG, BMP, GIF and TGA.
#pragma once

#include <string>

namespace sim::detail {

enum class ImageRead { Read, Missing, NotAnImage };

// True when hostPath (a host path, not a Windows path) names a regular file.
bool imageFileExists(const std::string& hostPath);

// Reads the width and height of the image in the host file hostPath.
// Missing when there is no such regular file, NotAnImage when it cannot be read as one of the
// formats above (the sizes are then left as they were). Nothing is printed.
ImageRead readImageSize(const std::string& hostPath, int& width, int& height);

} // namespace sim::detail

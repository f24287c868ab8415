// Small raster images written by tests at run time, so that no binary file is kept in the tree.
#pragma once

#include <filesystem>

namespace qvtest {

// Each writes an image of width x height grey pixels at path; false when it could not be written.
bool writeTiff(const std::filesystem::path& path, int width, int height);
bool writePng(const std::filesystem::path& path, int width, int height);
bool writeBmp(const std::filesystem::path& path, int width, int height);

} // namespace qvtest

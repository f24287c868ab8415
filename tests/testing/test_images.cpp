// Test images: TIFF through libtiff, PNG and BMP through stb's writer.
#include "testing/test_images.h"

#include <cstdint>
#include <vector>

#include <tiffio.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace qvtest {

namespace {

std::vector<uint8_t> greyPixels(int width, int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<uint8_t>(i * 7);
  }
  return pixels;
}

} // namespace

bool writeTiff(const std::filesystem::path& path, int width, int height) {
  TIFF* tiff = TIFFOpen(path.string().c_str(), "w");
  if (tiff == nullptr) {
    return false;
  }
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(width));
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(height));
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(height));
  std::vector<uint8_t> pixels = greyPixels(width, height);
  bool ok = true;
  for (int row = 0; row < height && ok; ++row) {
    ok = TIFFWriteScanline(tiff, pixels.data() + static_cast<size_t>(row) * width,
                           static_cast<uint32_t>(row), 0) == 1;
  }
  TIFFClose(tiff);
  return ok;
}

bool writePng(const std::filesystem::path& path, int width, int height) {
  const std::vector<uint8_t> pixels = greyPixels(width, height);
  return stbi_write_png(path.string().c_str(), width, height, 1, pixels.data(), width) != 0;
}

bool writeBmp(const std::filesystem::path& path, int width, int height) {
  const std::vector<uint8_t> pixels = greyPixels(width, height);
  return stbi_write_bmp(path.string().c_str(), width, height, 1, pixels.data()) != 0;
}

} // namespace qvtest

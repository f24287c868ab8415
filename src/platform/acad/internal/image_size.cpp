// Image sizes: TIFF through libtiff, the other formats through stb's header reader.
#include "platform/acad/internal/image_size.h"

#include <cstdarg>
#include <cstdint>
#include <filesystem>
#include <mutex>

#include <tiffio.h>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_ONLY_TGA
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wuninitialized"
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace sim::detail {

namespace {

// libtiff reports through process-wide handlers that print to standard error by default; the
// host says nothing about a file it cannot read, so the handlers are silenced once.
void quiet(const char* /*module*/, const char* /*format*/, va_list /*args*/) {}

void silenceTiff() {
  static std::once_flag once;
  std::call_once(once, [] {
    TIFFSetWarningHandler(quiet);
    TIFFSetErrorHandler(quiet);
  });
}

bool startsWithTiffMark(const std::string& hostPath) {
  FILE* file = std::fopen(hostPath.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  unsigned char mark[4] = {};
  const size_t got = std::fread(mark, 1, sizeof mark, file);
  std::fclose(file);
  const bool little = mark[0] == 'I' && mark[1] == 'I' && (mark[2] == 42 || mark[2] == 43);
  const bool big = mark[0] == 'M' && mark[1] == 'M' && (mark[3] == 42 || mark[3] == 43);
  return got == sizeof mark && (little || big);
}

ImageRead readTiff(const std::string& hostPath, int& width, int& height) {
  silenceTiff();
  TIFF* tiff = TIFFOpen(hostPath.c_str(), "r");
  if (tiff == nullptr) {
    return ImageRead::NotAnImage;
  }
  uint32_t w = 0;
  uint32_t h = 0;
  const bool ok = TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w) == 1 &&
                  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h) == 1 && w > 0 && h > 0 &&
                  w <= INT32_MAX && h <= INT32_MAX;
  TIFFClose(tiff);
  if (!ok) {
    return ImageRead::NotAnImage;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return ImageRead::Read;
}

} // namespace

bool imageFileExists(const std::string& hostPath) {
  std::error_code error;
  return !hostPath.empty() && std::filesystem::is_regular_file(hostPath, error);
}

ImageRead readImageSize(const std::string& hostPath, int& width, int& height) {
  if (!imageFileExists(hostPath)) {
    return ImageRead::Missing;
  }
  if (startsWithTiffMark(hostPath)) {
    return readTiff(hostPath, width, height);
  }
  int w = 0;
  int h = 0;
  int components = 0;
  if (stbi_info(hostPath.c_str(), &w, &h, &components) == 0 || w <= 0 || h <= 0) {
    return ImageRead::NotAnImage;
  }
  width = w;
  height = h;
  return ImageRead::Read;
}

} // namespace sim::detail

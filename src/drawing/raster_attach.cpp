// Attaching a raster image as a whole: the raster module, the image name, the attach and the
// placement, with the host's messages on failure.
#include <cstring>
#include <string>

#include "drawing/raster_images.h"
#include "host/file_names.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/win/string_win.h"
#include "text/print_pieces.h"

namespace qv {

char* addDllExtension(char* name, size_t size) {
  if (name == nullptr || size == 0) {
    return name;
  }
  static const char kExtension[] = ".dll";
  const size_t length = strnlen(name, size - 1);
  size_t added = 0;
  for (; added < sizeof kExtension - 1 && length + added + 1 < size; ++added) {
    name[length + added] = kExtension[added];
  }
  name[length + added] = '\0';
  return name;
}

int isModuleLoaded(const char* moduleName) {
  if (moduleName == nullptr) {
    return 0;
  }
  // The name, with room for ".dll".
  std::string wanted(std::strlen(moduleName) + 5, '\0');
  std::memcpy(wanted.data(), moduleName, std::strlen(moduleName));
  if (std::strchr(moduleName, '.') == nullptr) {
    addDllExtension(wanted.data(), wanted.size());
  }
  _strlwr(wanted.data());
  resbuf* loaded = acedArxLoaded();
  int found = 0;
  for (const resbuf* item = loaded; item != nullptr && found == 0; item = item->rbnext) {
    if (item->restype != RTSTR || item->resval.rstring == nullptr) {
      continue;
    }
    std::string listed = item->resval.rstring;
    _strlwr(listed.data());
    found = listed == wanted.c_str() ? 1 : 0;
  }
  acutRelRb(loaded);
  return found;
}

void imageNameOfPath(const char* path, char* output, size_t size) {
  if (output == nullptr || size == 0) {
    return;
  }
  fileNamePart(path, output, size);
  if (char* dot = std::strchr(output, '.')) {
    *dot = '\0';
  }
  _strupr(output);
}

int attachRasterImage(const char* path, const ads_point first, const ads_point second,
                      int keepProportions) {
  if (isModuleLoaded(kRasterModuleName) == 0) {
    acedArxLoad(kRasterModuleName);
  }
  const char* shown = path != nullptr ? path : "";
  std::string imageName(std::strlen(shown) + 1, '\0');
  imageNameOfPath(shown, imageName.data(), imageName.size());
  AcDbObjectId imageId;
  int status = attachImage(imageId, imageName.c_str(), shown);
  if (status != 0 && status != kImageDefinitionReused) {
    PrintLong("\nError %d: Attach example image failed for %s", status, shown);
    PrintLong("\npnt: %.3f,%.3f,%.3f pnt2: %.3f,%.3f,%.3f", first[X], first[Y], first[Z], second[X],
              second[Y], second[Z]);
    return 0;
  }
  status = keepProportions != 0 ? placeImageKeepingAspect(imageId, first)
                                : fitImageToRectangle(imageId, first, second);
  if (status != 0) {
    acutPrintf("Error: Manipulate example image failed. %d\n", status);
    return 0;
  }
  return 1;
}

} // namespace qv

// Raster images as AutoLISP functions: attaching an image file to the drawing, and asking whether
// an application module is loaded.
#include "drawing/raster_images.h"
#include "module/lisp_args.h"
#include "module/module_functions.h"
#include "platform/acad/acedads.h"

namespace qv {

int lispAttachImage() {
  LispArgs args;
  const char* path = nullptr;
  ads_point first = {0, 0, 0};
  ads_point second = {0, 0, 0};
  bool keepProportions = false;
  if (!args.text(path) || !args.point(first) || !args.point(second) ||
      !args.optionalFlag(keepProportions) || !args.done()) {
    return acedRetNil();
  }
  return attachRasterImage(path, first, second, keepProportions ? 1 : 0) == 1 ? acedRetT()
                                                                              : acedRetNil();
}

int lispModuleLoaded() {
  LispArgs args;
  const char* name = nullptr;
  if (!args.text(name) || !args.done()) {
    return acedRetNil();
  }
  return isModuleLoaded(name) == 1 ? acedRetT() : acedRetNil();
}

} // namespace qv

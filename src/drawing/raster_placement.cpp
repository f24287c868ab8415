// Placing an attached raster image: stretched over a rectangle, or at a point keeping its
// proportions.
#include <algorithm>
#include <cmath>

#include "drawing/raster_images.h"
#include "platform/acad/imgent.h"

namespace qv {

namespace {

// Sets the orientation of an image open for write: eInvalidInput when the host refuses it (a
// vector without length).
int orient(AcDbRasterImage& image, const AcGePoint3d& origin, const AcGeVector3d& u,
           const AcGeVector3d& v) {
  return image.setOrientation(origin, u, v) ? Acad::eOk : Acad::eInvalidInput;
}

} // namespace

int fitImageToRectangle(AcDbObjectId imageId, const ads_point first, const ads_point second) {
  AcDbRasterImage* image = nullptr;
  const int opened = acdbOpenObject(image, imageId, AcDb::kForWrite);
  if (opened != Acad::eOk) {
    return opened;
  }
  // The lower-left corner, whichever corners were given first.
  const AcGePoint3d origin(std::min(first[X], second[X]), std::min(first[Y], second[Y]), 0.0);
  const AcGeVector3d u(std::fabs(second[X] - first[X]), 0.0, 0.0);
  const AcGeVector3d v(0.0, std::fabs(second[Y] - first[Y]), 0.0);
  const int status = orient(*image, origin, u, v);
  image->close();
  return status;
}

int placeImageKeepingAspect(AcDbObjectId imageId, const ads_point point) {
  AcDbRasterImage* image = nullptr;
  const int opened = acdbOpenObject(image, imageId, AcDb::kForWrite);
  if (opened != Acad::eOk) {
    return opened;
  }
  const AcGeVector2d pixels = image->imageSize();
  int status = Acad::eInvalidInput;
  if (pixels.x > 0.0 && pixels.y > 0.0) {
    status = orient(*image, AcGePoint3d(point[X], point[Y], point[Z]),
                    AcGeVector3d(pixels.x / pixels.y, 0.0, 0.0), AcGeVector3d(0.0, 1.0, 0.0));
  }
  image->close();
  return status;
}

} // namespace qv

// Raster image entities: their definition, reactor and placement, and their DXF groups.
#include "platform/acad/imgent.h"

#include <cmath>
#include <new>

#include "platform/acad/imgdef.h"
#include "platform/acad/internal/raster_module.h"
#include "platform/internal/session.h"

namespace {

using sim::detail::EntityGroup;
using sim::detail::EntityGroups;

// The image's display flags (70): shown, shown when not aligned with the screen, clipped.
constexpr int32_t kDisplayFlags = 7;

EntityGroup pointGroup(short code, double x, double y, double z) {
  EntityGroup group;
  group.code = code;
  group.values[0] = x;
  group.values[1] = y;
  group.values[2] = z;
  return group;
}

EntityGroup idGroup(short code, AcDbObjectId id) {
  EntityGroup group;
  group.code = code;
  group.id = id;
  return group;
}

const AcDbRasterImageDef* definitionOf(AcDbObjectId id) {
  AcDbDatabase* db = id.database();
  return db != nullptr ? AcDbRasterImageDef::cast(db->objectAt(id)) : nullptr;
}

} // namespace

double AcGeVector3d::length() const {
  return std::sqrt(x * x + y * y + z * z);
}

AcRxClass* AcDbRasterImage::desc() {
  static AcRxClass description("AcDbRasterImage", AcDbEntity::desc());
  return &description;
}

AcRxClass* AcDbRasterImage::isA() const {
  return desc();
}

AcDbRasterImage::AcDbRasterImage() : AcDbEntity("IMAGE") {}

void* AcDbRasterImage::operator new(std::size_t size) noexcept {
  if (!sim::detail::rasterModuleLoaded() ||
      sim::detail::shouldFail(sim::detail::FailableCall::AcDbRasterImage_new)) {
    return nullptr;
  }
  return ::operator new(size, std::nothrow);
}

void AcDbRasterImage::operator delete(void* object) noexcept {
  ::operator delete(object);
}

Acad::ErrorStatus AcDbRasterImage::setImageDefId(AcDbObjectId imageId) {
  if (sim::detail::shouldFail(sim::detail::FailableCall::AcDbRasterImage_setImageDefId)) {
    return Acad::eOutOfMemory;
  }
  if (!isWriteEnabled()) {
    return Acad::eNotOpenForWrite;
  }
  if (imageId.isNull()) {
    return Acad::eNullObjectId;
  }
  if (definitionOf(imageId) == nullptr || imageId.isErased() ||
      (database() != nullptr && imageId.database() != database())) {
    return Acad::eWrongObjectType;
  }
  definition_ = imageId;
  return Acad::eOk;
}

void AcDbRasterImage::setReactorId(AcDbObjectId reactorId) {
  if (isWriteEnabled()) {
    reactor_ = reactorId;
  }
}

bool AcDbRasterImage::setOrientation(const AcGePoint3d& origin, const AcGeVector3d& uCorner,
                                     const AcGeVector3d& vOnPlane) {
  if (!isWriteEnabled() || uCorner.isZeroLength() || vOnPlane.isZeroLength()) {
    return false;
  }
  // Parallel vectors span no plane: their cross product has no length.
  const AcGeVector3d cross(uCorner.y * vOnPlane.z - uCorner.z * vOnPlane.y,
                           uCorner.z * vOnPlane.x - uCorner.x * vOnPlane.z,
                           uCorner.x * vOnPlane.y - uCorner.y * vOnPlane.x);
  if (cross.length() <= 1e-12 * uCorner.length() * vOnPlane.length()) {
    return false;
  }
  origin_ = origin;
  u_ = uCorner;
  v_ = vOnPlane;
  return true;
}

void AcDbRasterImage::getOrientation(AcGePoint3d& origin, AcGeVector3d& u, AcGeVector3d& v) const {
  origin = origin_;
  u = u_;
  v = v_;
}

AcGeVector2d AcDbRasterImage::imageSize(bool /*getCachedValue*/) const {
  const AcDbRasterImageDef* definition = definitionOf(definition_);
  return definition != nullptr ? definition->size() : AcGeVector2d();
}

void AcDbRasterImage::ownGroups(EntityGroups& groups) const {
  const AcGeVector2d pixels = imageSize();
  // The list gives the vectors of one pixel, as the host's DXF does.
  const double across = pixels.x > 0 ? pixels.x : 1.0;
  const double up = pixels.y > 0 ? pixels.y : 1.0;
  EntityGroup marker;
  marker.code = 100;
  marker.text = "AcDbRasterImage";
  groups.push_back(marker);
  groups.push_back(pointGroup(10, origin_.x, origin_.y, origin_.z));
  groups.push_back(pointGroup(11, u_.x / across, u_.y / across, u_.z / across));
  groups.push_back(pointGroup(12, v_.x / up, v_.y / up, v_.z / up));
  groups.push_back(pointGroup(13, pixels.x, pixels.y, 0.0));
  groups.push_back(idGroup(340, definition_));
  EntityGroup flags;
  flags.code = 70;
  flags.integer = kDisplayFlags;
  groups.push_back(flags);
  groups.push_back(idGroup(360, reactor_));
}

void AcDbRasterImage::setOwnGroups(EntityGroups groups) {
  const AcGeVector2d pixels = imageSize();
  const double across = pixels.x > 0 ? pixels.x : 1.0;
  const double up = pixels.y > 0 ? pixels.y : 1.0;
  for (const EntityGroup& group : groups) {
    const double* p = group.values;
    switch (group.code) {
    case 10:
      origin_ = AcGePoint3d(p[0], p[1], p[2]);
      break;
    case 11:
      u_ = AcGeVector3d(p[0] * across, p[1] * across, p[2] * across);
      break;
    case 12:
      v_ = AcGeVector3d(p[0] * up, p[1] * up, p[2] * up);
      break;
    default:
      break; // the definition, size and reactor follow the objects, not the list
    }
  }
}

void AcDbRasterImage::subErase(bool erasing) {
  AcDbEntity::subErase(erasing);
  AcDbDatabase* db = database();
  AcDbObject* reactor = db != nullptr ? db->objectAt(reactor_) : nullptr;
  if (erasing && reactor != nullptr) {
    static_cast<void>(AcDbDatabase::eraseForOwner(*reactor, false));
  }
}

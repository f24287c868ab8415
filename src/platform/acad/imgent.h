// Raster image entities of the host's drawing: a picture of an image definition's file placed in
// a space by its lower-left corner and two vectors along its bottom and left edges. The host knows
// it as an "IMAGE" group list: 10 the corner, 11 and 12 the vectors of one pixel, 13 the size in
// pixels, 340 the definition, 360 the reactor.
//
// A class of the host's raster module: new gives null until "acismui.arx" is loaded
// (acedArxLoad).
#pragma once

#include <cstddef>

#include "platform/acad/dbmain.h"
#include "platform/acad/gepnt3d.h"
#include "platform/acad/gevec2d.h"
#include "platform/acad/gevec3d.h"

class AcDbRasterImage : public AcDbEntity {
public:
  ACDB_DECLARE_MEMBERS(AcDbRasterImage);

  AcDbRasterImage();

  // Null when the raster module is not loaded or memory runs out.
  static void* operator new(std::size_t size) noexcept;
  static void operator delete(void* object) noexcept;

  // Shows the image definition of id. Needs the image open for write (eNotOpenForWrite);
  // eNullObjectId for the null id, eWrongObjectType for an id that is not an image definition (or
  // one of another database than the image's).
  Acad::ErrorStatus setImageDefId(AcDbObjectId imageId);
  AcDbObjectId imageDefId() const { return definition_; }
  // The reactor that links the image to its definition. Needs the image open for write.
  void setReactorId(AcDbObjectId reactorId);
  AcDbObjectId reactorId() const { return reactor_; }

  // Places the image: origin its lower-left corner, uCorner its bottom edge, vOnPlane its left
  // edge. False, with nothing changed, when the image is not open for write, when either vector
  // has zero length, or when the two are parallel.
  bool setOrientation(const AcGePoint3d& origin, const AcGeVector3d& uCorner,
                      const AcGeVector3d& vOnPlane);
  // The placement as setOrientation gave it (a new image: origin at 0,0,0, one unit by one).
  void getOrientation(AcGePoint3d& origin, AcGeVector3d& u, AcGeVector3d& v) const;
  // The definition's size in pixels; (0, 0) without a definition or before it was loaded.
  AcGeVector2d imageSize(bool getCachedValue = false) const;

  // ---- For the host's own calls: the entity as DXF groups.
  void ownGroups(sim::detail::EntityGroups& groups) const override;
  void setOwnGroups(sim::detail::EntityGroups groups) override;

protected:
  // Erasing the image erases its reactor.
  void subErase(bool erasing) override;

private:
  AcGePoint3d origin_;
  AcGeVector3d u_{1, 0, 0};
  AcGeVector3d v_{0, 1, 0};
  AcDbObjectId definition_;
  AcDbObjectId reactor_;
};

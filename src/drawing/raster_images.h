// Attaching raster images (scanned maps, aerial photographs) to the current drawing: an image
// entity in model space, its definition in the drawing's image dictionary (one per image name),
// and the reactor that links the two; then the image placed into a rectangle or at a point.
#pragma once

#include <cstddef>

#include "platform/acad/adsdef.h"
#include "platform/acad/dbid.h"

class AcDbEntity;

namespace qv {

// Statuses of the steps besides the host's own object statuses (0 is success).
inline constexpr int kImageDefinitionReused = 14; // a definition of the name exists and is reused
inline constexpr int kImageObjectNotCreated = 15; // a definition or reactor could not be made
inline constexpr int kImageEntityNotCreated = 20; // the image entity could not be made
inline constexpr int kNoCurrentDatabase = 124;    // no drawing is open

// The host's raster module, loaded by attachRasterImage when it is not yet.
inline constexpr const char* kRasterModuleName = "acismui.arx";

// Attaches the image file at path to the current drawing and places it: with keepProportions,
// one drawing unit high at first (see placeImageKeepingAspect), else stretched over the rectangle
// of the two corners (see fitImageToRectangle). 1 on success; 0 after printing the failure on the
// command line ("Error %d: Attach example image failed for %s" with the two points, or "Error:
// Manipulate example image failed. %d"). A failed attach leaves no image entity behind.
int attachRasterImage(const char* path, const ads_point first, const ads_point second,
                      int keepProportions);

// 1 when the host lists moduleName among its loaded application modules (compared without regard
// to case; a name without "." is looked for with ".dll" appended), else 0. 0 for a null name.
int isModuleLoaded(const char* moduleName);

// Appends ".dll" to the name in place within size bytes (the terminator included): only as much
// of it as fits, and a name that fills the buffer is cut to end there. Returns name.
char* addDllExtension(char* name, size_t size);

// The image name of a path: its file name (after the last '\' or '/'), cut at its first "." and
// upper-cased, as a bounded copy into output (size bytes, the terminator included).
void imageNameOfPath(const char* path, char* output, size_t size);

// The steps of an attach, each answering a status.
// findOrCreateImageDef, createImageEntity, then linkImageReactor. 14 counts as success of the
// first step. When the reactor cannot be linked the new image entity is erased.
int attachImage(AcDbObjectId& imageId, const char* imageName, const char* path);
// The definition of imageName in the image dictionary (made when missing): 14 with defId when
// one exists (path is then not looked at); else a new definition of path, loaded and added under
// imageName: 0 with defId. "Error: Could not find the image file.\n" and the status when path
// names no file, "Error: Could not open the image file.\n" and the status when it cannot be read
// as an image; 15 when no definition can be made; eInvalidInput for a null name or path. A
// definition that is not added is deleted.
int findOrCreateImageDef(AcDbObjectId& defId, const char* imageName, const char* path);
// A new image entity of the definition defId in model space: 0 with imageId; 20 when no image
// can be made; else the refusal, with no entity left behind.
int createImageEntity(AcDbObjectId& imageId, AcDbObjectId defId);
// Appends a new entity to model space (paper space when paperSpace), printing "Attach error:
// %d\n" when the space refuses it; 124 when no drawing is open. The entity stays its caller's,
// open, once appended.
int appendToSpace(AcDbEntity* entity, bool paperSpace);
// Links image and definition with a new reactor owned by the image: 0 with reactorId; 15 when
// no reactor can be made. The reactors' notifications are off while it works and on again at
// every return.
int linkImageReactor(AcDbObjectId& reactorId, AcDbObjectId defId, AcDbObjectId imageId);
// Stretches the image over the axis-parallel rectangle of the two corners, at z 0, its origin at
// the rectangle's lower-left corner whatever the order of the corners. The open's status, or
// eInvalidInput when the rectangle has no width or no height.
int fitImageToRectangle(AcDbObjectId imageId, const ads_point first, const ads_point second);
// Places the image with its lower-left corner at point, one drawing unit high and as wide as its
// pixel proportions (width / height) ask, whichever side is longer. The open's status, or
// eInvalidInput when the image has no size.
int placeImageKeepingAspect(AcDbObjectId imageId, const ads_point point);

} // namespace qv

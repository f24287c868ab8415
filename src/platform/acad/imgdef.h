// Raster image definitions of the host's drawing database: the object that names an image file and
// knows its size, kept in the drawing's image dictionary ("ACAD_IMAGE_DICT" in the named-object
// dictionary), and the reactor that links a definition to each image entity that shows it.
//
// The classes belong to the host's raster module "acismui.arx": until acedArxLoad has loaded it,
// new gives null for them, imageDictionary answers the null id and createImageDictionary
// answers eNotApplicable.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/acad/dbmain.h"
#include "platform/acad/gevec2d.h"

class AcDbDictionary;

class AcDbRasterImageDef : public AcDbObject {
public:
  ACDB_DECLARE_MEMBERS(AcDbRasterImageDef);

  AcDbRasterImageDef() = default;

  // Null when the raster module is not loaded or memory runs out.
  static void* operator new(std::size_t size) noexcept;
  static void operator delete(void* object) noexcept;

  // Makes the image dictionary of db, or finds the one it has: eOk with dictionaryId set.
  // eNoDatabase for a null db, eNotApplicable while the raster module is not loaded, the open's
  // refusal while the named-object dictionary is open elsewhere, eOutOfMemory.
  static Acad::ErrorStatus createImageDictionary(AcDbDatabase* db, AcDbObjectId& dictionaryId);
  // The id of db's image dictionary; the null id when it has none (or db is null, or the raster
  // module is not loaded).
  static AcDbObjectId imageDictionary(AcDbDatabase* db);

  // Names the image file (a Windows path). Needs the definition open for write
  // (eNotOpenForWrite); eInvalidInput for a null or empty path, eFileNotFound when no file is
  // there (the name is not changed then). A new name unloads the image.
  virtual Acad::ErrorStatus setSourceFileName(const char* path);
  // The path given to setSourceFileName; "" before.
  virtual const char* sourceFileName() const;
  // Reads the image's size from its file. Needs the definition open for write. eFileNotFound when
  // no file is named or the file is gone, eInvalidInput when it is not an image the host reads
  // (TIFF, PNG, JPEG, BMP, GIF, TGA), eOutOfMemory.
  virtual Acad::ErrorStatus load();
  // Frees the image data; the size stays known.
  virtual Acad::ErrorStatus unload(bool modifyDatabase = true);
  virtual bool isLoaded() const;
  // The image's size in pixels as the last load read it; (0, 0) before any load.
  virtual AcGeVector2d size() const;

  // Reactors told of the definition's changes (their ids). Adding needs the definition open for
  // write (eNotOpenForWrite); an id already held is not added twice.
  Acad::ErrorStatus addPersistentReactor(AcDbObjectId reactorId);
  Acad::ErrorStatus removePersistentReactor(AcDbObjectId reactorId);
  bool hasPersistentReactor(AcDbObjectId reactorId) const;
  // How many image entities, not erased, are linked to the definition through its reactors.
  int entityCount() const;

protected:
  // Erasing a definition erases the images linked to it while reactors are enabled.
  void subErase(bool erasing) override;

private:
  std::string source_;
  bool loaded_ = false;
  AcGeVector2d size_;
  std::vector<AcDbObjectId> reactors_;
};

// Links one image entity (its owner) to its definition: held by the definition among its
// persistent reactors, it erases the image when the definition is erased.
class AcDbRasterImageDefReactor : public AcDbObject {
public:
  ACDB_DECLARE_MEMBERS(AcDbRasterImageDefReactor);

  AcDbRasterImageDefReactor() = default;

  // Null when the raster module is not loaded or memory runs out.
  static void* operator new(std::size_t size) noexcept;
  static void operator delete(void* object) noexcept;

  // Turns the reactors' actions on or off for the whole session (on at the start).
  static void setEnable(bool enable);
  // Whether the reactors' actions are on.
  static bool isEnabled();

  // Makes the image entity of ownerId the reactor's owner. Needs the reactor open for write.
  Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId);
};

// The stand-in's raster images: the raster module, the image dictionary, image definitions that
// read their file's size, and the definitions' reactors.
#include <fstream>
#include <string>
#include <vector>

#include "platform/acad/acdbads.h"
#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbdict.h"
#include "platform/acad/dbsymtb.h"
#include "platform/acad/imgdef.h"
#include "platform/acad/imgent.h"
#include "platform/sim.h"
#include "testing/host_test.h"
#include "testing/result_lists.h"
#include "testing/test_images.h"

namespace {

using qvtest::errnoValue;

std::vector<std::string> loadedModules() {
  std::vector<std::string> names;
  resbuf* list = acedArxLoaded();
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    names.emplace_back(item->resval.rstring);
  }
  acutRelRb(list);
  return names;
}

class RasterTest : public qvtest::HostTest {
protected:
  RasterTest() : HostTest('C') {}
  void SetUp() override {
    HostTest::SetUp();
    db_ = acdbHostApplicationServices()->workingDatabase();
  }
  AcDbDatabase* db_ = nullptr;
};

TEST_F(RasterTest, LoadsTheRasterModuleOnceByItsFileName) {
  ASSERT_TRUE(sim::loadModule([](AcRx::AppMsgCode, void*) { return AcRx::kRetOK; }));
  sim::failCall("acedArxLoad");
  EXPECT_EQ(acedArxLoad("acismui.arx"), RTERROR);
  const std::pair<const char*, int> cases[] = {{"survey.arx", 73},
                                               {"", 73},
                                               {"acismui", 0},
                                               {"ACISMUI.ARX", 74},
                                               {"C:\\Acad\\AcIsmUi.arx", 74}};
  for (const auto& [name, errnoAfter] : cases) {
    sim::setSysVarShort("ERRNO", 0);
    EXPECT_EQ(acedArxLoad(name), errnoAfter == 0 ? RTNORM : RTERROR) << name;
    EXPECT_EQ(errnoValue(), errnoAfter) << name;
  }
  EXPECT_EQ(loadedModules(), (std::vector<std::string>{"quorvane.arx", "acismui.arx"}));
  for (const char* call : {"acedArxLoaded", "acutNewRb", "acad_malloc"}) {
    sim::failCall(call, call == std::string("acutNewRb") ? 2 : 1);
    EXPECT_EQ(acedArxLoaded(), nullptr) << call;
  }
}

TEST_F(RasterTest, RasterClassesNeedTheRasterModule) {
  AcDbObjectId id;
  EXPECT_EQ(new AcDbRasterImageDef(), nullptr);
  EXPECT_EQ(new AcDbRasterImageDefReactor(), nullptr);
  EXPECT_EQ(AcDbRasterImageDef::createImageDictionary(db_, id), Acad::eNotApplicable);
  EXPECT_TRUE(AcDbRasterImageDef::imageDictionary(db_).isNull());
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
  auto* definition = new AcDbRasterImageDef();
  EXPECT_NE(definition, nullptr);
  delete definition;
}

TEST_F(RasterTest, MakesTheImageDictionaryOnceInTheNamedObjects) {
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
  AcDbObjectId first;
  AcDbObjectId second;
  EXPECT_EQ(AcDbRasterImageDef::createImageDictionary(nullptr, first), Acad::eNoDatabase);
  ASSERT_EQ(AcDbRasterImageDef::createImageDictionary(db_, first), Acad::eOk);
  ASSERT_EQ(AcDbRasterImageDef::createImageDictionary(db_, second), Acad::eOk);
  EXPECT_EQ(first, second);
  EXPECT_EQ(AcDbRasterImageDef::imageDictionary(db_), first);
  AcDbDictionary* named = nullptr;
  ASSERT_EQ(db_->getNamedObjectsDictionary(named, AcDb::kForWrite), Acad::eOk);
  AcDbObjectId held;
  EXPECT_EQ(named->getAt("ACAD_IMAGE_DICT", held), Acad::eOk);
  EXPECT_EQ(held, first);
  // While another caller holds the named objects, the dictionary can be neither made nor found.
  EXPECT_EQ(AcDbRasterImageDef::createImageDictionary(db_, second), Acad::eWasOpenForWrite);
  EXPECT_TRUE(AcDbRasterImageDef::imageDictionary(db_).isNull());
  named->close();
  sim::failCall("AcDbRasterImageDef::createImageDictionary");
  EXPECT_EQ(AcDbRasterImageDef::createImageDictionary(db_, second), Acad::eOutOfMemory);
  EXPECT_TRUE(second.isNull());
}

TEST_F(RasterTest, DefinitionsReadTheSizeOfTheirFile) {
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
  ASSERT_TRUE(qvtest::writeTiff(tempDir() / "site.tif", 40, 30));
  ASSERT_TRUE(qvtest::writePng(tempDir() / "Road.png", 7, 19));
  ASSERT_TRUE(qvtest::writeBmp(tempDir() / "plan.bmp", 12, 5));
  std::ofstream(tempDir() / "notes.tif") << std::string("II*\0 no directory follows", 25);
  std::ofstream(tempDir() / "notes.png") << "not an image at all";
  std::ofstream(tempDir() / "empty.bmp");
  struct Case {
    const char* path;
    Acad::ErrorStatus named;
    Acad::ErrorStatus loaded;
    double width, height;
  };
  const Case cases[] = {
      {"C:\\SITE.TIF", Acad::eOk, Acad::eOk, 40, 30},
      {"C:/road.png", Acad::eOk, Acad::eOk, 7, 19},
      {"C:\\plan.bmp", Acad::eOk, Acad::eOk, 12, 5},
      {"C:\\notes.tif", Acad::eOk, Acad::eInvalidInput, 0, 0},
      {"C:\\notes.png", Acad::eOk, Acad::eInvalidInput, 0, 0},
      {"C:\\empty.bmp", Acad::eOk, Acad::eInvalidInput, 0, 0},
      {"C:\\missing.tif", Acad::eFileNotFound, Acad::eFileNotFound, 0, 0},
      {"Z:\\site.tif", Acad::eFileNotFound, Acad::eFileNotFound, 0, 0},
      {"", Acad::eInvalidInput, Acad::eFileNotFound, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const std::string path = atDrive(c.path);
    auto* definition = new AcDbRasterImageDef();
    EXPECT_EQ(definition->setSourceFileName(path.c_str()), c.named);
    EXPECT_EQ(definition->sourceFileName(), c.named == Acad::eOk ? path : "");
    EXPECT_EQ(definition->load(), c.loaded);
    EXPECT_EQ(definition->isLoaded(), c.loaded == Acad::eOk);
    EXPECT_EQ(definition->size(), AcGeVector2d(c.width, c.height));
    delete definition;
  }
}

// An image of a 4 x 2 definition, placed, in model space, linked through a reactor.
TEST_F(RasterTest, ImagesShowTheirDefinitionAndGoWithIt) {
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
  ASSERT_TRUE(qvtest::writeTiff(tempDir() / "site.tif", 4, 2));
  AcDbObjectId dictionaryId;
  AcDbDictionary* images = nullptr;
  ASSERT_EQ(AcDbRasterImageDef::createImageDictionary(db_, dictionaryId), Acad::eOk);
  ASSERT_EQ(acdbOpenObject(images, dictionaryId, AcDb::kForWrite), Acad::eOk);
  auto* definition = new AcDbRasterImageDef();
  AcDbObjectId definitionId;
  ASSERT_EQ(images->setAt("SITE", definition, definitionId), Acad::eOk);
  images->close();
  ASSERT_EQ(definition->setSourceFileName(onDrive("site.tif").c_str()), Acad::eOk);
  ASSERT_EQ(definition->load(), Acad::eOk);
  auto* image = new AcDbRasterImage();
  EXPECT_EQ(image->setImageDefId(AcDbObjectId::kNull), Acad::eNullObjectId);
  EXPECT_EQ(image->setImageDefId(db_->namedObjectsDictionaryId()), Acad::eWrongObjectType);
  ASSERT_EQ(image->setImageDefId(definition->objectId()), Acad::eOk);
  const AcGeVector3d zero, across(2, 0, 0), up(0, 1, 0), along(4, 0, 0);
  const std::pair<AcGeVector3d, AcGeVector3d> refused[] = {
      {zero, up}, {across, zero}, {across, along}};
  for (const auto& [u, v] : refused) {
    EXPECT_FALSE(image->setOrientation(AcGePoint3d(1, 2, 3), u, v));
  }
  ASSERT_TRUE(image->setOrientation(AcGePoint3d(1, 2, 3), across, up));
  AcDbBlockTable* blocks = nullptr;
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(db_->getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
  ASSERT_EQ(blocks->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite), Acad::eOk);
  AcDbObjectId imageId;
  ASSERT_EQ(space->appendAcDbEntity(imageId, image), Acad::eOk);
  space->close();
  blocks->close();
  auto* reactor = new AcDbRasterImageDefReactor();
  AcDbObjectId reactorId;
  ASSERT_EQ(reactor->setOwnerId(imageId), Acad::eOk);
  ASSERT_EQ(db_->addAcDbObject(reactorId, reactor), Acad::eOk);
  image->setReactorId(reactorId);
  ASSERT_EQ(definition->addPersistentReactor(reactorId), Acad::eOk);
  reactor->close();
  image->close();
  EXPECT_EQ(definition->entityCount(), 1);
  ads_name name;
  ASSERT_EQ(acdbGetAdsName(name, imageId), Acad::eOk);
  resbuf* list = acdbEntGet(name);
  // The corner, the vectors of one pixel and the size in pixels.
  const double expected[4][3] = {{1, 2, 3}, {0.5, 0, 0}, {0, 0.5, 0}, {4, 2, 0}};
  int points = 0;
  for (const resbuf* item = list; item != nullptr; item = item->rbnext) {
    if (item->restype == 0) {
      EXPECT_STREQ(item->resval.rstring, "IMAGE");
    } else if (item->restype >= 10 && item->restype <= 13) {
      ++points;
      for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(item->resval.rpoint[k], expected[item->restype - 10][k]);
      }
    }
  }
  acutRelRb(list);
  EXPECT_EQ(points, 4);
  // Erasing the definition erases its images, and they their reactors, while reactors are on.
  AcDbRasterImageDefReactor::setEnable(false);
  ASSERT_EQ(definition->erase(), Acad::eOk);
  EXPECT_FALSE(imageId.isErased());
  ASSERT_EQ(definition->erase(false), Acad::eOk);
  AcDbRasterImageDefReactor::setEnable(true);
  ASSERT_EQ(definition->erase(), Acad::eOk);
  definition->close();
  EXPECT_TRUE(imageId.isErased());
  EXPECT_TRUE(reactorId.isErased());
  sim::reset();
  EXPECT_TRUE(AcDbRasterImageDefReactor::isEnabled());
}

} // namespace

// The stand-in's raster images: the raster module, the image dictionary, image definitions that
// read their file's size, and the definitions' reactors.
#include <fstream>
#include <string>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbdict.h"
#include "platform/acad/imgdef.h"
#include "platform/sim.h"
#include "testing/host_test.h"
#include "testing/test_images.h"

namespace {

int errnoValue() {
  resbuf value{};
  EXPECT_EQ(acedGetVar("ERRNO", &value), RTNORM);
  return value.resval.rint;
}

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
  void SetUp() override {
    HostTest::SetUp();
    sim::mapDrive('C', tempDir().string());
    db_ = acdbHostApplicationServices()->workingDatabase();
  }
  // A new definition added to db_ under key, open for write.
  AcDbRasterImageDef* addDefinition(const char* key) {
    AcDbObjectId dictionaryId;
    EXPECT_EQ(AcDbRasterImageDef::createImageDictionary(db_, dictionaryId), Acad::eOk);
    AcDbDictionary* images = nullptr;
    EXPECT_EQ(acdbOpenObject(images, dictionaryId, AcDb::kForWrite), Acad::eOk);
    auto* definition = new AcDbRasterImageDef();
    AcDbObjectId id;
    EXPECT_EQ(images->setAt(key, definition, id), Acad::eOk);
    images->close();
    return definition;
  }
  AcDbDatabase* db_ = nullptr;
};

TEST_F(RasterTest, LoadsTheRasterModuleOnceByItsFileName) {
  EXPECT_TRUE(loadedModules().empty());
  struct Case {
    const char* name;
    int status;
    int errnoAfter;
  };
  sim::failCall("acedArxLoad");
  EXPECT_EQ(acedArxLoad("acismui.arx"), RTERROR);
  EXPECT_TRUE(loadedModules().empty());
  const Case cases[] = {
      {"survey.arx", RTERROR, 73},
      {"", RTERROR, 73},
      {"acismui", RTNORM, 0},
      {"ACISMUI.ARX", RTERROR, 74},
      {"C:\\Acad\\AcIsmUi.arx", RTERROR, 74},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::setSysVarShort("ERRNO", 0);
    EXPECT_EQ(acedArxLoad(c.name), c.status);
    EXPECT_EQ(errnoValue(), c.errnoAfter);
  }
  EXPECT_EQ(loadedModules(), std::vector<std::string>{"acismui.arx"});
}

TEST_F(RasterTest, ListsModulesInLoadOrderAndFailsWhole) {
  ASSERT_TRUE(sim::loadModule([](AcRx::AppMsgCode, void*) { return AcRx::kRetOK; }));
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
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
    auto* definition = new AcDbRasterImageDef();
    EXPECT_EQ(definition->setSourceFileName(c.path), c.named);
    EXPECT_STREQ(definition->sourceFileName(), c.named == Acad::eOk ? c.path : "");
    EXPECT_EQ(definition->load(), c.loaded);
    EXPECT_EQ(definition->isLoaded(), c.loaded == Acad::eOk);
    EXPECT_EQ(definition->size(), AcGeVector2d(c.width, c.height));
    delete definition;
  }
}

TEST_F(RasterTest, DefinitionsChangeOnlyWhenOpenForWrite) {
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
  ASSERT_TRUE(qvtest::writeTiff(tempDir() / "site.tif", 4, 3));
  AcDbRasterImageDef* definition = addDefinition("SITE");
  ASSERT_EQ(definition->setSourceFileName("C:\\site.tif"), Acad::eOk);
  const AcDbObjectId id = definition->objectId();
  definition->close();
  ASSERT_EQ(acdbOpenObject(definition, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(definition->setSourceFileName("C:\\site.tif"), Acad::eNotOpenForWrite);
  EXPECT_EQ(definition->load(), Acad::eNotOpenForWrite);
  EXPECT_EQ(definition->addPersistentReactor(id), Acad::eNotOpenForWrite);
  definition->close();
  ASSERT_EQ(acdbOpenObject(definition, id, AcDb::kForWrite), Acad::eOk);
  for (const char* call : {"AcDbRasterImageDef::setSourceFileName", "AcDbRasterImageDef::load"}) {
    sim::failCall(call);
  }
  EXPECT_EQ(definition->setSourceFileName("C:\\site.tif"), Acad::eFileNotFound);
  EXPECT_EQ(definition->load(), Acad::eOutOfMemory);
  EXPECT_FALSE(definition->isLoaded());
  definition->close();
}

TEST_F(RasterTest, ReactorsCanBeSwitchedOffAndBackOn) {
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
  EXPECT_TRUE(AcDbRasterImageDefReactor::isEnabled());
  AcDbRasterImageDefReactor::setEnable(false);
  EXPECT_FALSE(AcDbRasterImageDefReactor::isEnabled());
  sim::reset();
  EXPECT_TRUE(AcDbRasterImageDefReactor::isEnabled());
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
  sim::failCall("AcDbRasterImageDefReactor::new");
  EXPECT_EQ(new AcDbRasterImageDefReactor(), nullptr);
  sim::failCall("AcDbRasterImageDef::new");
  EXPECT_EQ(new AcDbRasterImageDef(), nullptr);
}

} // namespace

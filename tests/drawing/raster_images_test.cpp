// Attaching raster images: image names, the module check, definitions shared by name, placement
// in a rectangle and by proportions, failures that leave nothing behind, and failure sweeps.
#include "drawing/raster_images.h"

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/acad/acedads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/dbdict.h"
#include "platform/acad/imgdef.h"
#include "platform/acad/imgent.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "testing/test_images.h"

namespace {

AcDbDatabase* workingDatabase() {
  return acdbHostApplicationServices()->workingDatabase();
}

// The images of the working drawing's spaces, in the order made (read without opening them).
std::vector<const AcDbRasterImage*> images() {
  std::vector<const AcDbRasterImage*> found;
  sim::detail::forEachEntity(*workingDatabase(), [&](AcDbObjectId, const AcDbEntity& entity) {
    if (const AcDbRasterImage* image = AcDbRasterImage::cast(&entity)) {
      found.push_back(image);
    }
    return true;
  });
  return found;
}

// The entries of the image dictionary.
uint32_t definitionCount() {
  AcDbDictionary* dictionary = nullptr;
  const AcDbObjectId id = AcDbRasterImageDef::imageDictionary(workingDatabase());
  if (acdbOpenObject(dictionary, id, AcDb::kForRead) != Acad::eOk) {
    return 0;
  }
  const uint32_t count = dictionary->numEntries();
  dictionary->close();
  return count;
}

void expectPlacement(const AcDbRasterImage* image, const AcGePoint3d& origin, double width,
                     double height) {
  AcGePoint3d at;
  AcGeVector3d u, v;
  image->getOrientation(at, u, v);
  EXPECT_EQ(at, origin);
  EXPECT_DOUBLE_EQ(u.x, width);
  EXPECT_DOUBLE_EQ(v.y, height);
  EXPECT_EQ(u.y + u.z + v.x + v.z, 0.0);
}

class RasterAttachTest : public qvtest::HostTest {
protected:
  RasterAttachTest() : HostTest('C') {}
  void SetUp() override {
    HostTest::SetUp();
    std::filesystem::create_directories(tempDir() / "maps");
    std::filesystem::create_directories(tempDir() / "other");
    ASSERT_TRUE(qvtest::writeTiff(tempDir() / "maps" / "site.photo.tif", 40, 20));
    ASSERT_TRUE(qvtest::writePng(tempDir() / "other" / "Site.png", 10, 30));
    ASSERT_TRUE(qvtest::writeBmp(tempDir() / "other" / "tall.bmp", 10, 30));
    std::ofstream(tempDir() / "maps" / "notes.tif") << "survey notes, not pixels";
  }
  // Attaches the image of a path written "C:\..." (atDrive).
  int attach(const char* path, bool keep = false) {
    return qv::attachRasterImage(atDrive(path).c_str(), first_, second_, keep ? 1 : 0);
  }
  ads_point first_ = {10, 20, 5};
  ads_point second_ = {4, 26, 5};
};

TEST_F(RasterAttachTest, NamesImagesAfterTheirFileAndAddsExtensionsWithinBuffers) {
  const std::tuple<const char*, size_t, const char*> names[] = {
      {"C:\\maps\\site.photo.tif", 64, "SITE"},
      {"D:/other/Site.tif", 64, "SITE"},
      {"C:\\v1.2\\Road", 64, "ROAD"},
      {"C:\\maps\\.tif", 64, ""},
      {"C:\\maps\\site.photo.tif", 3, "SI"}};
  for (const auto& [path, size, expected] : names) {
    std::string name(size, 'x');
    qv::imageNameOfPath(path, name.data(), size);
    EXPECT_STREQ(name.c_str(), expected) << path;
  }
  const std::tuple<const char*, size_t, const char*> extended[] = {{"acismui", 16, "acismui.dll"},
                                                                   {"abc", 8, "abc.dll"},
                                                                   {"abc", 6, "abc.d"},
                                                                   {"abcdef", 4, "abc"}};
  for (const auto& [text, size, expected] : extended) {
    std::string buffer(size + 4, '\0');
    buffer.replace(0, std::strlen(text), text);
    EXPECT_STREQ(qv::addDllExtension(buffer.data(), size), expected) << text;
  }
}

TEST_F(RasterAttachTest, FindsLoadedModulesWithAndWithoutExtension) {
  ASSERT_TRUE(sim::loadModule([](AcRx::AppMsgCode, void*) { return AcRx::kRetOK; }, "Survey.DLL"));
  ASSERT_EQ(acedArxLoad("acismui.arx"), RTNORM);
  const std::pair<const char*, int> cases[] = {
      {"acismui.arx", 1}, {"ACISMUI.ARX", 1}, {"acismui", 0},      {"survey", 1},
      {"survey.dll", 1},  {"survey.arx", 0},  {"quorvane.arx", 0}, {"", 0}};
  for (const auto& [name, loaded] : cases) {
    EXPECT_EQ(qv::isModuleLoaded(name), loaded) << name;
  }
  sim::failCall("acedArxLoaded");
  EXPECT_EQ(qv::isModuleLoaded("acismui.arx"), 0);
}

TEST_F(RasterAttachTest, ReusesTheDefinitionOfAFileOfTheSameName) {
  EXPECT_EQ(qv::isModuleLoaded("acismui.arx"), 0);
  ASSERT_EQ(attach("C:\\maps\\site.photo.tif"), 1);
  EXPECT_EQ(qv::isModuleLoaded("acismui.arx"), 1); // loaded by the first attach
  ASSERT_EQ(attach("C:\\other\\Site.png"), 1);
  EXPECT_EQ(sim::takeCommandLine(), "");
  EXPECT_EQ(definitionCount(), 1u);
  const std::vector<const AcDbRasterImage*> placed = images();
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[0]->imageDefId(), placed[1]->imageDefId());
  EXPECT_NE(placed[0]->reactorId(), placed[1]->reactorId());
  EXPECT_EQ(placed[1]->imageSize(), AcGeVector2d(40, 20)); // the first file's
  AcDbRasterImageDef* definition = nullptr;
  ASSERT_EQ(acdbOpenObject(definition, placed[0]->imageDefId(), AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(definition->sourceFileName(), atDrive("C:\\maps\\site.photo.tif"));
  EXPECT_TRUE(definition->hasPersistentReactor(placed[1]->reactorId()));
  EXPECT_EQ(definition->entityCount(), 2);
  definition->close();
}

TEST_F(RasterAttachTest, FitsTheRectangleInAnyCornerOrderOrKeepsTheProportions) {
  const double corners[4][2][3] = {{{10, 20, 5}, {4, 26, 5}},
                                   {{4, 26, 5}, {10, 20, 5}},
                                   {{4, 20, -3}, {10, 26, 9}},
                                   {{10, 26, 0}, {4, 20, 0}}};
  for (const auto& pair : corners) {
    std::copy(pair[0], pair[0] + 3, first_);
    std::copy(pair[1], pair[1] + 3, second_);
    ASSERT_EQ(attach("C:\\maps\\site.photo.tif"), 1);
    expectPlacement(images().back(), AcGePoint3d(4, 20, 0), 6, 6);
  }
  // Keeping the proportions, from the first corner.
  std::copy(corners[0][0], corners[0][0] + 3, first_);
  std::copy(corners[0][1], corners[0][1] + 3, second_);
  ASSERT_EQ(attach("C:\\maps\\site.photo.tif", true), 1);
  ASSERT_EQ(attach("C:\\other\\tall.bmp", true), 1);
  expectPlacement(images()[4], AcGePoint3d(10, 20, 5), 2.0, 1.0);
  expectPlacement(images()[5], AcGePoint3d(10, 20, 5), 10.0 / 30.0, 1.0);
}

TEST_F(RasterAttachTest, FailuresPrintTheirStatusAndLeaveNothingBehind) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\maps\\none.tif", "Error: Could not find the image file.\n\nError 76"},
      {"C:\\maps\\notes.tif", "Error: Could not open the image file.\n\nError 3"}};
  for (const auto& [path, error] : cases) {
    EXPECT_EQ(attach(path), 0);
    EXPECT_EQ(sim::takeCommandLine(), error +
                                          (": Attach example image failed for " + atDrive(path)) +
                                          "\npnt: 10.000,20.000,5.000 pnt2: 4.000,26.000,5.000");
    EXPECT_TRUE(images().empty());
    EXPECT_EQ(definitionCount(), 0u);
  }
  second_[Y] = first_[Y]; // a rectangle without height
  EXPECT_EQ(attach("C:\\maps\\site.photo.tif"), 0);
  EXPECT_EQ(sim::takeCommandLine(), "Error: Manipulate example image failed. 3\n");
  ASSERT_TRUE(sim::closeDocument(sim::currentDocument()));
  AcDbObjectId id;
  EXPECT_EQ(qv::findOrCreateImageDef(id, "SITE", "C:\\maps\\site.photo.tif"), 124);
  EXPECT_EQ(qv::appendToSpace(nullptr, false), 124);
}

// Every failure of the attach's host calls ends in 0 with no image entity left (but for a failed
// placement) and nothing open; a run the failure did not stop attaches one linked image.
TEST_F(RasterAttachTest, SweepsTheFailuresOfAnAttach) {
  const std::string sweepDrawing = atDrive("C:\\maps\\sweep.dwg");
  for (const char* call : {"acedArxLoad", "acedArxLoaded", "acutNewRb", "acdbOpenAcDbObject",
                           "AcDbRasterImageDef::createImageDictionary", "AcDbRasterImageDef::new",
                           "AcDbRasterImageDef::setSourceFileName", "AcDbRasterImageDef::load",
                           "AcDbDictionary::setAt", "AcDbRasterImage::new",
                           "AcDbRasterImageDefReactor::new", "AcDbDatabase::addAcDbObject",
                           "AcDbRasterImage::setImageDefId", "AcDbDatabase::getSymbolTable",
                           "AcDbSymbolTable::getAt", "AcDbBlockTableRecord::appendAcDbEntity"}) {
    const int points = qvtest::forEachFailure(call, [&](int) {
      const int document = sim::openDocument(sweepDrawing);
      sim::takeCommandLine();
      const int attached = attach("C:\\maps\\site.photo.tif", true);
      const std::string printed = sim::takeCommandLine();
      const bool placementFailed = printed.find("Manipulate") != std::string::npos;
      const std::vector<const AcDbRasterImage*> placed = images();
      EXPECT_EQ(placed.size(), attached == 1 || placementFailed ? 1u : 0u) << call;
      EXPECT_EQ(printed.empty(), attached == 1) << call;
      EXPECT_TRUE(AcDbRasterImageDefReactor::isEnabled()) << call;
      for (const AcDbRasterImage* image : placed) {
        EXPECT_FALSE(image->reactorId().isNull()) << call;
      }
      sim::closeDocument(document);
    });
    EXPECT_GT(points, 0) << call;
  }
}

} // namespace

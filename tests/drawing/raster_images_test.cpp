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

// The images of the working drawing's spaces, in the order made.
std::vector<AcDbObjectId> images() {
  std::vector<AcDbObjectId> found;
  sim::detail::forEachEntity(*workingDatabase(), [&](AcDbObjectId id, const AcDbEntity& entity) {
    if (AcDbRasterImage::cast(&entity) != nullptr) {
      found.push_back(id);
    }
    return true;
  });
  return found;
}

// The image dictionary's keys.
std::vector<std::string> definitionNames() {
  std::vector<std::string> names;
  AcDbDictionary* dictionary = nullptr;
  if (acdbOpenObject(dictionary, AcDbRasterImageDef::imageDictionary(workingDatabase()),
                     AcDb::kForRead) != Acad::eOk) {
    return names;
  }
  AcDbDictionaryIterator* it = dictionary->newIterator();
  for (; !it->done(); it->next()) {
    names.emplace_back(it->name());
  }
  delete it;
  dictionary->close();
  return names;
}

struct Placement {
  AcGePoint3d origin;
  AcGeVector3d u, v;
};

Placement placementOf(AcDbObjectId imageId) {
  Placement placement;
  AcDbRasterImage* image = nullptr;
  EXPECT_EQ(acdbOpenObject(image, imageId, AcDb::kForRead), Acad::eOk);
  if (image != nullptr) {
    image->getOrientation(placement.origin, placement.u, placement.v);
    image->close();
  }
  return placement;
}

class RasterAttachTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    std::filesystem::create_directories(tempDir() / "c" / "maps");
    std::filesystem::create_directories(tempDir() / "d" / "other");
    sim::mapDrive('C', (tempDir() / "c").string());
    sim::mapDrive('D', (tempDir() / "d").string());
    ASSERT_TRUE(qvtest::writeTiff(tempDir() / "c" / "maps" / "site.photo.tif", 40, 20));
    ASSERT_TRUE(qvtest::writePng(tempDir() / "d" / "other" / "Site.png", 10, 30));
    ASSERT_TRUE(qvtest::writeBmp(tempDir() / "d" / "other" / "tall.bmp", 10, 30));
    std::ofstream(tempDir() / "c" / "maps" / "notes.tif") << "survey notes, not pixels";
  }
  int attach(const char* path, bool keep = false) {
    return qv::attachRasterImage(path, first_, second_, keep ? 1 : 0);
  }
  ads_point first_ = {10, 20, 5};
  ads_point second_ = {4, 26, 5};
};

TEST_F(RasterAttachTest, NamesImagesAfterTheirFile) {
  struct Case {
    const char* path;
    size_t size;
    const char* name;
  };
  const Case cases[] = {
      {"C:\\maps\\site.photo.tif", 64, "SITE"},
      {"D:/other/Site.tif", 64, "SITE"},
      {"plan", 64, "PLAN"},
      {"C:\\v1.2\\Road", 64, "ROAD"},
      {"C:\\maps\\.tif", 64, ""},
      {"C:\\maps\\site.photo.tif", 3, "SI"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string name(c.size, 'x');
    qv::imageNameOfPath(c.path, name.data(), c.size);
    EXPECT_STREQ(name.c_str(), c.name);
  }
}

TEST_F(RasterAttachTest, AddsTheLibraryExtensionWithinTheBuffer) {
  struct Case {
    const char* name;
    size_t size;
    const char* result;
  };
  const Case cases[] = {{"acismui", 16, "acismui.dll"},
                        {"abc", 8, "abc.dll"},
                        {"abc", 6, "abc.d"},
                        {"abcdef", 4, "abc"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string buffer(c.size + 4, '\0');
    buffer.replace(0, std::strlen(c.name), c.name);
    EXPECT_STREQ(qv::addDllExtension(buffer.data(), c.size), c.result);
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
  ASSERT_EQ(attach("D:\\other\\Site.png"), 1);
  EXPECT_EQ(definitionNames(), std::vector<std::string>{"SITE"});
  const std::vector<AcDbObjectId> placed = images();
  ASSERT_EQ(placed.size(), 2u);
  AcDbObjectId definitions[2];
  AcDbObjectId reactors[2];
  for (size_t i = 0; i < 2; ++i) {
    AcDbRasterImage* image = nullptr;
    ASSERT_EQ(acdbOpenObject(image, placed[i], AcDb::kForRead), Acad::eOk);
    definitions[i] = image->imageDefId();
    reactors[i] = image->reactorId();
    EXPECT_EQ(image->imageSize(), AcGeVector2d(40, 20)); // the first file's
    image->close();
  }
  EXPECT_EQ(definitions[0], definitions[1]);
  EXPECT_NE(reactors[0], reactors[1]);
  AcDbRasterImageDef* definition = nullptr;
  ASSERT_EQ(acdbOpenObject(definition, definitions[0], AcDb::kForRead), Acad::eOk);
  EXPECT_STREQ(definition->sourceFileName(), "C:\\maps\\site.photo.tif");
  EXPECT_TRUE(definition->hasPersistentReactor(reactors[0]));
  EXPECT_TRUE(definition->hasPersistentReactor(reactors[1]));
  EXPECT_EQ(definition->entityCount(), 2);
  definition->close();
  EXPECT_TRUE(AcDbRasterImageDefReactor::isEnabled());
  EXPECT_EQ(sim::takeCommandLine(), "");
}

TEST_F(RasterAttachTest, FitsTheRectangleWhateverTheOrderOfItsCorners) {
  const double corners[4][2][3] = {{{10, 20, 5}, {4, 26, 5}},
                                   {{4, 26, 5}, {10, 20, 5}},
                                   {{4, 20, -3}, {10, 26, 9}},
                                   {{10, 26, 0}, {4, 20, 0}}};
  for (const auto& pair : corners) {
    std::copy(pair[0], pair[0] + 3, first_);
    std::copy(pair[1], pair[1] + 3, second_);
    ASSERT_EQ(attach("C:\\maps\\site.photo.tif"), 1);
    const Placement placed = placementOf(images().back());
    EXPECT_EQ(placed.origin, AcGePoint3d(4, 20, 0));
    EXPECT_EQ(placed.u, AcGeVector3d(6, 0, 0));
    EXPECT_EQ(placed.v, AcGeVector3d(0, 6, 0));
  }
}

TEST_F(RasterAttachTest, KeepsTheProportionsOfWideAndTallImages) {
  ASSERT_EQ(attach("C:\\maps\\site.photo.tif", true), 1);
  ASSERT_EQ(attach("D:\\other\\tall.bmp", true), 1);
  const std::vector<AcDbObjectId> placed = images();
  ASSERT_EQ(placed.size(), 2u);
  const double widths[] = {2.0, 10.0 / 30.0};
  for (size_t i = 0; i < 2; ++i) {
    const Placement placement = placementOf(placed[i]);
    EXPECT_EQ(placement.origin, AcGePoint3d(10, 20, 5));
    EXPECT_DOUBLE_EQ(placement.u.x, widths[i]);
    EXPECT_EQ(placement.v, AcGeVector3d(0, 1, 0));
  }
}

TEST_F(RasterAttachTest, AFileThatCannotBeUsedLeavesNothingBehind) {
  struct Case {
    const char* path;
    const char* output;
  };
  const Case cases[] = {
      {"C:\\maps\\none.tif", "Error: Could not find the image file.\n\nError 76: Attach example "
                             "image failed for C:\\maps\\none.tif\npnt: 10.000,20.000,5.000 pnt2: "
                             "4.000,26.000,5.000"},
      {"C:\\maps\\notes.tif", "Error: Could not open the image file.\n\nError 3: Attach example "
                              "image failed for C:\\maps\\notes.tif\npnt: 10.000,20.000,5.000 "
                              "pnt2: 4.000,26.000,5.000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(attach(c.path), 0);
    EXPECT_EQ(sim::takeCommandLine(), c.output);
    EXPECT_TRUE(images().empty());
    EXPECT_TRUE(definitionNames().empty());
  }
}

TEST_F(RasterAttachTest, AFlatRectangleIsAFailedPlacement) {
  second_[Y] = first_[Y];
  EXPECT_EQ(attach("C:\\maps\\site.photo.tif"), 0);
  EXPECT_EQ(sim::takeCommandLine(), "Error: Manipulate example image failed. 3\n");
}

TEST_F(RasterAttachTest, StepsAnswerTheirStatusesWithoutADrawing) {
  ASSERT_TRUE(sim::closeDocument(sim::currentDocument()));
  AcDbObjectId id;
  EXPECT_EQ(qv::findOrCreateImageDef(id, "SITE", "C:\\maps\\site.photo.tif"), 124);
  EXPECT_EQ(qv::appendToSpace(nullptr, false), 124);
}

// Every failure of the attach's host calls ends in 0 with no image entity left and nothing open;
// a run the failure did not stop attaches one image with its reactor.
TEST_F(RasterAttachTest, SweepsTheFailuresOfAnAttach) {
  const char* calls[] = {"acedArxLoad",
                         "acedArxLoaded",
                         "acutNewRb",
                         "acdbOpenAcDbObject",
                         "AcDbRasterImageDef::createImageDictionary",
                         "AcDbRasterImageDef::new",
                         "AcDbRasterImageDef::setSourceFileName",
                         "AcDbRasterImageDef::load",
                         "AcDbDictionary::setAt",
                         "AcDbRasterImage::new",
                         "AcDbRasterImageDefReactor::new",
                         "AcDbDatabase::addAcDbObject",
                         "AcDbRasterImage::setImageDefId",
                         "AcDbDatabase::getSymbolTable",
                         "AcDbSymbolTable::getAt",
                         "AcDbBlockTableRecord::appendAcDbEntity"};
  for (const char* call : calls) {
    int document = 0;
    const int points = qvtest::forEachFailure(call, [&](int) {
      document = sim::openDocument("C:\\maps\\sweep.dwg");
      sim::takeCommandLine();
      const int attached = attach("C:\\maps\\site.photo.tif", true);
      const std::string printed = sim::takeCommandLine();
      // A failed placement leaves the attached image as it is; any other failure leaves none.
      const bool placementFailed = printed.find("Manipulate") != std::string::npos;
      const std::vector<AcDbObjectId> placed = images();
      EXPECT_EQ(placed.size(), attached == 1 || placementFailed ? 1u : 0u) << call;
      EXPECT_EQ(printed.empty(), attached == 1) << call;
      EXPECT_TRUE(AcDbRasterImageDefReactor::isEnabled()) << call;
      for (AcDbObjectId id : placed) {
        const auto* image = AcDbRasterImage::cast(workingDatabase()->objectAt(id));
        EXPECT_FALSE(image->reactorId().isNull()) << call;
      }
      sim::closeDocument(document);
    });
    EXPECT_GT(points, 0) << call;
  }
}

} // namespace

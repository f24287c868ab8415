// The drawing's file context: the units context, working-file names, syncFile and runProgram.
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "platform/sim.h"
#include "settings/settings.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class DrawingContextTest : public qvtest::HostTest {
protected:
  DrawingContextTest() : HostTest('C') {}
  void SetUp() override {
    HostTest::SetUp();
    for (const char* folder : {"Jobs", "Tmp", "From", "To"}) {
      std::filesystem::create_directories(tempDir() / folder);
    }
    ASSERT_NE(sim::openDocument(atDrive("C:\\Jobs\\Site.dwg")), 0);
    sim::evalLisp("(setq tmpdir$ " + qvtest::lispString(atDrive("C:\\Tmp\\")) + ")");
  }
};

TEST_F(DrawingContextTest, ReadsTheUnitSystemByTheSymbolsType) {
  const std::pair<const char*, bool> cases[] = {
      {"", false},
      {"(setq is_metric 1)", true},
      {"(setq is_metric 0)", false},
      {"(setq is_metric 0.5)", true},
      {"(setq is_metric T)", true},
      {"(setq is_metric \"1\")", true},
      {"(setq is_metric \"0\")", false},
  };
  sim::evalLisp("(setq qvan_date_format \"\" qvan_ton_name 12 qvan_meter_name \"" +
                std::string(80, 'm') + "\")");
  for (const auto& [setup, metric] : cases) {
    SCOPED_TRACE(setup);
    sim::evalLisp("(setq is_metric nil)");
    sim::evalLisp(setup);
    const qv::QvUnitsContext units = qv::readUnitsContext();
    EXPECT_EQ(units.valid, 1);
    EXPECT_EQ(units.volumeFactor, metric ? 1.0 : 27.0);
    EXPECT_EQ(units.unitWeightB, metric ? 2403.0 : 150.0);
    EXPECT_STREQ(units.unitAbbrev, metric ? "m" : "ft");
    EXPECT_EQ(units.unitName, metric ? std::string(49, 'm') : "foot");
    EXPECT_STREQ(units.tonName, "12");
    EXPECT_STREQ(units.stationName, "station");
    EXPECT_STREQ(units.dateFormat, "mm/dd/yyyy");
  }
  EXPECT_EQ(qv::QvUnitsContext().valid, 0);
}

TEST_F(DrawingContextTest, NamesTheDrawingsWorkingFiles) {
  char name[16];
  EXPECT_STREQ(qv::productIniName(name), "quorvane.ini");
  const std::tuple<const char*, int, const char*> drawings[] = {
      {"C:\\Jobs\\A.dwg", 5, "A"}, {"C:\\Jobs\\A.b", 3, "A.b"}, {"C:\\Jobs\\Site.dwg", 8, "Site"}};
  for (const auto& [path, answer, base] : drawings) {
    sim::openDocument(atDrive(path));
    EXPECT_EQ(qv::drawingBaseName(name), answer) << path;
    EXPECT_STREQ(name, base);
  }
  sim::evalLisp("(setq tmpdir$ " + qvtest::lispString(atDrive("C:\\Tmp\\")) + ")");
  writeHost("Tmp/Site-surf.ini", "other=5|X\nexist=1|EXIST2\n");
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"ex", nullptr, 0, "C:\\Tmp\\Site-EXIST2.flt"}, {"OG", "N", 0, "C:\\Tmp\\SiteN-EXIST2.flt"},
      {"fn", nullptr, 0, "C:\\Tmp\\Site-fn.flt"},     {"Ex", nullptr, -1, "C:\\Tmp\\Site-ex.flt"},
      {"ch", nullptr, 3, "C:\\Tmp\\Site-ch3.flt"},    {"XY", "_2", 0, "C:\\Tmp\\Site_2-XY.flt"},
  };
  char path[260];
  for (const auto& [kind, part, number, expected] : cases) {
    qv::surfaceFilePath(path, kind, part, number);
    EXPECT_EQ(path, atDrive(expected));
  }
  writeHost("Tmp/Site-surf.ini", "final=0|FINAL\nexist=|\n");
  for (const char* binary : {"1", "\"1\""}) {
    sim::evalLisp(std::string("(setq is_binary_tin ") + binary + ")");
    qv::surfaceFilePath(path, "ZE", nullptr, 0);
    EXPECT_EQ(path, atDrive("C:\\Tmp\\Site-FINAL.tin"));
    qv::surfaceFilePath(path, "ex", nullptr, 0);
    EXPECT_EQ(path, atDrive("C:\\Tmp\\Site-ex.tin"));
  }
}

TEST_F(DrawingContextTest, ChangesExtensionsWithinTheBuffer) {
  const std::tuple<const char*, const char*, size_t, const char*, const char*> cases[] = {
      {"C:\\JOBS.2024\\SITE", "ini", 32, "C:\\JOBS.2024\\SITE.ini", "ini"},
      {"C:/a/site.dwg", "bak", 32, "C:/a/site.bak", "bak"},
      {"site.", "txt", 32, "site.txt", "txt"},
      {"site.dwg", "longer", 10, "site.long", "long"},
      {"abcdefghi", "x", 10, "abcdefghi", ""},
  };
  for (const auto& [path, extension, size, result, returned] : cases) {
    char buffer[32] = {};
    std::strcpy(buffer, path);
    EXPECT_STREQ(qv::changeExtension(buffer, size, extension), returned);
    EXPECT_STREQ(buffer, result);
  }
}

TEST_F(DrawingContextTest, SyncsOnlyFilesOfAnotherSize) {
  const std::string from = atDrive("C:\\From\\"), to = atDrive("C:\\To\\");
  writeHost("From/a.flt", "12345");
  EXPECT_EQ(qv::syncFile(from.c_str(), to.c_str(), "missing.flt"), 0);
  EXPECT_EQ(qv::syncFile(from.c_str(), to.c_str(), "a.flt"), 1);
  writeHost("From/a.flt", "54321");
  EXPECT_EQ(qv::syncFile(from.c_str(), to.c_str(), "a.flt"), 0);
  EXPECT_EQ(readHost("To/a.flt"), "12345");
  writeHost("From/a.flt", std::string("123\0\n456", 8));
  qvtest::forEachFailure("fopen", [&](int) {
    const int copied = qv::syncFile(from.c_str(), to.c_str(), "a.flt");
    EXPECT_EQ(copied, readHost("To/a.flt") == std::string("123\0\n456", 8) ? 1 : 0);
  });
}

TEST_F(DrawingContextTest, RunsProgramsAndAnswersTheirExitCodes) {
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the programs run are shell scripts, which the stand-in starts");
  sim::mapDrive('K', tempDir().string());
  writeHost("run", "#!/bin/sh\nexit 7\n");
  std::filesystem::permissions(tempPath("run"), std::filesystem::perms::owner_all);
  const std::tuple<const char*, int, int> cases[] = {
      {"K:\\run", 1, 7},     {"sh -c \"exit 3\"", 1, 3}, {"K:\\missing", 1, -1},
      {"K:\\missing", 0, 0}, {"sh -c \"exit 3\"", 0, 0},
  };
  for (const auto& [line, wait, result] : cases) {
    EXPECT_EQ(qv::runProgram(line, wait), result) << line;
  }
  for (const char* call : {"CreateProcessA", "WaitForSingleObject"}) {
    qvtest::forEachFailure(
        call, [](int nth) { EXPECT_EQ(qv::runProgram("sh -c \"exit 4\"", 1), nth == 1 ? -1 : 4); });
  }
}

} // namespace

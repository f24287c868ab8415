// Property files: defaults, names and values, growth, reading to the end, saving whole or not at
// all, the drawing copies, and the line reader.
#include <cstring>
#include <string>
#include <tuple>

#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "platform/win/windows.h"
#include "records/drawing_storage.h"
#include "settings/settings.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"
#include "testing/killed_writer.h"

namespace {

const qv::QvPropertyDefault kDefaults[] = {{"Units", "Feet"}, {"NAME", "x"}, {"Last", "y"}};

class PropertyFileTest : public qvtest::HostTest {
protected:
  PropertyFileTest() : HostTest('P') {}
  static std::string value(const qv::QvPropertyFile& file, const char* name) {
    const char* raw = file.getRaw(name);
    return raw != nullptr ? raw : "<missing>";
  }
};

TEST_F(PropertyFileTest, ReadsKnownNamesToTheEndAndSavesInTableOrder) {
  // The blank line in the middle does not end the reading.
  writeHost("s.ini", "units=Meters\r\n\r\nName=a=b\r\nUnknown=1\r\nLast=after blank");
  qv::QvPropertyFile file;
  ASSERT_EQ(file.open(atDrive("P:\\s.ini").c_str(), kDefaults, 3), 1);
  EXPECT_EQ(value(file, "UNITS"), "Meters");
  EXPECT_EQ(value(file, "name"), "a=b");
  EXPECT_EQ(value(file, "Last"), "after blank");
  EXPECT_EQ(value(file, "Unknown"), "<missing>");
  EXPECT_STREQ(file.nameAt(1), "Name"); // the latest spelling
  EXPECT_TRUE(file.isModified());       // the defaults mark it
  ASSERT_EQ(file.save(), 1);
  EXPECT_FALSE(file.isModified());
  EXPECT_EQ(readHost("s.ini"), "units=Meters\r\nName=a=b\r\nLast=after blank\r\n");
  EXPECT_EQ(file.setValue("LAST", "after blank", 0), 1);
  EXPECT_FALSE(file.isModified()) << "an equal value is no change";
  EXPECT_EQ(file.setValue("last", "After Blank", 0), 1);
  EXPECT_TRUE(file.isModified()) << "values compare with case";
  EXPECT_EQ(file.open(file.path(), kDefaults, 3), 1) << "reopened: the change is saved and read";
  EXPECT_EQ(value(file, "Last"), "After Blank");
  EXPECT_EQ(file.setValue("Other", "1", 1), 0);
  EXPECT_EQ(value(file, "Other"), "<missing>");
}

TEST_F(PropertyFileTest, AMissingFileIsMadeAndAnUnreadableOneIsLeftAlone) {
  {
    qv::QvPropertyFile file;
    EXPECT_EQ(file.open(atDrive("P:\\new.ini").c_str(), kDefaults, 3), 0);
    EXPECT_EQ(file.path(), atDrive("P:\\new.ini"));
    EXPECT_EQ(value(file, "units"), "Feet");
  }
  EXPECT_EQ(readHost("new.ini"), "Units=Feet\r\nNAME=x\r\nLast=y\r\n");
  qv::QvPropertyFile unbound;
  EXPECT_EQ(unbound.open(nullptr, kDefaults, 3), 1);
  EXPECT_EQ(unbound.save(), 1);
  writeHost("kept.ini", "Units=Meters\r\n");
  QV_SKIP_UNLESS_FAILABLE("fopen");
  for (const char* call : {"fopen", "fread"}) {
    {
      qv::QvPropertyFile file;
      sim::failCall(call);
      EXPECT_EQ(file.open(atDrive("P:\\kept.ini").c_str(), kDefaults, 3), 0) << call;
      EXPECT_STREQ(file.path(), "") << call;
    }
    EXPECT_EQ(readHost("kept.ini"), "Units=Meters\r\n") << call;
  }
}

TEST_F(PropertyFileTest, GrowsAndConvertsAsTheRuntimeReads) {
  qv::QvPropertyFile file;
  file.open(nullptr, kDefaults, 3);
  EXPECT_EQ(file.capacity(), 3);
  for (int i = 0; i < 14; ++i) {
    file.setValue(std::to_string(i).c_str(), "v", 0);
    EXPECT_EQ(file.capacity(), i < 13 ? 16 : 32) << i;
  }
  EXPECT_EQ(file.count(), 17);
  // A value, read as a short, an int and a real.
  const std::tuple<const char*, int16_t, int32_t, double> cases[] = {
      {"70000", 4464, 70000, 70000.0},
      {" -12.75x", -12, -12, -12.75},
      {"99999999999", -1, 2147483647, 99999999999.0},
      {"0x10", 0, 0, 0.0},
      {"", 0, 0, 0.0}};
  for (const auto& [text, shortValue, intValue, realValue] : cases) {
    file.setValue("v", text, 0);
    int16_t s = 7;
    int32_t i = 7;
    double r = 7;
    EXPECT_EQ(file.getShort("V", &s) + file.getInt("V", &i) + file.getReal("V", &r), 3);
    EXPECT_EQ(s, shortValue) << text;
    EXPECT_EQ(i, intValue) << text;
    EXPECT_DOUBLE_EQ(r, realValue) << text;
  }
  file.setValue("t", "abcdefgh", 0);
  char text[8] = "#######";
  EXPECT_EQ(file.getText("t", text, 5), 1);
  EXPECT_STREQ(text, "abcd");
  EXPECT_EQ(file.getText("t", text, 0), 1);
  EXPECT_STREQ(text, "abcd");
  EXPECT_EQ(file.getText("t", nullptr, 5), 1);
  int32_t untouched = 5;
  EXPECT_EQ(file.getInt("none", &untouched), 0);
  EXPECT_EQ(untouched, 5);
}

TEST_F(PropertyFileTest, ASaveThatFailsKeepsTheOldFileAndTheModifiedFlag) {
  QV_SKIP_UNLESS_FAILABLE("CreateFileA");
  for (const char* call : {"CreateFileA", "fopen", "fwrite", "fclose", "MoveFileExA"}) {
    SCOPED_TRACE(call);
    const int points = qvtest::forEachFailure(call, [&](int) {
      writeHost("f.ini", "Units=Old\r\n");
      qv::QvPropertyFile file;
      file.open(atDrive("P:\\f.ini").c_str(), kDefaults, 1);
      file.setValue("Units", std::string(5000, 'n').c_str(), 0);
      const bool bound = file.path()[0] != '\0'; // not when reading it failed
      if (file.save() == 1 && bound) {
        EXPECT_FALSE(file.isModified());
        EXPECT_TRUE(readHost("f.ini") == "Units=" + std::string(5000, 'n') + "\r\n");
      } else {
        EXPECT_TRUE(file.isModified());
        EXPECT_EQ(readHost("f.ini"), "Units=Old\r\n");
      }
      file.clear(0);
    });
    EXPECT_GE(points, 1);
  }
}

TEST_F(PropertyFileTest, AFileSurvivesAWriterKilledDuringSave) {
  QV_SKIP_WITHOUT_FORK();
  const std::string oldText = "Units=" + std::string(100000, 'o') + "\r\n";
  const std::string newText = "Units=" + std::string(100000, 'n') + "\r\n";
  writeHost("k.ini", oldText);
  const int killedEarly = qvtest::killDuringWrites(
      [&] {
        qv::QvPropertyFile file;
        file.open(atDrive("P:\\k.ini").c_str(), kDefaults, 1);
        file.setValue("Units", std::string(100000, 'n').c_str(), 0);
        file.save();
      },
      [&] {
        const std::string now = readHost("k.ini");
        EXPECT_TRUE(now == oldText || now == newText) << now.size() << " bytes";
      },
      20);
  EXPECT_GT(killedEarly, 0);
}

TEST_F(PropertyFileTest, CopiesToAndFromTheDrawing) {
  qv::QvPropertyFile file;
  file.open(nullptr, kDefaults, 3);
  file.setValue("Units", std::string(300, 'u').c_str(), 0);
  file.exportToDrawing("Opts\\Survey");
  char stored[16];
  qv::readStorageText("Opts\\Survey\\NAME", stored, sizeof stored, nullptr);
  EXPECT_STREQ(stored, "x");
  qv::removeStorageEntry("Opts\\Survey\\Last", nullptr);
  resbuf* number = acutNewRb(70); // an entry without a text
  number->resval.rint = 5;
  qv::writeStorageEntry("Opts\\Survey\\NAME", number, nullptr);
  acutRelRb(number);
  file.setValue("Units", "changed", 0);
  file.setValue("NAME", "kept", 0);
  file.setValue("Last", "kept too", 0);
  sim::takeCommandLine();
  file.importFromDrawing("Opts\\Survey");
  EXPECT_EQ(value(file, "Units"), std::string(300, 'u')) << "read whole";
  EXPECT_EQ(value(file, "NAME"), "kept");
  EXPECT_EQ(value(file, "Last"), "kept too");
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning 2: dictionary entry Opts\\Survey\\NAME not found"
                                    "\nWarning 1: dictionary entry Opts\\Survey\\Last not found");
  for (const char* call : {"AcDbDictionary::getAt", "AcDbDictionary::setAt", "AcDbXrecord::rbChain",
                           "AcDbXrecord::setFromRbChain", "acutNewRb", "acad_malloc"}) {
    SCOPED_TRACE(call);
    const int points = qvtest::forEachFailure(call, [&](int) {
      file.exportToDrawing("Sweep");
      file.importFromDrawing("Sweep");
      EXPECT_EQ(value(file, "Units").size(), 300u);
      sim::takeCommandLine();
    });
    EXPECT_GE(points, 1);
  }
}

TEST_F(PropertyFileTest, TheLineReaderTakesOneLinePerCall) {
  writeHost("lines.txt", "abcdef\r\n\r\nxy\r\nlast");
  FILE* in = _fsopen(atDrive("P:\\lines.txt").c_str(), "rt", _SH_DENYNO);
  ASSERT_NE(in, nullptr);
  char buffer[8];
  // The buffer's size, what is stored and the text.
  const std::tuple<int, int, const char*> reads[] = {{4, 3, "abc"}, {0, 0, "abc"},  {8, 0, ""},
                                                     {8, 2, "xy"},  {8, 4, "last"}, {8, 0, ""}};
  for (const auto& [size, stored, text] : reads) {
    EXPECT_EQ(qv::readLine(in, buffer, size), stored) << text;
    EXPECT_STREQ(buffer, text);
  }
  EXPECT_NE(feof(in), 0);
  fclose(in);
}

} // namespace

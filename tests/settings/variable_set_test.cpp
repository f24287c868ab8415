// Variable sets: every store in both directions, newest first, disabled entries, the capacity of
// texts, integers to AutoLISP by their range, extended data, and every failure on the way.
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/sim.h"
#include "records/drawing_storage.h"
#include "settings/settings.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class VariableSetTest : public qvtest::HostTest {
protected:
  VariableSetTest() : HostTest('V') {}
  // Entries, oldest first: count (int), ratio (real), big (long), label (text of 4, group g),
  // note (text of 8), off (disabled int).
  int32_t count = 7;
  double ratio = 2.5;
  long big = 70000;
  char label[4] = "ab";
  char note[8] = "note";
  int32_t off = 9;
  std::unique_ptr<qv::QvVariableSet> set; // on the test's drive, made in SetUp
  void SetUp() override {
    HostTest::SetUp();
    set = std::make_unique<qv::QvVariableSet>(atDrive("V:\\vars.txt").c_str(), "QVAPP", "Base");
  }
  void addAll() {
    set->addInteger("count", &count, nullptr);
    set->addReal("ratio", &ratio, nullptr);
    set->addInteger("big", &big, nullptr);
    set->addText("label", label, sizeof label, "g");
    set->addText("note", note, sizeof note, nullptr);
    set->addInteger("off", &off, nullptr);
    set->setDisabled("off", 1);
  }
  std::string values() const {
    return std::to_string(count) + " " + std::to_string(ratio) + " " + std::to_string(big) + " " +
           label + " " + note + " " + std::to_string(off);
  }
  // The type of a symbol's value, -1 for none.
  static int symbolType(const char* name) {
    resbuf* value = nullptr;
    acedGetSym(name, &value);
    const int type = value != nullptr ? value->restype : -1;
    acutRelRb(value);
    return type;
  }
  void scramble() {
    count = ratio = big = 0;
    off = 5; // disabled: no load reaches it
    std::strcpy(label, "zz");
    std::strcpy(note, "zz");
  }
};

TEST_F(VariableSetTest, TheFileIsWrittenNewestFirstAndReadByExactNames) {
  addAll();
  ASSERT_EQ(set->writeFile(), 1);
  EXPECT_EQ(readHost("vars.txt"),
            "note=note\r\nlabel=ab\r\nbig=70000\r\nratio=2.500000\r\ncount=7\r\n");
  writeHost("vars.txt", "label=abcdef\r\nnote=\r\ncount=\r\n==big=5=6\r\nCOUNT=3\r\noff=1\r\n"
                        "note=" +
                            std::string(219, 'x') + "ratio=9\r\n");
  ASSERT_EQ(set->readFile(), 1);
  // The long line is one line: its tail is not a line of its own setting ratio.
  EXPECT_EQ(values(), "7 2.500000 5 abc xxxxxxx 9");
  writeHost("vars.txt", "note=\r\nlabel\r\n");
  ASSERT_EQ(set->readFile(), 1);
  EXPECT_EQ(std::string(note) + "|" + label, "|");

  int32_t older = 1, newer = 2;
  qv::QvVariableSet twice(atDrive("V:\\twice.txt").c_str(), nullptr, nullptr);
  twice.addInteger("d", &older, nullptr);
  twice.addInteger("d", &newer, nullptr);
  char none[1] = {'k'};
  twice.addText("zero", none, 0, nullptr); // a capacity of 0 takes nothing
  EXPECT_EQ(twice.setDisabled("d", 1), 1);
  EXPECT_EQ(twice.setDisabled("D", 1), 0);
  writeHost("twice.txt", "d=5\r\nzero=abc\r\n");
  ASSERT_EQ(twice.readFile(), 1);
  EXPECT_EQ(older * 10 + newer, 52) << "only the newer is disabled";
  EXPECT_EQ(none[0], 'k');
  EXPECT_EQ(qv::QvVariableSet(nullptr, nullptr, nullptr).readFile(), 0);
  EXPECT_EQ(qv::QvVariableSet(atDrive("V:\\none.txt").c_str(), nullptr, nullptr).readFile(), 0);
  EXPECT_EQ(qv::QvVariableSet("", nullptr, nullptr).writeFile(), 0);
}

TEST_F(VariableSetTest, AFailedFileWriteOrReadKeepsWhatWasThere) {
  addAll();
  ASSERT_EQ(set->writeFile(), 1);
  const std::string written = readHost("vars.txt");
  QV_SKIP_UNLESS_FAILABLE("CreateFileA");
  for (const char* call : {"CreateFileA", "fopen", "fwrite", "fclose", "MoveFileExA", "fread"}) {
    SCOPED_TRACE(call);
    const int points = qvtest::forEachFailure(call, [&](int) {
      count = 7;
      writeHost("vars.txt", "count=1\r\n");
      const bool wrote = set->writeFile() == 1;
      EXPECT_EQ(readHost("vars.txt"), wrote ? written : "count=1\r\n");
      count = 0;
      if (set->readFile() == 1) {
        EXPECT_EQ(count, wrote ? 7 : 1);
      }
    });
    EXPECT_GE(points, 1);
  }
}

TEST_F(VariableSetTest, TheDrawingKeepsEachValueUnderItsPath) {
  addAll();
  EXPECT_EQ(set->saveToDrawing(), 1);
  char stored[32];
  const std::pair<const char*, const char*> paths[] = {
      {"Base\\count", "7"},     {"Base\\ratio", "2.500000"}, {"Base\\big", "70000"},
      {"Base\\g\\label", "ab"}, {"Base\\note", "note"},      {"Base\\off", ""}};
  for (const auto& [path, text] : paths) {
    qv::readStorageText(path, stored, sizeof stored, nullptr);
    EXPECT_STREQ(stored, text) << path;
  }
  scramble();
  note[0] = '\0';
  set->saveToDrawing(); // an empty text is not stored
  qv::writeStorageText("Base\\g\\label", "abcdef", nullptr);
  qv::removeStorageEntry("Base\\count", nullptr);
  sim::takeCommandLine();
  count = 42;
  EXPECT_EQ(set->loadFromDrawing(), 1);
  EXPECT_EQ(values(), "42 0.000000 0 abc note 5") << "a missing entry leaves its variable";
  EXPECT_EQ(sim::takeCommandLine(), "\nWarning 1: dictionary entry Base\\count not found");
  // A value far longer than a fixed text buffer is stored whole.
  ratio = 1e300;
  set->saveToDrawing();
  resbuf* whole = qv::readStorageEntry("Base\\ratio", nullptr);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(std::strlen(whole->resval.rstring), 301u + 7u);
  acutRelRb(whole);
  for (const char* call : {"AcDbDictionary::getAt", "AcDbDictionary::setAt", "AcDbXrecord::rbChain",
                           "AcDbXrecord::setFromRbChain", "acutNewRb", "acad_malloc"}) {
    SCOPED_TRACE(call);
    const std::string before = values();
    const int points = qvtest::forEachFailure(call, [&](int) {
      set->saveToDrawing();
      set->loadFromDrawing();
      EXPECT_EQ(values(), before) << "what a load finds is what was saved, or nothing";
      sim::takeCommandLine();
    });
    EXPECT_GE(points, 1);
  }
}

TEST_F(VariableSetTest, AutoLispSymbolsTakeIntegersByTheirRange) {
  addAll();
  count = -40000;
  std::strcpy(note, "1234567");
  EXPECT_EQ(set->saveToLisp(), 1);
  std::string types;
  for (const char* name : {"count", "big", "ratio", "label", "note", "off"}) {
    types += std::to_string(symbolType(name)) + " ";
  }
  EXPECT_EQ(types, "5010 5010 5001 5005 5005 -1 "); // RTLONG beyond 16 bits
  big = 12;
  set->saveToLisp();
  EXPECT_EQ(symbolType("big"), RTSHORT);
  scramble();
  EXPECT_EQ(set->loadFromLisp(), 1);
  EXPECT_EQ(values(), "-40000 2.500000 12 ab 1234567 5");
  // Texts are read whole, then cut; a missing symbol empties its variable.
  resbuf* text = acutBuildList(RTSTR, std::string(300, 'w').c_str(), RTNONE);
  acedPutSym("note", text);
  acutRelRb(text);
  resbuf* nil = acutNewRb(RTNIL);
  acedPutSym("label", nil);
  acutRelRb(nil);
  set->loadFromLisp();
  EXPECT_EQ(std::string(note) + "|" + label, "wwwwwww|");
  for (const char* call : {"acedGetSym", "acedPutSym", "acutNewRb", "acad_malloc"}) {
    SCOPED_TRACE(call);
    const int points = qvtest::forEachFailure(call, [&](int) {
      set->saveToLisp();
      set->loadFromLisp();
    });
    EXPECT_GE(points, 1);
    const bool told =
        sim::takeCommandLine().find("Unable to set AutoLisp variable\n") != std::string::npos;
    EXPECT_EQ(told, std::string(call) != "acedGetSym") << "a refused write is told";
  }
}

TEST_F(VariableSetTest, ExtendedDataIsBuiltWithinCapacityAndReadBack) {
  char filtered[8] = "f";
  int32_t global = 3;
  qv::QvVariableSet xd("", "QVAPP", "");
  xd.addText("a_filtered", filtered, sizeof filtered, nullptr);
  xd.addInteger("global_n", &global, nullptr);
  xd.addReal("other", &ratio, nullptr);
  resbuf items[6];
  std::memset(items, 0x55, sizeof items);
  EXPECT_EQ(xd.buildXdata(items, 3, 1, "filtered", 1), 0) << "two entries do not fit";
  EXPECT_EQ(items[2].rbnext, nullptr) << "the last item filled links to nothing";
  EXPECT_EQ(xd.buildXdata(items, 0, 1, nullptr, 1), 0);
  ASSERT_EQ(xd.buildXdata(items, 4, 1, "filtered", 1), 4);
  std::string built;
  for (const resbuf* item = items; item != nullptr; item = item->rbnext) {
    built += std::to_string(item->restype) + " ";
  }
  EXPECT_EQ(built, "-3 1001 1071 1000 ");
  EXPECT_STREQ(items[1].resval.rstring, "QVAPP");
  EXPECT_EQ(items[3].resval.rstring, filtered) << "the caller's own buffer";
  ASSERT_EQ(xd.buildXdata(items, 6, 0, nullptr, 0), 3);
  EXPECT_EQ(items[0].restype, 1040);
  xd.setDisabled("global_n", 1);
  ASSERT_EQ(xd.buildXdata(items, 6, 0, nullptr, 0), 2);
  EXPECT_EQ(items[1].restype, 1000);
  xd.enableAll();

  resbuf* list = acutBuildList(1001, "OTHER", 1001, "QVAPP", 1040, 7.5, 1070, 12, 1000,
                               "longer text", 1002, "{", RTNONE);
  const resbuf* rest = nullptr;
  ratio = global = 0;
  ASSERT_EQ(xd.loadFromXdata(list, 1, &rest), 1);
  EXPECT_EQ(std::to_string(ratio) + " " + std::to_string(global) + " " + filtered,
            "7.500000 12 longer ");
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->restype, 1002);
  // Without the application, the first items are taken: 1001 is no number, so they stay.
  EXPECT_EQ(xd.loadFromXdata(list, 0, nullptr), 1);
  EXPECT_EQ(std::to_string(ratio) + " " + std::to_string(global), "7.500000 12");
  EXPECT_EQ(xd.loadFromXdata(list->rbnext->rbnext->rbnext->rbnext, 0, nullptr), 0)
      << "items run out";
  EXPECT_EQ(xd.loadFromXdata(list->rbnext->rbnext, 1, nullptr), 0) << "no application";
  EXPECT_EQ(xd.loadFromXdata(nullptr, 0, nullptr), 0);
  acutRelRb(list);
}

TEST_F(VariableSetTest, ACopyHoldsTheSameEntriesInTheSameOrder) {
  addAll();
  qv::QvVariableSet copy(*set);
  EXPECT_STREQ(copy.application(), "QVAPP");
  EXPECT_STREQ(copy.dictionaryBase(), "Base");
  copy.writeFile(); // to the same path
  const std::string fromCopy = readHost("vars.txt");
  set->writeFile();
  EXPECT_EQ(fromCopy, readHost("vars.txt"));
}

} // namespace

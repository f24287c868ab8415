// Texts kept in the drawing and settings kept in the registry, from AutoLISP, with the host's
// and the registry's failures on the way.
#include <string>

#include "module_fixture.h"
#include "platform/win/sim_registry.h"
#include "records/drawing_storage.h"
#include "settings/settings_store.h"
#include "testing/failure_sweep.h"

namespace {

class StorageFunctionsTest : public qvtest::ModuleFunctionTest {
protected:
  // The settings key of this host, as the installer leaves it.
  static void installSettingsKey() {
    char path[qv::settingsKeyPathSize];
    qv::settingsKeyPath(path);
    ASSERT_TRUE(
        sim::loadRegistry("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(path) + "]\r\n").ok);
  }
};

TEST_F(StorageFunctionsTest, DrawingTextsAreKeptByKeyPath) {
  EXPECT_EQ(run("(cf:storagewrite \"Survey\\\\Job\" \"Highway 12\")"), "T");
  EXPECT_EQ(run("(cf:storageread \"survey\\\\JOB\")"), "\"Highway 12\"");
  EXPECT_EQ(run("(cf:storageread \"Survey\\\\None\")"), "nil");
  EXPECT_EQ(run("(cf:storageread \"Survey\")"), "nil"); // a folder holds no text
}

TEST_F(StorageFunctionsTest, ARefusedStoreAnswersNilAndKeepsTheOldText) {
  for (const char* call : {"AcDbXrecord::setFromRbChain", "AcDbDictionary::setAt",
                           "AcDbDictionary::getAt", "AcDbXrecord::rbChain"}) {
    // The store's own calls come first; the later ones read the text back.
    const int before = sim::callCount(call);
    qv::writeStorageText("Survey\\Job", "old", nullptr);
    const int storeCalls = sim::callCount(call) - before;
    acutRelRb(qv::readStorageEntry("Survey\\Job", nullptr));
    const int checkCalls = sim::callCount(call) - before - storeCalls;
    qvtest::forEachFailure(call, [&](int nth) {
      const std::string wrote = run("(cf:storagewrite \"Survey\\\\Job\" \"new\")");
      sim::clearFailures();
      const std::string kept = run("(cf:storageread \"Survey\\\\Job\")");
      const bool storeRefused = nth <= storeCalls;
      EXPECT_EQ(wrote, nth <= storeCalls + checkCalls ? "nil" : "T") << call << " " << nth;
      EXPECT_EQ(kept, storeRefused ? "\"old\"" : "\"new\"") << call << " " << nth;
      qv::writeStorageText("Survey\\Job", "old", nullptr);
    });
  }
}

TEST_F(StorageFunctionsTest, SettingsGoToTheFamilysRegistryKey) {
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the settings key is installed in the stand-in's registry");
  EXPECT_EQ(run("(cf:settingwrite \"LastJob\" \"Highway 12\")"), "nil"); // no key installed
  EXPECT_EQ(run("(cf:settingread \"LastJob\")"), "\"\"");
  installSettingsKey();
  EXPECT_EQ(run("(cf:settingwrite \"LastJob\" \"Highway 12\")"), "T");
  EXPECT_EQ(run("(cf:settingread \"lastjob\")"), "\"Highway 12\"");
  EXPECT_EQ(run("(cf:settingread \"LastJob\" 0)"), "\"\""); // the machine's key is another
  qvtest::forEachFailure("RegSetValueExA", [&](int nth) {
    const std::string wrote = run("(cf:settingwrite \"LastJob\" \"Road 7\")");
    EXPECT_EQ(wrote, nth == 1 ? "nil" : "T");
  });
}

} // namespace

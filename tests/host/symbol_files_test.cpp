// Symbol drawings by folder, index and support path, and the command associated with a file.
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "module_fixture.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/own_registry_root.h"
#include "testing/test_environment.h"

namespace {

class SymbolFilesTest : public qvtest::ModuleTest {
protected:
  SymbolFilesTest() : ModuleTest('C') {}
  void SetUp() override {
    ModuleTest::SetUp();
    for (const char* file : {"Psym/Tree.dwg", "Lib.v2/Mast.dwg", "Support/Pole.dwg"}) {
      writeHost(file, "x");
    }
    writeHost("User/symbols.dta",
              path("C:\\OTHER\\X.DWG") + "|MAST\\MAST.DWG is mentioned after the bar\n" +
                  path("C:\\OTHER\\Y.DWG") + "|" + std::string(1100, 'S') +
                  "\\MAST.DWG|read whole, no match\n" + path("C:\\LIB.V2\\MAST.DWG") + "|a mast\n");
    std::strcpy(qv::userFolder, atDrive("C:\\User\\").c_str());
    sim::evalLisp("(setq psname " + qvtest::lispString(atDrive("C:\\psym\\")) + ")");
    sim::setSysVarString("ACADPREFIX", atDrive("C:\\none") + ";" + atDrive("C:\\support"));
  }
  // A path of the cases on the test's drive, upper-cased as the symbol calls answer it.
  std::string path(const std::string& written) const {
    std::string upper = atDrive(written);
    for (char& c : upper) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
  }
};

TEST_F(SymbolFilesTest, FindsSymbolsInFolderIndexAndSupportPath) {
  const struct {
    const char* name;
    const char* found;
    std::vector<const char*> missing; // warned of, in order
  } cases[] = {
      {"tree", "C:\\PSYM\\TREE", {}},
      {"C:\\Psym\\Tree.dwg", "C:\\PSYM\\TREE", {}},
      {"mast", "C:\\LIB.V2\\MAST.DWG", {"C:\\PSYM\\MAST.DWG"}},
      {"pole", "C:\\SUPPORT\\POLE", {"C:\\PSYM\\POLE.DWG", "C:\\NONE\\POLE.DWG"}},
      {"C:\\none\\mast", "", {"C:\\NONE\\MAST.DWG", "C:\\NONE\\MAST.DWG", "C:\\NONE\\MAST.DWG"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string printed;
    for (const char* missing : c.missing) {
      printed += "\nWarning: Symbol '" + path(missing) + "' does not exist.\n";
    }
    char found[MAX_PATH] = "stale";
    qv::findSymbolFile(found, atDrive(c.name).c_str(), 0);
    EXPECT_EQ(found, path(c.found));
    EXPECT_EQ(sim::takeCommandLine(), printed);
    qv::findSymbolFile(found, atDrive(c.name).c_str(), 1);
    EXPECT_EQ(found, path(c.found));
    EXPECT_EQ(sim::takeCommandLine(), "");
  }
  qvtest::forEachFailure("fopen", [&](int) {
    char found[MAX_PATH];
    qv::findSymbolFile(found, "mast", 1);
    EXPECT_TRUE(found[0] == '\0' || found == path("C:\\LIB.V2\\MAST.DWG"));
  });
}

TEST_F(SymbolFilesTest, AssociatedCommandReadsTheClassesRoot) {
  [[maybe_unused]] const qvtest::OwnRegistryRoot classes(HKEY_CLASSES_ROOT);
  qvtest::setEnvironment("QV_TOOLS", "C:\\Tools");
  HKEY key = nullptr;
  const auto setDefault = [&](const char* path, DWORD type, const char* text) {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text))); // stored without its terminator
    RegCloseKey(key);
  };
  setDefault(".crd", REG_SZ, "Quorvane.Points");
  setDefault("Quorvane.Points\\shell\\open\\command", REG_EXPAND_SZ,
             "\"%QV_TOOLS%\\points.exe\" \"%1\"");
  setDefault(".txt", REG_SZ, "txtfile");
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\JOBS\\ROAD.CRD", "\"C:\\Tools\\points.exe\" \"%1\""},
      {"a.txt", ""},  // the type has no command
      {"x.dwg", ""},  // no such extension
      {"c", "stale"}, // no extension: a box, the output untouched
  };
  for (const auto& [file, expected] : cases) {
    SCOPED_TRACE(file);
    char command[256] = "stale";
    // Where Windows answers, the box is its own and would wait for a person.
    if (expected != std::string("stale") || !sim::windowsAnswers()) {
      qv::associatedCommand(file, command);
      EXPECT_STREQ(command, expected);
    }
  }
  if (!sim::windowsAnswers()) {
    EXPECT_EQ(sim::asked().back().prompt, "Unable to determine file extension");
  }
  for (const char* call : {"RegOpenKeyExA", "RegQueryValueExA", "ExpandEnvironmentStringsA"}) {
    qvtest::forEachFailure(call, [&](int) {
      char command[256] = "stale";
      qv::associatedCommand("road.crd", command);
      EXPECT_TRUE(command[0] == '\0' || std::string(command) == cases[0].second);
    });
  }
  qvtest::setEnvironment("QV_TOOLS", nullptr);
}

} // namespace

// Symbol drawings by folder, index and support path, and the command associated with a file.
#include <string>
#include <tuple>
#include <utility>

#include "module_fixture.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/test_environment.h"

namespace {

class SymbolFilesTest : public qvtest::ModuleTest {
protected:
  void SetUp() override {
    ModuleTest::SetUp();
    sim::mapDrive('C', tempDir().string());
    for (const char* file : {"Psym/Tree.dwg", "Lib.v2/Mast.dwg", "Support/Pole.dwg"}) {
      writeHost(file, "x");
    }
    writeHost("User/symbols.dta", "C:\\OTHER\\X.DWG|MAST\\MAST.DWG is mentioned after the bar\n"
                                  "C:\\OTHER\\Y.DWG|" +
                                      std::string(1100, 'S') +
                                      "\\MAST.DWG|read whole, no match\n"
                                      "C:\\LIB.V2\\MAST.DWG|a mast\n");
    std::strcpy(qv::userFolder, "C:\\User\\");
    sim::evalLisp("(setq psname \"C:\\\\psym\\\\\")");
    sim::setSysVarString("ACADPREFIX", "C:\\none;C:\\support");
  }
};

TEST_F(SymbolFilesTest, FindsSymbolsInFolderIndexAndSupportPath) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"tree", "C:\\PSYM\\TREE", ""},
      {"C:\\Psym\\Tree.dwg", "C:\\PSYM\\TREE", ""},
      {"mast", "C:\\LIB.V2\\MAST.DWG", "\nWarning: Symbol 'C:\\PSYM\\MAST.DWG' does not exist.\n"},
      {"pole", "C:\\SUPPORT\\POLE",
       "\nWarning: Symbol 'C:\\PSYM\\POLE.DWG' does not exist.\n"
       "\nWarning: Symbol 'C:\\NONE\\POLE.DWG' does not exist.\n"},
      {"C:\\none\\mast", "",
       "\nWarning: Symbol 'C:\\NONE\\MAST.DWG' does not exist.\n"
       "\nWarning: Symbol 'C:\\NONE\\MAST.DWG' does not exist.\n"
       "\nWarning: Symbol 'C:\\NONE\\MAST.DWG' does not exist.\n"},
  };
  for (const auto& [name, expected, printed] : cases) {
    SCOPED_TRACE(name);
    char found[MAX_PATH] = "stale";
    qv::findSymbolFile(found, name, 0);
    EXPECT_STREQ(found, expected);
    EXPECT_EQ(sim::takeCommandLine(), printed);
    qv::findSymbolFile(found, name, 1);
    EXPECT_STREQ(found, expected);
    EXPECT_EQ(sim::takeCommandLine(), "");
  }
  qvtest::forEachFailure("fopen", [&](int) {
    char found[MAX_PATH];
    qv::findSymbolFile(found, "mast", 1);
    EXPECT_TRUE(found[0] == '\0' || std::string(found) == "C:\\LIB.V2\\MAST.DWG");
  });
}

TEST_F(SymbolFilesTest, AssociatedCommandReadsTheClassesRoot) {
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
    qv::associatedCommand(file, command);
    EXPECT_STREQ(command, expected);
  }
  EXPECT_EQ(sim::asked().back().prompt, "Unable to determine file extension");
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

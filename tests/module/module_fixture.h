// Base fixture of the module's function tests: the module loaded in the stand-in host, and a
// helper that runs AutoLISP and tells what it answered and printed.
#pragma once

#include <cctype>
#include <string>

#include "host/module_fixture.h"
#include "platform/acad/sim_lisp.h"
#include "platform/win/windows.h"
#include "platform/win/winreg.h"
#include "testing/own_registry_root.h"

namespace qvtest {

class ModuleFunctionTest : public ModuleTest {
protected:
  void SetUp() override {
    ModuleTest::SetUp();
    ASSERT_TRUE(sim::loadModule(acrxEntryPoint));
    sim::takeCommandLine();
  }

  // The value of the AutoLISP text as prin1 prints it, then what the command line got, if
  // anything, after " | ".
  static std::string run(const std::string& lisp) {
    const std::string value = sim::evalLisp(lisp);
    const std::string printed = sim::takeCommandLine();
    return printed.empty() ? value : value + " | " + printed;
  }

  // text with each path on the fixture's drive (after useDrive: "T:\\x" or "t:/x" in AutoLISP
  // text, "T:\x" plain) rooted where onDrive roots it: unchanged on the stand-in, the folder's own
  // path where Windows answers. The root is written as the path after it is: in an AutoLISP
  // string (a doubled backslash or a slash after the colon) with its backslashes doubled, and in
  // capitals or small letters where the letter or the path's first name is.
  std::string rooted(const std::string& text) const {
    const std::string root = HostTest::onDrive("");
    const bool asWritten = root.size() <= 3; // the root is the drive itself
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      const bool path = i + 2 < text.size() && text[i + 1] == ':' &&
                        (text[i + 2] == '\\' || text[i + 2] == '/') &&
                        std::toupper(static_cast<unsigned char>(text[i])) ==
                            std::toupper(static_cast<unsigned char>(drive())) &&
                        (i == 0 || !std::isalnum(static_cast<unsigned char>(text[i - 1])));
      if (!path || asWritten) {
        out += text[i];
        continue;
      }
      const bool inLisp = text[i + 2] == '/' || (i + 3 < text.size() && text[i + 3] == '\\');
      size_t name = i + 2;
      while (name < text.size() && (text[name] == '\\' || text[name] == '/')) {
        ++name;
      }
      bool upper = false, lower = std::islower(static_cast<unsigned char>(text[i])) != 0;
      for (size_t k = name; k < text.size() && std::isalnum(static_cast<unsigned char>(text[k]));
           ++k) {
        upper = upper || std::isupper(static_cast<unsigned char>(text[k]));
        lower = lower || std::islower(static_cast<unsigned char>(text[k]));
      }
      for (size_t k = 0; k + 1 < root.size(); ++k) {
        const auto c = static_cast<unsigned char>(root[k]);
        out += static_cast<char>(lower ? c : (upper ? std::toupper(c) : c));
        if (c == '\\' && inLisp) {
          out += '\\';
        }
      }
      ++i; // the colon; the separator follows as written
    }
    return out;
  }

  // Writes a text value in the registry, the key made if missing: on the stand-in in the
  // session's registry; where Windows answers, under the keys of OwnRegistryRoot.
  static void putRegistryText(HKEY root, const std::string& key, const char* name,
                              const std::string& text) {
    HKEY made = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr),
        ERROR_SUCCESS)
        << key;
    if (name != nullptr) {
      EXPECT_EQ(RegSetValueExA(made, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>(text.size() + 1)),
                ERROR_SUCCESS);
    }
    RegCloseKey(made);
  }
};

} // namespace qvtest

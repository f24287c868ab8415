// The settings store: the key path, string values read and written per user or per machine,
// the installation folder, and every registry failure on the way.
#include <cstring>
#include <string>
#include <tuple>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "settings/settings.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

const std::string keyPath = "Software\\Maradel Software\\Quorvane\\2007\\400-12345678";
const std::string header = "REGEDIT4\r\n\r\n";
const std::string shortUserKey = "HKEY_CURRENT_USER\\Software\\Maradel Software\\Quorvane\\2007";

std::string section(const char* root) {
  return "[" + std::string(root) + "\\" + keyPath + "]\r\n";
}

class SettingsStoreTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS("the settings keys are seeded in, and read back from, the "
                                  "stand-in's registry");
  }
  // Both settings keys, as an installer leaves them, plus the lines given for the machine's key.
  void install(const std::string& machineValues = "") {
    const sim::RegistryLoad loaded = sim::loadRegistry(
        header + section("HKEY_CURRENT_USER") + "\"Who\"=\"user\"\r\n" +
        section("HKEY_LOCAL_MACHINE") + "\"Who\"=\"machine\"\r\n" + machineValues);
    ASSERT_TRUE(loaded.ok);
    ASSERT_TRUE(loaded.problems.empty()) << loaded.problems.front();
  }
  static std::string read(const char* name, int perUser) {
    char text[qv::settingTextSize];
    std::memset(text, 'x', sizeof text);
    return qv::readSettingString(name, text, perUser);
  }
  // A REG_SZ of that many letters, with or without its terminator, as a .reg file gives it.
  static std::string hexText(size_t letters, bool terminated) {
    std::string hex = "hex(1):";
    for (size_t i = 0; i < letters; ++i) {
      hex += i == 0 ? "61" : ",61";
    }
    return hex + (terminated ? ",00" : "");
  }
};

TEST_F(SettingsStoreTest, TheKeyPathNamesReleaseAndInstallationOrIsShortened) {
  char path[qv::settingsKeyPathSize];
  EXPECT_EQ(qv::settingsKeyPath(path), 1);
  EXPECT_EQ(std::string(path), keyPath);
  const std::string shortened = "Software\\Maradel Software\\Quorvane\\2007\\";
  sim::failCall("acedGetVar");
  EXPECT_EQ(qv::settingsKeyPath(path), 1);
  EXPECT_EQ(std::string(path), shortened);
  // An identifier too long for the path counts as none, rather than a cut one naming another key.
  sim::setSysVarString("*_PKSER", std::string(300, '9'));
  EXPECT_EQ(qv::settingsKeyPath(path), 1);
  EXPECT_EQ(std::string(path), shortened);
  sim::removeSysVar("*_PKSER");
  EXPECT_EQ(qv::settingsKeyPath(path), 1);
  EXPECT_EQ(std::string(path), shortened);
  // Values are then read and written under the shortened key.
  ASSERT_TRUE(sim::loadRegistry(header + "[" + shortUserKey + "]\r\n\"A\"=\"short\"\r\n").ok);
  EXPECT_EQ(read("A", 1), "short");
  EXPECT_EQ(qv::writeSettingString("B", "new", 1), ERROR_SUCCESS);
  EXPECT_EQ(read("B", 1), "new");
}

TEST_F(SettingsStoreTest, InstallPathPrefersTheReleaseValue) {
  // A label, the values of the machine's key, the path found.
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"both", "\"PATH_R15\"=\"C:\\\\R15\\\\\"\r\n\"PATH\"=\"C:\\\\Old\"\r\n", "C:\\R15\\"},
      {"names in another case", "\"path\"=\"C:\\\\Old\"\r\n\"path_r15\"=\"C:\\\\R15\"\r\n",
       "C:\\R15"},
      {"only PATH", "\"PATH\"=\"C:\\\\Old\"\r\n", "C:\\Old"},
      {"release value not a text", "\"PATH_R15\"=dword:00000001\r\n\"PATH\"=\"C:\\\\Old\"\r\n", ""},
      {"release value an expand text", "\"PATH_R15\"=hex(2):43,3a,00\r\n\"PATH\"=\"C:\\\\Old\"\r\n",
       ""},
      {"neither", "", ""},
      {"release value too long for the buffer",
       "\"PATH_R15\"=" + hexText(260, true) + "\r\n\"PATH\"=\"C:\\\\Old\"\r\n", "C:\\Old"},
      {"longest that fits", "\"PATH_R15\"=" + hexText(259, true) + "\r\n", std::string(259, 'a')},
      {"filling the buffer without a terminator", "\"PATH_R15\"=" + hexText(260, false) + "\r\n",
       ""},
      {"stored without a terminator", "\"PATH_R15\"=hex(1):43,3a\r\n", "C:"},
      {"empty", "\"PATH_R15\"=\"\"\r\n\"PATH\"=\"C:\\\\Old\"\r\n", ""},
  };
  for (const auto& [label, values, expected] : cases) {
    sim::reset();
    install(values);
    EXPECT_EQ(std::string(qv::installPath()), expected) << label;
    EXPECT_EQ(sim::openKeys(), 0) << label;
  }
  sim::reset();
  ASSERT_TRUE(
      sim::loadRegistry(header + section("HKEY_CURRENT_USER") + "\"PATH\"=\"C:\\\\U\"\r\n").ok);
  EXPECT_EQ(std::string(qv::installPath()), "") << "the machine's key only";
}

TEST_F(SettingsStoreTest, ReadTakesTheRootFromTheFlagAndRefusesTooLongValues) {
  // A label, the values of the machine's key, the name read, the per-user flag, the text read.
  const std::tuple<const char*, std::string, const char*, int, std::string> cases[] = {
      {"per user", "", "Who", 1, "user"},
      {"per machine", "", "Who", 0, "machine"},
      {"any non-zero flag", "", "who", -3, "user"},
      {"missing value", "", "Nothing", 0, ""},
      {"longest that fits", "\"V\"=" + hexText(254, true) + "\r\n", "V", 0, std::string(254, 'a')},
      {"255 characters", "\"V\"=" + hexText(255, true) + "\r\n", "V", 0, ""},
      {"filling the buffer without a terminator", "\"V\"=" + hexText(255, false) + "\r\n", "V", 0,
       ""},
      {"stored without a terminator", "\"V\"=hex(1):61,62,63\r\n", "V", 0, "abc"},
  };
  for (const auto& [label, values, name, perUser, expected] : cases) {
    sim::reset();
    install(values);
    EXPECT_EQ(read(name, perUser), expected) << label;
  }
  sim::reset();
  EXPECT_EQ(read("Who", 0), "") << "no key";
  EXPECT_EQ(qv::readSettingString("Who", nullptr, 0), nullptr);
}

TEST_F(SettingsStoreTest, WritesStoreATerminatedTextAndNeverMakeTheKey) {
  install();
  EXPECT_EQ(qv::writeSettingString("Last", "C:\\Jobs", 1), ERROR_SUCCESS);
  EXPECT_EQ(qv::writeSettingString("Last", "D:\\Work", 0), ERROR_SUCCESS);
  EXPECT_EQ(read("Last", 1), "C:\\Jobs");
  EXPECT_EQ(read("Last", 0), "D:\\Work");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Last", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 8u);
  RegCloseKey(key);

  sim::reset();
  EXPECT_EQ(qv::writeSettingString("Last", "C:\\Jobs", 1), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(qv::writeSettingString("Last", "C:\\Jobs", 0), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(sim::exportRegistry("HKEY_CURRENT_USER\\Software"), "");
  EXPECT_EQ(sim::exportRegistry("HKEY_LOCAL_MACHINE\\Software"), "");
  install();
  EXPECT_EQ(qv::writeSettingString("Last", nullptr, 1), ERROR_INVALID_PARAMETER);
}

TEST_F(SettingsStoreTest, AFailedStoreOrCloseIsReported) {
  install();
  sim::failCall("RegSetValueExA");
  EXPECT_NE(qv::writeSettingString("Last", "x", 1), ERROR_SUCCESS);
  EXPECT_EQ(read("Last", 1), "");
  sim::failCall("RegCloseKey");
  EXPECT_NE(qv::writeSettingString("Last", "y", 1), ERROR_SUCCESS);
  EXPECT_EQ(read("Last", 1), "y");
}

TEST_F(SettingsStoreTest, EveryRegistryFailureGivesTheFailureResultAndLeavesNoKeyOpen) {
  for (const char* call :
       {"RegOpenKeyExA", "RegQueryValueExA", "RegSetValueExA", "RegCloseKey", "acedGetVar"}) {
    SCOPED_TRACE(call);
    install("\"PATH_R15\"=\"C:\\\\R15\"\r\n\"PATH\"=\"C:\\\\Old\"\r\n");
    qvtest::forEachFailure(call, [&](int nth) {
      SCOPED_TRACE(nth);
      const std::string path = qv::installPath();
      EXPECT_TRUE(path == "C:\\R15" || path == "C:\\Old" || path.empty()) << path;
      const std::string text = read("Who", 0);
      EXPECT_TRUE(text == "machine" || text.empty()) << text;
      const LONG written = qv::writeSettingString("Who", "changed", 1);
      sim::clearFailures();
      const std::string after = read("Who", 1);
      // Without the installation identifier the write goes to the shortened key, the parent.
      const bool inParent =
          sim::exportRegistry(shortUserKey, false).find("\"Who\"=\"changed\"") != std::string::npos;
      if (written == ERROR_SUCCESS) {
        EXPECT_TRUE(after == "changed" || (inParent && std::string(call) == "acedGetVar")) << after;
      } else {
        // A failure before the store leaves the old value; a failed close comes after it.
        EXPECT_TRUE(after == "user" || (after == "changed" && std::string(call) == "RegCloseKey"))
            << after;
      }
      ASSERT_TRUE(sim::loadRegistry(header + section("HKEY_CURRENT_USER") +
                                    "\"Who\"=\"user\"\r\n[" + shortUserKey + "]\r\n\"Who\"=-\r\n")
                      .ok);
      EXPECT_EQ(sim::openKeys(), 0);
    });
  }
}

} // namespace

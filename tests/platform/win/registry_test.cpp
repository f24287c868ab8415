// The registry calls: opening and creating keys, typed values, sizes as Windows answers them,
// case-blind names, access rights, handles counted until closed, failures on purpose.
#include <cstring>
#include <gtest/gtest-spi.h>
#include <string>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class RegistryTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS(
        "the registry is the user's own, not the stand-in's of each test");
    ASSERT_TRUE(sim::loadRegistry("REGEDIT4\r\n\r\n"
                                  "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product]\r\n"
                                  "\"Text\"=\"hello\"\r\n"
                                  "\"Count\"=dword:0000002a\r\n"
                                  "\"Raw\"=hex:01,02,03\r\n"
                                  "\"Bare\"=hex(1):61,62\r\n"
                                  "@=\"default\"\r\n")
                    .ok);
  }
  HKEY open(const char* path, REGSAM access = KEY_READ) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, &key), ERROR_SUCCESS) << path;
    return key;
  }
};

TEST_F(RegistryTest, OpenFindsKeysWithoutRegardToCaseAndCountsTheHandlesItMakes) {
  HKEY key = open("SOFTWARE\\vendor\\PRODUCT");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(sim::openKeys(), 1);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(sim::openKeys(), 0);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  // A predefined root opened as itself is that same handle, not counted.
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(key, HKEY_CURRENT_USER);
  EXPECT_EQ(sim::openKeys(), 0);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, OpenAnswersWindowsCodesForBadRequests) {
  struct Case {
    HKEY root;
    const char* path;
    LONG expected;
  } cases[] = {
      {HKEY_LOCAL_MACHINE, "Software\\Vendor\\Missing", ERROR_FILE_NOT_FOUND},
      {HKEY_CURRENT_USER, "Software\\Vendor\\Product", ERROR_FILE_NOT_FOUND},
      {HKEY_LOCAL_MACHINE, "\\Software", ERROR_BAD_PATHNAME},
      {HKEY_LOCAL_MACHINE, "Software\\\\Vendor", ERROR_BAD_PATHNAME},
      {reinterpret_cast<HKEY>(0x4321), "Software", ERROR_INVALID_HANDLE},
      {nullptr, "Software", ERROR_INVALID_HANDLE},
  };
  for (const Case& c : cases) {
    HKEY key = reinterpret_cast<HKEY>(0x1);
    EXPECT_EQ(RegOpenKeyExA(c.root, c.path, 0, KEY_READ, &key), c.expected) << c.path;
    EXPECT_EQ(key, nullptr) << c.path;
  }
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(sim::openKeys(), 0);
}

TEST_F(RegistryTest, QueryAnswersTypeSizeAndDataAsWindowsDoes) {
  HKEY key = open("Software\\Vendor\\Product");
  struct Case {
    const char* name;
    DWORD type;
    std::string data;
  } cases[] = {
      {"Text", REG_SZ, std::string("hello", 6)},
      {"COUNT", REG_DWORD, std::string("\x2a\0\0\0", 4)},
      {"raw", REG_BINARY, "\x01\x02\x03"},
      {"Bare", REG_SZ, "ab"}, // stored without a terminator: none is added
      {nullptr, REG_SZ, std::string("default", 8)},
      {"", REG_SZ, std::string("default", 8)},
  };
  for (const Case& c : cases) {
    const std::string label = c.name ? c.name : "(null)";
    DWORD type = 99, size = 0;
    // A null data pointer asks for the size.
    EXPECT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, c.data.size()) << label;
    EXPECT_EQ(type, c.type) << label;
    // One byte short: ERROR_MORE_DATA with the size needed, the type still told.
    if (!c.data.empty()) {
      BYTE small[16] = {};
      size = static_cast<DWORD>(c.data.size() - 1);
      type = 99;
      EXPECT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, small, &size), ERROR_MORE_DATA);
      EXPECT_EQ(size, c.data.size()) << label;
      EXPECT_EQ(type, c.type) << label;
    }
    BYTE buffer[32];
    std::memset(buffer, 0x55, sizeof buffer);
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(key, c.name, nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
    ASSERT_EQ(size, c.data.size()) << label;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), c.data) << label;
    EXPECT_EQ(buffer[size], 0x55) << label << ": nothing written past the data";
  }
  DWORD size = 8;
  BYTE buffer[8];
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, buffer, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, buffer, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, AccessRightsOfTheHandleAreHeld) {
  HKEY readOnly = open("Software\\Vendor\\Product", KEY_READ);
  const BYTE text[] = "x";
  EXPECT_EQ(RegSetValueExA(readOnly, "New", 0, REG_SZ, text, 2), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(readOnly, "Text"), ERROR_ACCESS_DENIED);
  HKEY writeOnly = open("Software\\Vendor\\Product", KEY_WRITE);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(writeOnly, "Text", nullptr, nullptr, nullptr, &size),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegSetValueExA(writeOnly, "New", 0, REG_SZ, text, 2), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(readOnly, "NEW", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 2u);
  EXPECT_EQ(RegSetValueExA(writeOnly, "New", 0, REG_SZ, nullptr, 2), ERROR_NOACCESS);
  EXPECT_EQ(RegCloseKey(readOnly), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(writeOnly), ERROR_SUCCESS);
}

TEST_F(RegistryTest, SetReplacesTypeAndDataAndDeleteValueRemovesIt) {
  HKEY key = open("Software\\Vendor\\Product", KEY_ALL_ACCESS);
  const DWORD number = 7;
  EXPECT_EQ(RegSetValueExA(key, "text", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_SUCCESS);
  DWORD type = 0, value = 0, size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 7u);
  EXPECT_EQ(RegDeleteValueA(key, "TEXT"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "Text"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, CreateMakesTheMissingKeysAndTellsWhich) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\New\\Deep", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\new\\deep", 0, nullptr, 0, KEY_READ,
                            nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  // A handle without the right to create subkeys cannot make one.
  HKEY child = nullptr;
  EXPECT_EQ(RegCreateKeyExA(key, "Child", 0, nullptr, 0, KEY_READ, nullptr, &child, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_NE(sim::exportRegistry("HKEY_CURRENT_USER\\Software\\New\\Deep"), "");
}

TEST_F(RegistryTest, DeleteKeyTakesOnlyLeavesAndOpenHandlesSeeItGone) {
  HKEY leaf = open("Software\\Vendor\\Product");
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Vendor"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\vendor\\product"), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(leaf, "Text", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(leaf), ERROR_SUCCESS);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Product", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, AKeyLeftOpenFailsTheCleanHostCheck) {
  HKEY key = open("Software\\Vendor");
  EXPECT_NONFATAL_FAILURE(qvtest::expectCleanHost(), "registry keys left open");
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, AResetEmptiesTheRegistryAndForgetsItsHandles) {
  HKEY key = open("Software\\Vendor");
  sim::reset();
  EXPECT_EQ(sim::openKeys(), 0);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vendor", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, EveryCallFailsOnPurposeWithoutDoingItsWork) {
  const BYTE text[] = "x";
  int reached = qvtest::forEachFailure("RegOpenKeyExA", [&](int) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vendor", 0, KEY_READ, &key) == ERROR_SUCCESS) {
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    } else {
      EXPECT_EQ(key, nullptr);
    }
  });
  EXPECT_EQ(reached, 1);
  HKEY key = open("Software\\Vendor\\Product", KEY_ALL_ACCESS);
  sim::failCall("RegSetValueExA");
  EXPECT_EQ(RegSetValueExA(key, "Failed", 0, REG_SZ, text, 2), ERROR_ACCESS_DENIED);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Failed", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  sim::failCall("RegQueryValueExA");
  EXPECT_NE(RegQueryValueExA(key, "Text", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  sim::failCall("RegDeleteValueA");
  EXPECT_NE(RegDeleteValueA(key, "Text"), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  sim::failCall("RegCreateKeyExA");
  HKEY child = nullptr;
  EXPECT_NE(RegCreateKeyExA(key, "Child", 0, nullptr, 0, KEY_READ, nullptr, &child, nullptr),
            ERROR_SUCCESS);
  sim::failCall("RegDeleteKeyA");
  EXPECT_NE(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Product"), ERROR_SUCCESS);
  EXPECT_EQ(sim::exportRegistry("HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product\\Child"), "");
  // A failed close still gives the handle up.
  sim::failCall("RegCloseKey");
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(sim::openKeys(), 0);
}

} // namespace

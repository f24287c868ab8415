// OwnRegistryRoot: a predefined registry key of the test's own while it lives.
#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "platform/win/windows.h"
#include "platform/win/winreg.h"

namespace qvtest {

#ifdef _WIN32
// Where Windows answers, a predefined key of the process (HKEY_CURRENT_USER, HKEY_CLASSES_ROOT,
// ...) is a key of the test's own while one lives, so that the user's settings are neither read
// nor changed.
class OwnRegistryRoot {
public:
  explicit OwnRegistryRoot(HKEY predefined)
      : predefined_(predefined),
        name_("Software\\QuorvaneTestRoot-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(reinterpret_cast<uintptr_t>(predefined))) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(predefined_, key), ERROR_SUCCESS);
    RegCloseKey(key); // the override holds a copy
  }
  ~OwnRegistryRoot() {
    RegOverridePredefKey(predefined_, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
  }
  OwnRegistryRoot(const OwnRegistryRoot&) = delete;
  OwnRegistryRoot& operator=(const OwnRegistryRoot&) = delete;

private:
  HKEY predefined_;
  std::string name_;
};
#else
struct OwnRegistryRoot { // the stand-in's registry is the session's own
  explicit OwnRegistryRoot(HKEY) {}
};
#endif

} // namespace qvtest

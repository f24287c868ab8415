// Environment settings for a test, the same way on every platform.
#pragma once

#include <cstdlib>

namespace qvtest {

// Sets name to value in the process's environment; a null value removes the setting.
inline void setEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value != nullptr ? value : ""); // an empty value removes it
#else
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
#endif
}

} // namespace qvtest

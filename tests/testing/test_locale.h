// A non-C date locale for tests: "qv_de" (dd.MM.yyyy, German names in Latin-1), built from
// tests/data/locales/qv_de with the C library's localedef into a test's own folder.
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qvtest {

// Builds qv_de in folder and makes it the LC_TIME locale. False when localedef or the character
// map is missing (the caller skips its test then).
inline bool useGermanDateLocale(const std::filesystem::path& folder) {
#ifdef _WIN32
  // On Windows the date layout is the user's own setting, which a test does not change.
  (void)folder;
  return false;
#else
  const std::string source = std::string(QV_TEST_DATA_DIR) + "/locales/qv_de";
  const std::string command = "localedef -c -i '" + source + "' -f ISO-8859-1 '" +
                              (folder / "qv_de").string() + "' >/dev/null 2>&1";
  // localedef answers 1 for its warnings about the categories the file leaves out.
  const int status = std::system(command.c_str());
  (void)status;
  setenv("LOCPATH", folder.c_str(), 1);
  return std::setlocale(LC_TIME, "qv_de") != nullptr;
#endif
}

// Goes back to the C locale for LC_TIME and forgets the test's locale folder.
inline void useCDateLocale() {
  std::setlocale(LC_TIME, "C");
#ifndef _WIN32
  unsetenv("LOCPATH");
#endif
}

} // namespace qvtest

// File names as texts: parts, 8.3 names, forbidden characters and resolvePath's rules.
#include <cstring>
#include <tuple>
#include <utility>

#include "host/file_names.h"
#include "testing/host_test.h"

namespace {

using FileNamesTest = qvtest::HostTest;

TEST_F(FileNamesTest, PartsOfAPath) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"C:\\JOBS\\ROAD.CRD", "CRD", "ROAD.CRD", "C:\\JOBS\\"},
      {"C:\\JOBS.2024\\SITE", "", "SITE", "C:\\JOBS.2024\\"},
      {"c:/a/b.tar.gz", "gz", "b.tar.gz", "c:/a/"},
      {"README", "", "README", ""},
      {"", "", "", ""},
      {"C:\\JOBS\\", "", "", "C:\\JOBS\\"},
  };
  for (const auto& [path, extension, name, folder] : cases) {
    SCOPED_TRACE(path);
    char out[64];
    qv::fileExtension(path, out);
    EXPECT_STREQ(out, extension);
    qv::fileNamePart(path, out);
    EXPECT_STREQ(out, name);
    qv::folderPart(path, out);
    EXPECT_STREQ(out, folder);
  }
  char small[5];
  qv::fileNamePart("C:\\LONGNAME.TXT", small);
  EXPECT_STREQ(small, "LONG");
}

TEST_F(FileNamesTest, ShortNamesAndForbiddenCharacters) {
  const std::pair<const char*, int> shortNames[] = {
      {"FILE.TXT", 1},      {"LONGFILENAME.TXT", 0}, {"A.B.C", 0},
      {"README", 1},        {"READMEFIRST", 0},      {"C:\\LONG DIR\\A~1.B", 1},
      {"ABCDEFGH.TXTX", 0}, {"AB CD.TXT", 0},        {"", 0},
      {"$%@-#^_~.XY", 1},   {"ABCDEFGHI.T", 0},      {"$%@-#^_~", 1},
  };
  for (const auto& [name, expected] : shortNames) {
    EXPECT_EQ(qv::isShortFileName(name), expected) << name;
  }
  const std::tuple<const char*, int, const char*, int, const char*> cases[] = {
      {"", 1, "", 0, ""},       {"a:b", 1, "a:b", 1, "a_b"},
      {"ab", 0, "ab", 1, "ab"}, {"  site 1 \t", 0, "site 1", 1, "site 1"},
      {" \t ", 1, "", 0, ""},   {"<>/\\\":?|,=`~*", 1, "<>/\\\":?|,=`~*", 1, "_____________"},
  };
  for (const auto& [given, forbidden, trimmedName, replaced, replacedName] : cases) {
    SCOPED_TRACE(given);
    char name[32];
    std::strcpy(name, given);
    EXPECT_EQ(qv::hasForbiddenChars(name), forbidden);
    EXPECT_STREQ(name, trimmedName);
    std::strcpy(name, given);
    EXPECT_EQ(qv::replaceForbiddenChars(name), replaced);
    EXPECT_STREQ(name, replacedName);
  }
  char slashes[] = "c:/a/b\\c";
  EXPECT_EQ(qv::slashesToBackslashes(slashes), 8u);
  EXPECT_STREQ(slashes, "c:\\a\\b\\c");
}

TEST_F(FileNamesTest, ResolvePathRules) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"C", "X\\", "X\\"},
      {"C:\\A", "D:", "D:"},
      {"C:\\A", "D:\\Y\\", "D:\\Y\\"},
      {"C:\\A", "\\\\srv\\share\\", "\\\\srv\\share"},
      {"C:\\A\\B", "\\X\\", "C:\\X"},
      {"\\\\srv\\share\\jobs", "\\X", "\\\\srv\\share\\X"},
      {"\\\\srv\\share", "\\X", "\\\\srv\\share\\X"},
      {"\\\\srv", "\\X", "\\\\srv\\X"},
      {"C:\\A\\B\\", "..\\X", "C:\\A\\\\X"},
      {"C:\\A\\B", "..\\X", "C:\\A\\\\X"},
      {"C:A", "..\\X", "C:\\X"},
      {"AB", "..\\X", "\\X"},
      {"C:\\A\\B\\", ".\\X", "C:\\A\\B\\\\X"},
      {"C:\\A\\B", ".\\X", "C:\\A\\B\\\\X"},
      {" C:\\A ", "X\\", "C:\\A\\X"},
      {"C:\\A\\", "X", "C:\\A\\X"},
      {"C:\\A", "", "C:\\A"},
  };
  for (const auto& [base, relative, result] : cases) {
    char out[64] = "unchanged";
    qv::resolvePath(base, relative, out);
    EXPECT_STREQ(out, result) << base << " + " << relative;
  }
}

} // namespace

// The translation table and its file: markers, ordering and duplicates, keys, escapes, files from
// Windows, and hostile files (long lines, garbage, no file at all).
#include "text/translation.h"

#include <fstream>
#include <string>

#include "platform/sim.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

class TranslationTest : public qvtest::HostTest {
protected:
  void TearDown() override {
    qv::UnloadTranslations();
    HostTest::TearDown();
  }

  // Writes the bytes as they are (no text-mode translation) and returns the file's path.
  std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string translate(const char* text, const char* marker = nullptr) {
    return qv::Translate(text, marker);
  }
};

// The entry with the asked marker, else the one without; the first of duplicates; keys read
// without case, values unescaped; lines before any ORIGINAL or without "=" ignored.
TEST_F(TranslationTest, ChoosesTheFirstEntryByMarkerAndUnescapesValues) {
  const std::string path = writeFile("tr.txt", "marker=before any original\n"
                                               "translation=ignored too\n"
                                               "ORIGINAL=Open\nMARKER=M1\nTRANSLATION=Ouvrir (M1)\n"
                                               "ORIGINAL=Open\nTRANSLATION=Ouvrir\n"
                                               "ORIGINAL=Open\nTRANSLATION=second\n"
                                               "ORIGINAL=Open\nMARKER=M1\nTRANSLATION=second\n"
                                               "original=Line\\none\\ttab\n"
                                               "Marker=x=y\n"
                                               "Translation=Ligne\\nun\\\\\n"
                                               "COMMENT=ignored\n"
                                               "no equals sign here\n"
                                               "ORIGINAL=Empty\n"
                                               "TRANSLATION=\n");
  ASSERT_EQ(qv::LoadTranslations(path.c_str()), 1);
  const char* cases[][3] = {{"Open", "M1", "Ouvrir (M1)"},
                            {"Open", nullptr, "Ouvrir"},
                            {"Open", "M2", "Open"},
                            {"open", nullptr, "open"},
                            {"Line\none\ttab", "x=y", "Ligne\nun\\"},
                            {"Empty", nullptr, "Empty"}};
  for (const auto& c : cases) {
    EXPECT_EQ(translate(c[0], c[1]), c[2]) << c[0];
  }
  const char* unknown = "Close";
  EXPECT_EQ(qv::Translate(unknown, nullptr), unknown);
  EXPECT_EQ(qv::Translate(nullptr, nullptr), nullptr);
  // Loading again adds nothing new: every entry is a duplicate.
  const int64_t blocks = sim::liveBlocks();
  ASSERT_EQ(qv::LoadTranslations(path.c_str()), 1);
  EXPECT_EQ(sim::liveBlocks(), blocks);
  // A file that cannot be opened leaves the table; unloading empties it.
  EXPECT_EQ(qv::LoadTranslations(tempPath("missing.txt").c_str()), 0);
  EXPECT_EQ(qv::LoadTranslations(nullptr), 0);
  EXPECT_EQ(translate("Open"), "Ouvrir");
  qv::UnloadTranslations();
  EXPECT_EQ(sim::liveBlocks(), 0);
  EXPECT_EQ(translate("Open"), "Open");
}

TEST_F(TranslationTest, ReadsFilesFromWindowsThroughMappedDrivesAndCutsLongLines) {
  writeFile("WIN.TXT", "ORIGINAL=Yes\r\nTRANSLATION=Oui\r\nORIGINAL=No\rTRANSLATION=Non\r\n");
  useDrive('T');
  ASSERT_EQ(qv::LoadTranslations(onDrive("win.txt").c_str()), 1);
  EXPECT_EQ(translate("Yes"), "Oui");
  // A lone carriage return is not a line end: that line's key is "ORIGINAL" with a value holding
  // it.
  EXPECT_EQ(translate("No"), "No");
  EXPECT_EQ(sim::openFiles(), 0);
  const std::string longValue(300, 'v');
  const std::string path =
      writeFile("long.txt", "ORIGINAL=Long\nTRANSLATION=" + longValue +
                                "ORIGINAL=Injected\n"                  // still the long line
                                "ORIGINAL=Next\nTRANSLATION=Suivant\n" // lines after it read well
                                "ORIGINAL=" +
                                std::string(100000, 'k') + "\nTRANSLATION=huge\n");
  ASSERT_EQ(qv::LoadTranslations(path.c_str()), 1);
  EXPECT_EQ(translate("Long"), longValue.substr(0, 254 - 12));
  EXPECT_EQ(translate("Injected"), "Injected");
  EXPECT_EQ(translate("Next"), "Suivant");
  const std::string keptKey(254 - 9, 'k');
  EXPECT_EQ(translate(keptKey.c_str()), "huge");
}

TEST_F(TranslationTest, SurvivesGarbage) {
  std::string garbage;
  for (int i = 0; i < 20000; ++i) {
    // Every byte but NUL and Ctrl-Z (which ends what text mode reads, as on Windows).
    const char c = static_cast<char>((i * 7919) % 255 + 1);
    garbage += c == '\x1A' ? 'x' : c;
  }
  garbage += "\nORIGINAL=\\\nTRANSLATION=\\\\\\\nORIGINAL\nMARKER\n=\n==\nORIGINAL=\n";
  const std::string path = writeFile("garbage.txt", garbage);
  ASSERT_EQ(qv::LoadTranslations(path.c_str()), 1);
  EXPECT_EQ(translate("\\"), "\\\\");
  EXPECT_EQ(translate(""), "");
  std::string withNul("ORIGINAL=a\0b\nTRANSLATION=c\n", 27);
  ASSERT_EQ(qv::LoadTranslations(writeFile("zero.txt", withNul).c_str()), 1);
  EXPECT_EQ(translate("a"), "c");
}

TEST_F(TranslationTest, DropsEntriesThatMemoryRanOutFor) {
  const std::string path = writeFile("oom.txt", "ORIGINAL=One\nMARKER=m\nTRANSLATION=Un\n"
                                                "ORIGINAL=Two\nTRANSLATION=Deux\n");
  // An entry that memory ran out for is dropped whole: a text is translated or left as it is.
  const int points = qvtest::forEachFailure("acad_malloc", [&](int) {
    qv::LoadTranslations(path.c_str());
    const std::string one = translate("One", "m");
    EXPECT_TRUE(one == "One" || one == "Un") << one;
    EXPECT_EQ(translate("One"), "One"); // only with its marker
    const std::string two = translate("Two");
    EXPECT_TRUE(two == "Two" || two == "Deux") << two;
    qv::UnloadTranslations();
  });
  EXPECT_GE(points, 2);
}

} // namespace

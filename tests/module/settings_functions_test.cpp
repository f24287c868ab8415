// Property files, variable sets and "config.pik" from AutoLISP, with the file layer's and the
// host's failures on the way.
#include <filesystem>
#include <string>

#include "module_fixture.h"
#include "platform/win/sim_registry.h"
#include "testing/failure_sweep.h"

namespace {

class SettingsFunctionsTest : public qvtest::ModuleFunctionTest {
protected:
  SettingsFunctionsTest() : ModuleFunctionTest('T') {}
  // The AutoLISP text run with its paths on the test's drive.
  std::string run(const std::string& lisp) const {
    return ModuleFunctionTest::run(drivePaths(lisp, true));
  }
  // Sweeps the file layer's calls that a rewrite makes: each run answers T with the new text on
  // disk, or nil with the old text kept.
  void sweepRewrite(const std::string& lisp, const std::string& file, const std::string& before,
                    const std::string& after) {
    for (const char* call : {"fopen", "fread", "fwrite", "fclose", "MoveFileExA"}) {
      SCOPED_TRACE(call);
      qvtest::forEachFailure(call, [&](int) {
        writeHost(file, before);
        const std::string answer = run(lisp);
        EXPECT_EQ(readHost(file), answer == "T" ? after : before) << answer;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tempDir()), {}), 1);
      });
    }
  }
};

constexpr const char* kOptions = "Units=Feet\r\nPrecision=3\r\nno line\r\nNote=a=b\r\n";

TEST_F(SettingsFunctionsTest, PropertyFilesGiveAndTakeOneValue) {
  writeHost("opts.ini", kOptions);
  const struct {
    const char* lisp;
    const char* answer;
  } cases[] = {
      {"(cf:propread \"T:/opts.ini\" \"UNITS\")", "\"Feet\""},
      {"(cf:propread \"T:/opts.ini\" \"note\" \"x\")", "\"a=b\""},
      {"(cf:propread \"T:/opts.ini\" \"Scale\")", "nil"},
      {"(cf:propread \"T:/opts.ini\" \"Scale\" \"1.0\")", "\"1.0\""},
      {"(cf:propread \"T:/none.ini\" \"Units\" \"Meters\")", "\"Meters\""},
      {"(cf:propwrite \"T:/opts.ini\" \"precision\" \"4\")", "T"},
      {"(cf:propwrite \"T:/opts.ini\" \"Scale\" \"\")", "T"},
      {"(cf:propread \"T:/opts.ini\" \"Scale\" \"1.0\")", "\"\""},
      {"(cf:propwrite \"T:/new/opts.ini\" \"Units\" \"Feet\")", "nil"}, // no such folder
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.lisp), c.answer) << c.lisp;
  }
  // Every name the file held stays, in its place; a line without "=" goes.
  EXPECT_EQ(readHost("opts.ini"), "Units=Feet\r\nprecision=4\r\nNote=a=b\r\nScale=\r\n");
  EXPECT_EQ(run("(cf:propwrite \"T:/made.ini\" \"Units\" \"Feet\")"), "T");
  EXPECT_EQ(readHost("made.ini"), "Units=Feet\r\n");
}

TEST_F(SettingsFunctionsTest, APropertyWriteKeepsTheOldFileOrSavesTheWholeNewOne) {
  sweepRewrite("(cf:propwrite \"T:/opts.ini\" \"Units\" \"Meters\")", "opts.ini", kOptions,
               "Units=Meters\r\nPrecision=3\r\nNote=a=b\r\n");
}

constexpr const char* kVariables = "'((\"units\" . \"Feet\") (\"precision\" 3) (\"scale\" . 1.5) "
                                   "(\"count\" . 100000))";
constexpr const char* kDefaults = "'((\"units\" . \"\") (\"precision\" . 0) (\"scale\" . 0.0) "
                                  "(\"count\" . 0) (\"other\" . \"kept\"))";

TEST_F(SettingsFunctionsTest, VariablesGoToEveryStoreAndComeBack) {
  const struct {
    const char* store;
    const char* loaded; // of kDefaults, after kVariables were saved
  } cases[] = {
      {"\"file\" \"T:/vars.ini\"", "\"kept\""}, // a name the file lacks keeps its default
      {"'drawing \"Survey\\\\Options\"", "\"kept\""},
      {"\"LISP\"", "\"\""}, // a missing symbol empties the variable
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.store);
    EXPECT_EQ(run(std::string("(cf:varsave ") + kVariables + " " + c.store + ")"), "T");
    EXPECT_EQ(sim::evalLisp(
                  drivePaths(std::string("(cf:varload ") + kDefaults + " " + c.store + ")", true)),
              std::string("((\"units\" . \"Feet\") (\"precision\" . 3) (\"scale\" . 1.5) "
                          "(\"count\" . 100000.0) (\"other\" . ") +
                  c.loaded + "))");
    sim::takeCommandLine();
  }
  EXPECT_EQ(readHost("vars.ini"),
            "units=Feet\r\nprecision=3\r\nscale=1.500000\r\ncount=100000\r\n");
  EXPECT_EQ(run("(cf:storageread \"Survey\\\\Options\\\\scale\")"), "\"1.500000\"");
  EXPECT_EQ(run("(list units precision count)"), "(\"Feet\" 3 100000)");
  EXPECT_EQ(run("(cf:varload '((\"a\" . 1)) \"file\" \"T:/none.ini\")"), "nil");
  EXPECT_EQ(run("(cf:varsave nil \"lisp\")"), "T");
}

TEST_F(SettingsFunctionsTest, ARefusedSaveAnswersNil) {
  writeHost("vars.ini", "units=Old\r\n");
  sweepRewrite("(cf:varsave '((\"units\" . \"New\")) \"file\" \"T:/vars.ini\")", "vars.ini",
               "units=Old\r\n", "units=New\r\n");
  for (const char* call : {"AcDbDictionary::setAt", "AcDbXrecord::setFromRbChain", "acedPutSym"}) {
    SCOPED_TRACE(call);
    qvtest::forEachFailure(call, [&](int nth) {
      // A value of its own in every run, so that one kept from an earlier run does not count.
      const std::string saved =
          run("(cf:varsave '((\"units\" . \"New" + std::to_string(nth) + "\") (\"n\" . " +
              std::to_string(nth) + ")) " +
              (std::string(call) == "acedPutSym" ? "\"lisp\")" : "\"drawing\" \"Job\")"));
      const bool lastRun = sim::unreachedFailures().size() == 1;
      EXPECT_EQ(saved.substr(0, 1), lastRun ? "T" : "n") << nth << " " << saved;
    });
  }
}

TEST_F(SettingsFunctionsTest, ConfigPikTakesTheReportFolder) {
  QV_SKIP_WHERE_WINDOWS_ANSWERS("the installation folder is seeded in the stand-in's registry");
  EXPECT_EQ(run("(cf:configpik \"D:/data/jobs\")"), "nil"); // no installation folder
  ASSERT_TRUE(sim::loadRegistry("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Maradel "
                                "Software\\Quorvane\\2007\\400-12345678]\r\n\"PATH_R15\"=\"T:\\\\\""
                                "\r\n")
                  .ok);
  EXPECT_EQ(run("(cf:configpik \"D:/data/jobs\")"), "nil"); // no config.pik
  writeHost("config.pik", "1\r\n2\r\n3\r\n4\r\n5\r\n");
  EXPECT_EQ(run("(cf:configpik \"D:/data/jobs\")"), "T");
  EXPECT_EQ(readHost("config.pik"), "1\r\n2\r\nD:\r\n\\data\\jobs\r\n5\r\n");
}

TEST_F(SettingsFunctionsTest, WrongCallsPrintTheHostsErrorAndAnswerNil) {
  const struct {
    const char* lisp;
    const char* answer;
  } cases[] = {
      {"(cf:propread \"a.ini\")", "nil | ; error: too few arguments\n"},
      {"(cf:propread \"a.ini\" \"n\" 1)", "nil | ; error: bad argument type: stringp 1\n"},
      {"(cf:propwrite \"a.ini\" \"n\" 4)", "nil | ; error: bad argument type: stringp 4\n"},
      // Texts that would break the file's lines.
      {"(cf:propwrite \"a.ini\" \"n=1\" \"4\")", "nil | ; error: bad argument value: \"n=1\"\n"},
      {"(cf:propwrite \"a.ini\" \"n\" \"4\\nx=1\")",
       "nil | ; error: bad argument value: \"4\\nx=1\"\n"},
      {"(cf:varsave '((\"a\" . \"\\r\")) \"file\" \"a.ini\")",
       "nil | ; error: bad argument value: \"\\r\"\n"},
      {"(cf:varsave \"x\" \"lisp\")", "nil | ; error: bad argument type: listp \"x\"\n"},
      {"(cf:varsave '((\"a\" . T)) \"lisp\")",
       "nil | ; error: bad argument type: consp (\"a\" . T)\n"},
      {"(cf:varsave '((1 . 2)) \"lisp\")", "nil | ; error: bad argument type: consp (1 . 2)\n"},
      {"(cf:varsave '((\"a\" . 1)) \"disk\" \"a\")",
       "nil | ; error: bad argument value: \"disk\"\n"},
      {"(cf:varsave '((\"a\" . 1)) 7)", "nil | ; error: bad argument type: stringp 7\n"},
      {"(cf:varsave '((\"a\" . 1)) \"file\")", "nil | ; error: too few arguments\n"},
      {"(cf:varload '((\"a\" . 1)) \"lisp\" \"x\")", "nil | ; error: too many arguments\n"},
      {"(cf:configpik)", "nil | ; error: too few arguments\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.lisp), c.answer) << c.lisp;
  }
}

} // namespace

// Record tables from AutoLISP: a point file imported, stored as a record-table file and read
// back, exported as delimited text; every failure of the files and the host lists on the way.
#include <fstream>
#include <string>

#include "module_fixture.h"
#include "testing/failure_sweep.h"

namespace {

class TableFunctionsTest : public qvtest::ModuleFunctionTest {
protected:
  TableFunctionsTest() : ModuleFunctionTest('T') {}
  void SetUp() override {
    ModuleFunctionTest::SetUp();
    std::ofstream(tempPath("pts.txt"), std::ios::binary)
        << "P2,1010.5,2000.25,101.2,IP\r\n\r\nP1,1000,2000,100.5,CP ,extra\r\n";
  }
  // The AutoLISP text run with its paths on the test's drive.
  std::string run(const std::string& lisp) const {
    return ModuleFunctionTest::run(drivePaths(lisp, true));
  }
  // The sample points, sorted by name, in the symbol pts.
  void importPoints() {
    ASSERT_NE(run("(setq pts (cf:tablesort (cf:pointimport \"T:/pts.txt\")))"), "nil");
  }
};

TEST_F(TableFunctionsTest, PointFilesImportAsNamedPoints) {
  EXPECT_EQ(
      run("(cf:pointimport \"T:/pts.txt\")"),
      "((\"P2\" (\"north\" . \"1010.5\") (\"east\" . \"2000.25\") (\"elevation\" . \"101.2\") "
      "(\"description\" . \"IP\")) (\"P1\" (\"north\" . \"1000\") (\"east\" . \"2000\") "
      "(\"elevation\" . \"100.5\") (\"description\" . \"CP\") (\"6\" . \"extra\")))");
  EXPECT_EQ(run("(cf:pointimport \"T:/pts.txt\" \";\" '(\"all\"))"),
            "((\"P2,1010.5,2000.25,101.2,IP\") (\"P1,1000,2000,100.5,CP ,extra\"))");
  EXPECT_EQ(run("(cf:pointimport \"T:/none.txt\")"), "nil");
}

TEST_F(TableFunctionsTest, TablesRoundTripThroughTheirFiles) {
  importPoints();
  const struct {
    const char* write;
    const char* read;
  } cases[] = {
      {"(cf:tablewrite \"T:/a.xml\" pts)", "(cf:tableread \"T:/a.xml\")"},
      {"(cf:tablewrite \"T:/b.xml\" pts \"points\" \"survey\" \"Job 12\")",
       "(cf:tableread \"T:/b.xml\" \"POINTS\")"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.write), "T");
    EXPECT_EQ(run(std::string("(equal pts ") + c.read + ")"), "T") << c.read;
  }
  EXPECT_NE(readHost("b.xml").find("desc=\"Job 12\""), std::string::npos);
  EXPECT_EQ(run("(cf:tableread \"T:/b.xml\" \"other\")"), "nil");
  EXPECT_EQ(run("(cf:tableread \"T:/none.xml\")"), "nil");
  EXPECT_EQ(run("(cf:tablewrite \"T:/no/such/folder/c.xml\" pts)"), "nil");
}

TEST_F(TableFunctionsTest, ExportWritesTheNameFirst) {
  importPoints();
  EXPECT_EQ(run("(cf:textexport \"T:/out.csv\" pts \";\" T)"), "T");
  EXPECT_EQ(readHost("out.csv"), "id;north;east;elevation;description;6\r\n"
                                 "P1;1000;2000;100.5;CP;extra\r\n"
                                 "P2;1010.5;2000.25;101.2;IP;\r\n");
}

TEST_F(TableFunctionsTest, AFailedWriteKeepsTheOldFile) {
  importPoints();
  const struct {
    const char* file;
    const char* write;
  } writers[] = {
      {"a.xml", "(cf:tablewrite \"T:/a.xml\" pts)"},
      {"a.csv", "(cf:textexport \"T:/a.csv\" pts)"},
  };
  for (const auto& writer : writers) {
    for (const char* call : {"fopen", "fwrite", "fclose", "MoveFileExA"}) {
      qvtest::forEachFailure(call, [&](int) {
        std::ofstream(tempPath(writer.file), std::ios::binary) << "old";
        const std::string answer = run(writer.write);
        EXPECT_TRUE(answer == "T" || answer == "nil") << answer;
        EXPECT_EQ(answer == "T", readHost(writer.file) != "old") << writer.write << " " << call;
      });
    }
  }
}

TEST_F(TableFunctionsTest, HostListFailuresAnswerNilAndLeakNothing) {
  importPoints();
  const std::string sorted = run("(cf:tablesort pts \"north\" T)");
  for (const char* call : {"acutNewRb", "acad_malloc", "acedRetList"}) {
    qvtest::forEachFailure(call, [&](int) {
      const std::string answer = run("(cf:tablesort pts \"north\" T)");
      // Refused inside the module or in the host's own copy of the list, never half a list.
      EXPECT_TRUE(answer == sorted || answer == "nil" ||
                  answer.find("; error: insufficient memory\n") != std::string::npos)
          << call << ": " << answer;
    });
  }
}

} // namespace

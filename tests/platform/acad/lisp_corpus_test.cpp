// AutoLISP files written by others: every one reads without a reader error.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "lisp_cases.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace {

class LispCorpusTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    if (!std::filesystem::is_directory(corpus_)) {
      GTEST_SKIP() << "no corpus of LISP files at " << corpus_;
    }
  }
  // The corpus lies beside the project: <project>/../shared/corpus/lisp.
  const std::filesystem::path corpus_ =
      std::filesystem::path(QV_TEST_DATA_DIR) / ".." / ".." / ".." / "shared" / "corpus" / "lisp";
};

TEST_F(LispCorpusTest, FilesWithoutHostCallsLoadAndTheirFunctionsRun) {
  const struct {
    const char* file;
    const char* expression; // run after the load; empty: the load alone
    const char* value;
  } cases[] = {
      {"velisp_list.lsp", "(list (join \", \" (list \"a\" \"b\")) (sort '< '(3 1 2)) (seq 1 4 1))",
       "(\"a, b\" (1 2 3) (1 2 3 4))"},
      {"julian.lsp", "(jtow (ctoj 2000 1 1 12 0 0))", "6"},
      {"MATH.LSP", "(list (RoundTo 5 12) (DTR 180.0))", "(10 3.14159)"},
      {"thooruna_string.lsp", "(list (sm:to-string 42) (sm:to-string nil))", "(\"42\" \"\")"},
      {"bst.lsp", "(bst_to_list (bst_set 2 \"b\" (bst_set 1 \"a\" (bst_new))))", nullptr},
      {"general-utilities.lsp", "(list (first '(1 2 3)) (third '(1 2 3)))", "(1 3)"},
      {"MATR.lsp", "", nullptr},
      {"system.lsp", "", nullptr},
      {"Sistjemy_schisljenija.lsp", "", nullptr},
  };
  for (const auto& c : cases) {
    sim::reset();
    std::string error;
    sim::evalLisp("(load " + qvtest::lispString((corpus_ / c.file).string()) + ")", &error);
    EXPECT_EQ(error, "") << c.file;
    if (c.expression[0] != '\0') {
      const std::string value = sim::evalLisp(c.expression, &error);
      EXPECT_EQ(error, "") << c.file;
      if (c.value != nullptr) {
        EXPECT_EQ(value, c.value) << c.file;
      }
    }
  }
}

TEST_F(LispCorpusTest, EveryFileReads) {
  const std::filesystem::path& corpus = corpus_;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::string extension = entry.path().extension().string();
    for (char& c : extension) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (extension != ".lsp") {
      continue;
    }
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    int line = 0;
    EXPECT_TRUE(sim::readLisp(text.str(), &error, &line))
        << entry.path() << ":" << line << ": " << error;
    ++files;
  }
  EXPECT_GT(files, 0);
}

} // namespace

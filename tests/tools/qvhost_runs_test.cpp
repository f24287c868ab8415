// qvhost as a program: the registry kept between runs in the per-user folder, the folders it
// makes, and its exit statuses.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include "testing/host_test.h"

namespace {

class QvhostRunsTest : public qvtest::HostTest {
protected:
  // Runs qvhost with the test's user folder; its standard output and exit status.
  int run(const std::string& arguments, std::string* output) {
    const std::string command = std::string(QVHOST) + " --user-dir " + tempPath("user") + " " +
                                arguments + " 2>&1 </dev/null";
    output->clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
      return -1;
    }
    char piece[256];
    size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, pipe)) > 0) {
      output->append(piece, got);
    }
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(QvhostRunsTest, TheRegistryIsKeptBetweenRuns) {
  std::string output;
  ASSERT_EQ(run("-e '(vl-registry-write \"HKEY_CURRENT_USER\\\\Software\\\\Qv\" \"Units\" "
                "\"feet\") (vl-registry-write \"HKEY_CURRENT_USER\\\\Software\\\\Qv\" \"Runs\" 1)'",
                &output),
            0)
      << output;
  std::ifstream saved(tempPath("user/registry.reg"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(saved)), {});
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFEW\0", 4)); // version 5, UTF-16LE
  ASSERT_EQ(run("-e '(princ (list (vl-registry-read \"HKEY_CURRENT_USER\\\\Software\\\\Qv\" "
                "\"Units\") (vl-registry-read \"HKEY_CURRENT_USER\\\\Software\\\\Qv\" \"Runs\")))'",
                &output),
            0);
  EXPECT_EQ(output, "(feet 1)");
  EXPECT_TRUE(std::filesystem::is_directory(tempPath("user/user")));
  EXPECT_TRUE(std::filesystem::is_directory(tempPath("user/tmp")));
  // Without the registry file nothing is kept.
  ASSERT_EQ(
      run("--no-registry -e '(princ (vl-registry-read \"HKEY_CURRENT_USER\\\\Software\\\\Qv\" "
          "\"Units\"))'",
          &output),
      0);
  EXPECT_EQ(output, "nil");
}

TEST_F(QvhostRunsTest, ExitStatuses) {
  const struct {
    const char* arguments;
    int status;
    const char* shown; // a part of the output
  } cases[] = {
      {"--help", 0, "Usage: qvhost"},
      {"--help", 0, "(qvhost:answer \"tile\" \"key\" \"val\")"},
      {"--help", 0, "(qvhost:answer \"press\" \"key\")"},
      {"-e '(qvhost:answer \"text\" \"x\")' -e '(vl-catch-all-apply (quote getfiled) "
       "(list \"Job\" \"\" \"txt\" 0))'",
       1,
       "(text):1: getfiled waits for a file name but the next answer is a text\n"
       "  in (VL-CATCH-ALL-APPLY"},
      {"--bogus", 2, "unknown option --bogus"},
      {"--user-dir", 2, "needs a value"},
      {"-e '(car 1)'", 1, "(text):1: bad argument type: consp 1"},
      {"-e '(princ 1)(quit)(princ 2)'", 0, "1; error: quit / exit abort"},
      {"-e '(setq f (open (strcat tmpdir$ \"x\") \"w\"))'", 3, "1 files"},
      {"--drawing /nonexistent/folder/a.dwg", 0, ""},
      {"missing.lsp", 1, "missing.lsp: no such script"},
  };
  for (const auto& c : cases) {
    std::string output;
    EXPECT_EQ(run(c.arguments, &output), c.status) << c.arguments << "\n" << output;
    EXPECT_NE(output.find(c.shown), std::string::npos) << c.arguments << "\n" << output;
  }
}

} // namespace

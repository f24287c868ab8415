// qvhost on a terminal: the interactive command line, run in a pseudo-terminal.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "testing/host_test.h"

namespace {

class QvhostTerminalTest : public qvtest::HostTest {
protected:
  void TearDown() override {
    if (child_ > 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (terminal_ >= 0) {
      close(terminal_);
    }
    HostTest::TearDown();
  }

  void start() {
    child_ = forkpty(&terminal_, nullptr, nullptr, nullptr);
    ASSERT_GE(child_, 0);
    if (child_ == 0) {
      const std::string userDir = tempPath("user");
      execl(QVHOST, QVHOST, "--user-dir", userDir.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }

  // Reads what the console shows until text appears after what earlier waits consumed.
  ::testing::AssertionResult waitFor(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (true) {
      const size_t found = shown_.find(text, consumed_);
      if (found != std::string::npos) {
        consumed_ = found + text.size();
        return ::testing::AssertionSuccess();
      }
      pollfd wait{terminal_, POLLIN, 0};
      if (std::chrono::steady_clock::now() > deadline || poll(&wait, 1, 200) < 0) {
        return ::testing::AssertionFailure() << "no \"" << text << "\" in:\n" << shown_;
      }
      char piece[512];
      const ssize_t got =
          (wait.revents & (POLLIN | POLLHUP)) != 0 ? read(terminal_, piece, sizeof piece) : 0;
      if (got > 0) {
        shown_.append(piece, static_cast<size_t>(got));
      } else if (got < 0) {
        return ::testing::AssertionFailure() << "the console ended; it showed:\n" << shown_;
      }
    }
  }

  void type(const std::string& line) {
    const std::string text = line + "\n";
    ASSERT_EQ(write(terminal_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  pid_t child_ = -1;
  int terminal_ = -1;
  std::string shown_;
  size_t consumed_ = 0;
};

TEST_F(QvhostTerminalTest, CommandLineAnswersAndAsks) {
  start();
  const struct {
    const char* typed;
    const char* shown; // what the console shows next
  } steps[] = {
      {nullptr, "Command: "},
      {"(+ 1 2)", "3"},
      {"(setq x", "(_> "},
      {"(* 6 7))", "42"},
      {"!x", "42"},
      {"hello", "Unknown command \"HELLO\".  Press F1 for help."},
      {"(defun c:hello () (princ \"hi there\") (princ))", "C:HELLO"},
      {"hello", "hi there"},
      {"(car 1)", "; error: bad argument type: consp 1"},
      {"(getfiled \"Open a job\" \"\" \"txt\" 0)", "[getfiled] Open a job (txt)"},
      {"C:\\jobs\\a.txt", "\"C:\\\\jobs\\\\a.txt\""},
      {"(getfiled \"Again\" \"\" \"txt\" 0)", "file name: "},
      {"", "nil"}, // an empty answer cancels
      {"(qvhost:answer \"button\" 1)", "T"},
      {"(getfiled \"Wrong\" \"\" \"txt\" 0)",
       "getfiled waits for a file name but the next answer is a button: answer here instead."},
      {"C:\\b.txt", "\"C:\\\\b.txt\""},
      {"(alert \"Look\")", "** Alert: Look **"},
  };
  for (const auto& step : steps) {
    if (step.typed != nullptr) {
      type(step.typed);
    }
    ASSERT_TRUE(waitFor(step.shown)) << (step.typed != nullptr ? step.typed : "(start)");
    const bool continued = std::string(step.shown) == "(_> ";
    const bool asking = std::string(step.shown) == "file name: " || step.shown[0] == '[' ||
                        std::string(step.shown).find("instead") != std::string::npos;
    if (step.typed != nullptr && !continued && !asking) {
      ASSERT_TRUE(waitFor("Command: ")) << step.typed;
    }
  }
  type("QUIT");
  int status = -1;
  ASSERT_EQ(waitpid(child_, &status, 0), child_);
  child_ = -1;
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace

// Lines appended to the message file of the current folder.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "drawing/message_file.h"
#include "drawing_fixture.h"

namespace {

using MessageFileTest = qvtest::DrawingTest;

TEST_F(MessageFileTest, AppendsTextWithWindowsLineEndsOrNothing) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(tempDir());
  const bool failable = sim::canFail("fopen"); // the stand-in's fopen only
  if (failable) {
    sim::failCall("fopen");
    qv::appendMessage("lost", 1); // the file cannot be opened: nothing happens
  }
  qv::appendMessage("first", 1);
  qv::appendMessage("100%s ", 0); // no line end; the text is not a format
  qv::appendMessage(nullptr, 1);
  qv::appendMessage("last", 1);
  std::filesystem::current_path(previous);
  std::ifstream in(tempPath("message.txt"), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "first\r\n100%s last\r\n");
}

} // namespace

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
  std::filesystem::create_directory(tempDir() / "message.txt");
  qv::appendMessage("lost", 1); // a folder of that name: the file cannot be opened, nothing happens
  std::filesystem::remove(tempDir() / "message.txt");
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

// Lines appended to the message file of the current folder.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "drawing/message_file.h"
#include "drawing_fixture.h"

namespace {

class MessageFileTest : public qvtest::DrawingTest {
protected:
  void SetUp() override {
    DrawingTest::SetUp();
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(tempDir());
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    DrawingTest::TearDown();
  }
  std::string written() const {
    std::ifstream in(tempPath("message.txt"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::filesystem::path previous_;
};

TEST_F(MessageFileTest, AppendsTextWithWindowsLineEnds) {
  qv::appendMessage("first", 1);
  qv::appendMessage("second ", 0);
  qv::appendMessage("third", 1);
  qv::appendMessage(nullptr, 1);
  qv::appendMessage("100%s", 2); // any other flag: no line end; the text is not a format
  EXPECT_EQ(written(), "first\r\nsecond third\r\n100%s");
}

TEST_F(MessageFileTest, NothingHappensWhenTheFileCannotBeOpened) {
  sim::failCall("fopen");
  qv::appendMessage("lost", 1);
  EXPECT_FALSE(std::filesystem::exists(tempPath("message.txt")));
  std::filesystem::create_directory(tempPath("message.txt")); // a folder in the way
  qv::appendMessage("lost", 1);
  EXPECT_EQ(sim::openFiles(), 0);
}

} // namespace

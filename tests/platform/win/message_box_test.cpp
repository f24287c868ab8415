// MessageBoxA: the buttons each set offers, ESC, the question logged, and its refusals.
#include <gtest/gtest-spi.h>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/host_test.h"

namespace {

class MessageBoxTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS("the message box answers from the stand-in's queue of answers");
  }
};

TEST_F(MessageBoxTest, AnswersTheButtonPressedOrWhatEscGives) {
  struct Case {
    UINT type;
    int pressed; // 0: ESC (the empty queue)
    int answer;
  };
  const Case cases[] = {
      {MB_OK, IDOK, IDOK},
      {MB_OK, 0, IDOK},
      {MB_OKCANCEL, 0, IDCANCEL},
      {MB_YESNOCANCEL, IDNO, IDNO},
      {MB_YESNOCANCEL, 0, IDCANCEL},
      {MB_YESNO | MB_ICONEXCLAMATION, IDYES, IDYES},
      {MB_RETRYCANCEL, IDRETRY, IDRETRY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    if (c.pressed != 0) {
      sim::answer(sim::Answer::button(c.pressed));
    }
    EXPECT_EQ(MessageBoxA(nullptr, "Replace?", "Quorvane Message", c.type), c.answer);
  }
  const sim::Asked last = sim::asked().back();
  EXPECT_EQ(last.call, "MessageBoxA");
  EXPECT_EQ(last.prompt, "Replace?");
  EXPECT_EQ(last.filter, "Quorvane Message");
  EXPECT_EQ(last.flags, static_cast<int>(MB_RETRYCANCEL));
}

TEST_F(MessageBoxTest, RefusesBadOwnersAndSetsAndReportsImpossibleAnswers) {
  EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(0x1234), "x", nullptr, MB_OK), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(MessageBoxA(GetActiveWindow(), "x", nullptr, 9), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  sim::failCall("MessageBoxA");
  EXPECT_EQ(MessageBoxA(nullptr, "x", nullptr, MB_OK), 0);
  sim::answer(sim::Answer::button(IDYES));
  EXPECT_NONFATAL_FAILURE(MessageBoxA(nullptr, "x", nullptr, MB_OKCANCEL), "has no button 6");
  EXPECT_NONFATAL_FAILURE(MessageBoxA(nullptr, "x", nullptr, MB_YESNO), "no Cancel or OK");
}

} // namespace

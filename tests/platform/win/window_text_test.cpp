// The active window and window captions: the host's main window, and dialogs above it.
#include <fstream>
#include <string>

#include "platform/acad/adsdlg.h"
#include "platform/sim.h"
#include "platform/win/errhandlingapi.h"
#include "platform/win/winerror.h"
#include "platform/win/winuser.h"
#include "testing/host_test.h"

namespace {

class WindowTextTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS("the windows are the stand-in host's dialogs");
  }
};

std::string captionOf(HWND window) {
  char text[64] = "unset";
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, static_cast<size_t>(length));
}

TEST_F(WindowTextTest, TheActiveWindowIsTheDialogMadeLast) {
  const HWND main = GetActiveWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(captionOf(main), "AutoCAD");
  const std::string path = tempPath("two.dcl");
  std::ofstream(path) << "one : dialog { label = \"First\"; ok_only; }\n"
                         "two : dialog { label = \"Second\"; ok_only; }\n";
  int id = 0;
  ASSERT_EQ(ads_load_dialog(path.c_str(), &id), RTNORM);
  ads_hdlg first = BAD_DIALOG;
  ads_hdlg second = BAD_DIALOG;
  ASSERT_EQ(ads_new_dialog("one", id, NULLCB, &first), RTNORM);
  const HWND firstWindow = GetActiveWindow();
  ASSERT_EQ(ads_new_dialog("two", id, NULLCB, &second), RTNORM);
  EXPECT_NE(GetActiveWindow(), firstWindow);
  EXPECT_EQ(captionOf(GetActiveWindow()), "Second");
  EXPECT_EQ(captionOf(firstWindow), "First");

  int status = 0;
  ASSERT_EQ(ads_start_dialog(second, &status), RTNORM);
  EXPECT_EQ(GetActiveWindow(), firstWindow); // the dialog's window went with it
  ASSERT_EQ(ads_term_dialog(), RTNORM);
  EXPECT_EQ(GetActiveWindow(), main);

  SetLastError(0);
  EXPECT_EQ(SetWindowTextA(firstWindow, "gone"), FALSE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(captionOf(firstWindow), "");
  EXPECT_EQ(SetWindowTextA(main, nullptr), FALSE);
  EXPECT_EQ(SetWindowTextA(main, "AutoCAD - [Drawing1.dwg]"), TRUE);
  char cut[8] = {};
  EXPECT_EQ(GetWindowTextA(main, cut, sizeof cut), 7);
  EXPECT_STREQ(cut, "AutoCAD");
  EXPECT_EQ(GetWindowTextA(main, cut, 0), 0);
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
}

} // namespace

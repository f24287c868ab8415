// GetOpenFileNameA, GetSaveFileNameA and CommDlgExtendedError: the person's choice from the
// queue, the hook's messages, the checks of the OFN_ flags and the buffer rules.
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sim.h"
#include "platform/win/windows.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

std::vector<UINT> hookMessages;
std::vector<std::string> hookFiles;

UINT_PTR CALLBACK recordingHook(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    hookMessages.push_back(message);
    hookFiles.emplace_back(reinterpret_cast<OPENFILENAMEA*>(lParam)->lpstrFile);
  } else if (message == WM_NOTIFY) {
    const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
    hookMessages.push_back(notice->hdr.code);
    hookFiles.emplace_back(notice->lpOFN->lpstrFile);
  }
  return 0;
}

class FileDialogsTest : public qvtest::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    QV_SKIP_WHERE_WINDOWS_ANSWERS("the dialogs answer from the stand-in's queue of answers");
    sim::mapDrive('J', tempDir().string());
    std::ofstream(tempPath("Road.crd")) << "1";
    hookMessages.clear();
    hookFiles.clear();
  }
  OPENFILENAMEA dialog(DWORD flags, const char* offered = "road.crd") {
    std::strcpy(file_, offered);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.lpstrFilter = "*.crd;*.txt\0*.crd;*.txt\0";
    ofn.lpstrFile = file_;
    ofn.nMaxFile = sizeof file_;
    ofn.lpstrInitialDir = "J:\\";
    ofn.lpstrTitle = "Pick";
    ofn.lpstrDefExt = "crd";
    ofn.lpfnHook = recordingHook;
    ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
    return ofn;
  }
  char file_[MAX_PATH] = {};
};

TEST_F(FileDialogsTest, OpenCallsTheHookAsWindowsDoesAndReturnsThePath) {
  sim::answer(sim::Answer::fileName("missing.crd")); // refused: the file must exist
  sim::answer(sim::Answer::fileName("Road"));        // the default extension is added
  OPENFILENAMEA ofn = dialog(OFN_FILEMUSTEXIST);
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_STREQ(file_, "J:\\Road.crd");
  EXPECT_EQ(ofn.nFileOffset, 3);
  EXPECT_EQ(ofn.nFileExtension, 8);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(hookMessages, (std::vector<UINT>{WM_INITDIALOG, CDN_INITDONE, CDN_FILEOK}));
  EXPECT_EQ(hookFiles, (std::vector<std::string>{"road.crd", "road.crd", "J:\\Road.crd"}));
  const std::vector<sim::Asked> asked = sim::asked();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].call, "GetOpenFileNameA");
  EXPECT_EQ(asked[0].prompt, "Pick");
  EXPECT_EQ(asked[0].defaultValue, "J:\\road.crd");
  EXPECT_EQ(asked[0].filter, "*.crd;*.txt|*.crd;*.txt");
}

TEST_F(FileDialogsTest, SaveConfirmsAnExistingFileAndNoGoesBack) {
  sim::answer(sim::Answer::fileName("J:\\road.crd"));
  sim::answer(sim::Answer::button(IDNO));
  sim::answer(sim::Answer::fileName("J:\\new.crd"));
  OPENFILENAMEA ofn = dialog(OFN_OVERWRITEPROMPT);
  ASSERT_TRUE(GetSaveFileNameA(&ofn));
  EXPECT_STREQ(file_, "J:\\new.crd");
  const std::vector<sim::Asked> asked = sim::asked();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[1].prompt, "J:\\road.crd already exists.\nDo you want to replace it?");
  EXPECT_EQ(asked[1].kind, sim::Answer::Kind::Button);
}

TEST_F(FileDialogsTest, ErrorsAndCancelAnswerAsWindowsDoes) {
  struct Case {
    const char* name;
    void (*spoil)(OPENFILENAMEA&);
    DWORD error;
  };
  const Case cases[] = {
      {"cancel", [](OPENFILENAMEA&) {}, 0},
      {"size", [](OPENFILENAMEA& o) { o.lStructSize = 12; }, CDERR_STRUCTSIZE},
      {"no buffer", [](OPENFILENAMEA& o) { o.lpstrFile = nullptr; }, CDERR_INITIALIZATION},
      {"no hook", [](OPENFILENAMEA& o) { o.lpfnHook = nullptr; }, CDERR_NOHOOK},
      {"short", [](OPENFILENAMEA& o) { o.nMaxFile = 8; }, FNERR_BUFFERTOOSMALL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OPENFILENAMEA ofn = dialog(0);
    c.spoil(ofn);
    if (c.error == FNERR_BUFFERTOOSMALL) {
      sim::answer(sim::Answer::fileName("J:\\road.crd"));
    }
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), c.error);
    if (c.error == FNERR_BUFFERTOOSMALL) {
      WORD needed = 0;
      std::memcpy(&needed, file_, sizeof needed);
      EXPECT_EQ(needed, 12); // "J:\road.crd" and its NUL
    }
  }
  const int points = qvtest::forEachFailure("GetSaveFileNameA", [&](int nth) {
    OPENFILENAMEA ofn = dialog(0); // the empty queue cancels when the dialog shows
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), nth == 1 ? static_cast<DWORD>(CDERR_DIALOGFAILURE) : 0u);
  });
  EXPECT_EQ(points, 1);
}

} // namespace

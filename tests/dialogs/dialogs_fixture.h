// The dialogs' tests: lspdir$ names a folder with the family's "qvanfile.dcl" and "f.dcl" (dialog
// ab, and abc whose name starts with ab), usrdir$ an empty one; dialogs are made, worked on and
// shown through the stand-in.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/adsdlg.h"
#include "platform/sim.h"
#include "testing/host_test.h"

namespace qvtest {

inline const char* const kTestDcl =
    "ab : dialog {\n  label = \"AB\";\n  : edit_box { key = \"name\"; }\n"
    "  : edit_box { key = \"note\"; }\n  : toggle { key = \"flag\"; }\n  ok_cancel;\n}\n"
    "abc : dialog {\n  : edit_box { key = \"first\"; }\n  : edit_box { key = \"name\"; }\n"
    "  ok_cancel;\n}\n";

inline std::string readText(const std::filesystem::path& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A text value for an AutoLISP symbol; a null text makes it nil.
inline void putText(const char* symbol, const char* text) {
  resbuf* value = text != nullptr ? acutBuildList(RTSTR, text, RTNONE) : acutNewRb(RTNIL);
  acedPutSym(symbol, value);
  acutRelRb(value);
}

// The folders of the dialogs' tests in top: top/lisp with both DCL files, top/user empty, named
// by lspdir$ and usrdir$.
inline void makeDialogFolders(const std::filesystem::path& top) {
  std::filesystem::create_directories(top / "lisp");
  std::filesystem::create_directories(top / "user");
  std::filesystem::copy_file(std::string(QV_TEST_DATA_DIR) + "/../../lisp/qvanfile.dcl",
                             top / "lisp" / "qvanfile.dcl",
                             std::filesystem::copy_options::overwrite_existing);
  writeText(top / "lisp" / "f.dcl", kTestDcl);
  putText("lspdir$", ((top / "lisp").string() + "/").c_str());
  putText("usrdir$", ((top / "user").string() + "/").c_str());
}

// The value the tile of key had when the dialog started.
inline std::string valueAtStart(const sim::ShownDialog& shown, const std::string& key) {
  const auto tile = std::find_if(shown.atStart.begin(), shown.atStart.end(),
                                 [&key](const sim::ShownTile& each) { return each.key == key; });
  return tile != shown.atStart.end() ? tile->value : "<no tile>";
}

class DialogsTest : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    resetSession();
  }
  void resetSession() {
    sim::reset();
    makeDialogFolders(tempDir());
  }
  std::filesystem::path lisp() const { return tempDir() / "lisp"; }
  std::filesystem::path user() const { return tempDir() / "user"; }

  // Makes the dialog of dcl.dcl in dclFolder_ (lisp() unless set), lets work act on it, then
  // shows it with the answers queued (none: cancelled). The dialog as shown.
  sim::ShownDialog runDialog(const std::string& dcl, const char* name,
                             const std::function<void(ads_hdlg)>& work) {
    int id = -1;
    EXPECT_EQ(
        ads_load_dialog(
            ((dclFolder_.empty() ? lisp() : dclFolder_) / (dcl + ".dcl")).string().c_str(), &id),
        RTNORM);
    ads_hdlg dialog = BAD_DIALOG;
    EXPECT_EQ(ads_new_dialog(name, id, NULLCB, &dialog), RTNORM) << dcl << " " << name;
    work(dialog);
    int status = -7;
    const bool shown = ads_start_dialog(dialog, &status) == RTNORM;
    ads_unload_dialog(id);
    return shown ? sim::shownDialogs().back() : sim::ShownDialog();
  }
  std::filesystem::path dclFolder_;
};

} // namespace qvtest

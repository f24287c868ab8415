// The dialogs' tests: a LISP folder with the family's "qvanfile.dcl" and a DCL file of two
// dialogs whose names share a start, a user folder for the value files, both named by lspdir$ and
// usrdir$; and dialogs made, worked on and shown through the stand-in.
#pragma once

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

inline const char* const kTestDcl = "ab : dialog {\n"
                                    "  label = \"AB\";\n"
                                    "  : edit_box { key = \"name\"; }\n"
                                    "  : edit_box { key = \"note\"; edit_limit = 256; }\n"
                                    "  : toggle { key = \"flag\"; }\n"
                                    "  ok_cancel;\n"
                                    "}\n"
                                    "abc : dialog {\n"
                                    "  : edit_box { key = \"first\"; }\n"
                                    "  : edit_box { key = \"name\"; }\n"
                                    "  ok_cancel;\n"
                                    "}\n";

inline std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A text value for an AutoLISP symbol; null text removes the symbol's value.
inline void putText(const char* symbol, const char* text) {
  resbuf* value = text != nullptr ? acutBuildList(RTSTR, text, RTNONE) : acutNewRb(RTNIL);
  acedPutSym(symbol, value);
  acutRelRb(value);
}

// The tile's value when the dialog was shown.
inline std::string valueAtStart(const sim::ShownDialog& shown, const std::string& key) {
  for (const sim::ShownTile& tile : shown.atStart) {
    if (tile.key == key) {
      return tile.value;
    }
  }
  return "<no tile>";
}

class DialogsTest : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    std::filesystem::create_directories(lisp());
    std::filesystem::create_directories(user());
    std::filesystem::copy_file(std::string(QV_TEST_DATA_DIR) + "/../../lisp/qvanfile.dcl",
                               lisp() / "qvanfile.dcl");
    writeText(lisp() / "f.dcl", kTestDcl);
    resetSession();
  }

  // A new session of the stand-in with lspdir$ and usrdir$ naming the two folders.
  void resetSession() {
    sim::reset();
    putText("lspdir$", (lisp().string() + "/").c_str());
    putText("usrdir$", (user().string() + "/").c_str());
  }

  std::filesystem::path lisp() const { return tempDir() / "lisp"; }
  std::filesystem::path user() const { return tempDir() / "user"; }

  // Makes the dialog of the file (lisp()/dcl + ".dcl"), lets work act on it while it is made, then
  // shows it with the answers queued (none: cancelled). The dialog as shown.
  sim::ShownDialog runDialog(const std::string& dcl, const char* name,
                             const std::function<void(ads_hdlg)>& work) {
    int id = -1;
    EXPECT_EQ(ads_load_dialog((lisp() / (dcl + ".dcl")).c_str(), &id), RTNORM);
    ads_hdlg dialog = BAD_DIALOG;
    EXPECT_EQ(ads_new_dialog(name, id, NULLCB, &dialog), RTNORM);
    work(dialog);
    int status = -7;
    const bool shown = ads_start_dialog(dialog, &status) == RTNORM;
    ads_unload_dialog(id);
    return shown ? sim::shownDialogs().back() : sim::ShownDialog();
  }
};

} // namespace qvtest

// Control surface of the stand-in host's dialogs (DCL, platform/acad/adsdlg.h).
//
// A running dialog takes the person's steps from the queue of the user's answers
// (platform/sim_answers.h) until one ends it; an empty queue cancels it:
//
//   sim::answer(sim::Answer::tile("value", "North"));  // typed into the edit box "value"
//   sim::answer(sim::Answer::press("ok"));             // then the button "ok" pressed
//   runTheCommand();
//   const sim::ShownDialog shown = sim::shownDialogs().front();
//   EXPECT_EQ(shown.caption, "Name");
//
// Setting a tile runs its action (reason CBR_LOST_FOCUS for an edit box, CBR_SELECT otherwise).
// Pressing a button runs its action; a button without any ends the dialog: "accept" or
// is_default with DLGOK, "cancel" or is_cancel with DLGCANCEL. Answer::cancel() is ESC: the
// is_cancel button's action runs, and the dialog ends with DLGCANCEL unless that action ended it
// otherwise. A file's `action` attributes are AutoLISP, which the stand-in runs only in the form
// "(done_dialog [status])".
#pragma once

#include <string>
#include <vector>

namespace sim {

struct ShownTile {
  std::string key;
  std::string kind; // the built-in tile: "button", "edit_box", "toggle", ...
  std::string value;
  bool enabled = true;
};

// A dialog as it was shown (ads_start_dialog), with its keyed tiles in file order.
struct ShownDialog {
  std::string name;    // the dialog's name in its file
  std::string file;    // the file's Windows path
  std::string caption; // the dialog's label, or the title the program gave its window
  std::vector<ShownTile> atStart;
  std::vector<ShownTile> atEnd;
  std::string focusAtStart; // the key focused when shown (MODE_SETFOCUS or initial_focus)
  int status = 0;           // the status it ended with
};

// A dialog made is a window (platform/win/winuser.h) above the host's main window, the active one
// until it ends: SetWindowTextA(GetActiveWindow(), title) sets its caption.
//
// Every dialog shown since the reset, in the order they ended.
std::vector<ShownDialog> shownDialogs();
// DCL files loaded and not unloaded.
int loadedDialogs();
// Dialogs made (ads_new_dialog) and not yet ended or discarded.
int openDialogs();
// The host's report of each DCL file that failed to load, in order.
std::vector<std::string> dclErrors();

} // namespace sim

// The host's dialog calls: files loaded and unloaded, dialogs made, run by the person's answers,
// and their tiles read, set, given actions and modes.
#include <gtest/gtest-spi.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/acad/adsdlg.h"
#include "platform/sim.h"
#include "platform/win/winuser.h"
#include "testing/failure_sweep.h"
#include "testing/host_test.h"

namespace {

constexpr const char* kNameDialog = R"dcl(// a dialog of the kind the family shows
ask : dialog {
  label = "Name";
  initial_focus = "value";
  : text { key = "prompt"; value = "Name:"; }
  : edit_box { key = "value"; value = "first"; edit_limit = 8; }
  : boxed_radio_row { key = "side";
    : radio_button { key = "left"; value = "1"; }
    : radio_button { key = "right"; }
  }
  : toggle { key = "keep"; is_enabled = false; }
  : button { key = "apply"; label = "Apply"; }
  : button { key = "close"; label = "Close"; action = "(done_dialog 5)"; }
  ok_cancel;
}
plain : dialog { label = "Plain"; : text { key = "msg"; } ok_only; }
small : button { key = "b"; }
)dcl";

class DclDialogsTest : public qvtest::HostTest {
protected:
  std::string writeFile(const std::string& name, const std::string& text) {
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  // Loads the name dialog's file; its id.
  int load() {
    int id = 0;
    EXPECT_EQ(ads_load_dialog(writeFile("ask.dcl", kNameDialog).c_str(), &id), RTNORM);
    EXPECT_GT(id, 0);
    return id;
  }

  // Runs the named dialog of the file with the queued answers; its status.
  int run(int id, const char* name = "ask", CLIENTFUNC setup = nullptr) {
    ads_hdlg dialog = BAD_DIALOG;
    EXPECT_EQ(ads_new_dialog(name, id, NULLCB, &dialog), RTNORM);
    if (setup != nullptr) {
      ads_callback_packet packet{dialog, nullptr, nullptr, nullptr, 0, 0, 0};
      setup(&packet);
    }
    int status = -7;
    EXPECT_EQ(ads_start_dialog(dialog, &status), RTNORM);
    return status;
  }
};

std::string valueAtEnd(const sim::ShownDialog& shown, const std::string& key) {
  for (const sim::ShownTile& tile : shown.atEnd) {
    if (tile.key == key) {
      return tile.value;
    }
  }
  return "<none>";
}

TEST_F(DclDialogsTest, EndsAsThePersonEndsIt) {
  const int id = load();
  const struct {
    std::vector<sim::Answer> steps;
    int status;
  } cases[] = {
      {{}, DLGCANCEL}, // nobody answers: cancelled
      {{sim::Answer::cancel()}, DLGCANCEL},
      {{sim::Answer::press("accept")}, DLGOK},
      {{sim::Answer::press("cancel")}, DLGCANCEL},
      {{sim::Answer::press("close")}, 5}, // the file's (done_dialog 5)
      {{sim::Answer::press("apply"), sim::Answer::press("accept")}, DLGOK},
      {{sim::Answer::tile("value", "x"), sim::Answer::cancel()}, DLGCANCEL},
  };
  for (const auto& each : cases) {
    for (const sim::Answer& step : each.steps) {
      sim::answer(step);
    }
    EXPECT_EQ(run(id), each.status) << each.steps.size();
    EXPECT_EQ(sim::pendingAnswers(), 0u);
  }
  EXPECT_EQ(sim::shownDialogs().size(), std::size(cases));
  EXPECT_EQ(sim::asked().back().call, "ads_start_dialog");
  EXPECT_EQ(sim::asked().back().prompt, "Name");
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
  EXPECT_EQ(ads_unload_dialog(id), RTERROR);
}

TEST_F(DclDialogsTest, RecordsCaptionTilesAndModesAtStartAndEnd) {
  const int id = load();
  sim::answer(sim::Answer::tile("value", "a name longer than eight"));
  sim::answer(sim::Answer::tile("right", "1"));
  sim::answer(sim::Answer::press("accept"));
  ads_hdlg dialog = BAD_DIALOG;
  ASSERT_EQ(ads_new_dialog("ask", id, NULLCB, &dialog), RTNORM);
  EXPECT_EQ(sim::openDialogs(), 1);
  // Where Windows answers, the stand-in host's dialogs are no windows of Windows: their captions
  // are neither read nor set through its window calls.
  const bool windows = sim::windowsAnswers();
  char caption[5] = {};
  if (!windows) {
    EXPECT_EQ(GetWindowTextA(GetActiveWindow(), caption, sizeof caption), 4);
    EXPECT_STREQ(caption, "Name");
    EXPECT_TRUE(SetWindowTextA(GetActiveWindow(), "Layer name"));
  }
  EXPECT_EQ(ads_set_tile(dialog, "prompt", "New layer:"), RTNORM);
  EXPECT_EQ(ads_mode_tile(dialog, "apply", MODE_DISABLE), RTNORM);
  EXPECT_EQ(ads_mode_tile(dialog, "keep", MODE_ENABLE), RTNORM);
  int status = -7;
  ASSERT_EQ(ads_start_dialog(dialog, &status), RTNORM);
  EXPECT_EQ(status, DLGOK);
  EXPECT_EQ(sim::openDialogs(), 0);
  // The dialog's window is gone with it: the host's main window is active again.
  if (!windows) {
    EXPECT_EQ(GetWindowTextA(GetActiveWindow(), caption, sizeof caption), 4);
    EXPECT_STREQ(caption, "Auto");
  }

  const sim::ShownDialog shown = sim::shownDialogs().at(0);
  EXPECT_EQ(shown.name, "ask");
  EXPECT_EQ(shown.caption, windows ? "Name" : "Layer name");
  EXPECT_EQ(shown.focusAtStart, "value");
  EXPECT_EQ(shown.status, DLGOK);
  std::string start;
  for (const sim::ShownTile& tile : shown.atStart) {
    start += tile.key + "=" + tile.value + (tile.enabled ? "" : "(off)") + " ";
  }
  EXPECT_EQ(start, "prompt=New layer: value=first side= left=1 right= keep= apply=(off) close= "
                   "accept= cancel= ");
  EXPECT_EQ(valueAtEnd(shown, "value"), "a name l"); // the box takes its edit_limit
  EXPECT_EQ(valueAtEnd(shown, "left"), "0");         // the radio row keeps one on
  EXPECT_EQ(valueAtEnd(shown, "right"), "1");
  EXPECT_EQ(valueAtEnd(shown, "side"), "right");
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
}

// ---- Actions

struct Seen {
  std::vector<std::string> calls;
  std::string typed;
};
Seen* seen = nullptr;

void recordAction(ads_callback_packet* packet) {
  char key[MAX_TILE_STR] = {};
  ASSERT_EQ(ads_get_attr_string(packet->tile, const_cast<char*>("key"), key, sizeof key), RTNORM);
  seen->calls.push_back(std::string(key) + ":" + packet->value + ":" +
                        std::to_string(packet->reason) +
                        (packet->client_data == seen ? ":data" : ""));
}

void acceptWithValue(ads_callback_packet* packet) {
  char value[6] = {};
  ASSERT_EQ(ads_get_tile(packet->dialog, "value", value, sizeof value), RTNORM);
  seen->typed = value;
  ASSERT_EQ(ads_done_dialog(packet->dialog, DLGOK), RTNORM);
}

void giveActions(ads_callback_packet* packet) {
  ASSERT_EQ(ads_action_tile(packet->dialog, "value", recordAction), RTNORM);
  ASSERT_EQ(ads_action_tile(packet->dialog, "right", recordAction), RTNORM);
  ASSERT_EQ(ads_action_tile(packet->dialog, "cancel", recordAction), RTNORM);
  ASSERT_EQ(ads_action_tile(packet->dialog, "close", recordAction), RTNORM); // over the file's
  ASSERT_EQ(ads_client_data_tile(packet->dialog, "right", seen), RTNORM);
  ASSERT_EQ(ads_action_tile(packet->dialog, "accept", acceptWithValue), RTNORM);
}

TEST_F(DclDialogsTest, RunsActionsWithTheirReasonsAndValues) {
  Seen record;
  seen = &record;
  const int id = load();
  sim::answer(sim::Answer::tile("value", "typed text"));
  sim::answer(sim::Answer::tile("right", "1"));
  sim::answer(sim::Answer::press("close"));
  sim::answer(sim::Answer::press("accept"));
  EXPECT_EQ(run(id, "ask", giveActions), DLGOK);
  EXPECT_EQ(record.calls,
            (std::vector<std::string>{"value:typed te:2", "right:1:1:data", "close::1"}));
  EXPECT_EQ(record.typed, "typed"); // cut to the buffer, ended by a null

  // ESC runs the cancel button's action, which ends the dialog though it does not end it itself.
  record = Seen{};
  sim::answer(sim::Answer::cancel());
  EXPECT_EQ(run(id, "ask", giveActions), DLGCANCEL);
  EXPECT_EQ(record.calls, (std::vector<std::string>{"cancel::1"}));
  seen = nullptr;
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
}

void terminate(ads_callback_packet*) {
  ads_term_dialog();
}

void startInner(ads_callback_packet* packet) {
  ads_hdlg inner = BAD_DIALOG;
  int* id = static_cast<int*>(packet->client_data);
  ASSERT_EQ(ads_new_dialog("plain", *id, terminate, &inner), RTNORM);
  int status = -7;
  ASSERT_EQ(ads_start_dialog(inner, &status), RTNORM);
  EXPECT_EQ(status, DLGALLDONE);
}

TEST_F(DclDialogsTest, TermDialogEndsEveryDialogShown) {
  int id = load();
  ads_hdlg outer = BAD_DIALOG;
  ASSERT_EQ(ads_new_dialog("ask", id, NULLCB, &outer), RTNORM);
  ASSERT_EQ(ads_action_tile(outer, "apply", startInner), RTNORM);
  ASSERT_EQ(ads_client_data_tile(outer, "apply", &id), RTNORM);
  sim::answer(sim::Answer::press("apply"));  // the outer dialog opens the inner one
  sim::answer(sim::Answer::press("accept")); // whose OK runs the default action: term
  int status = -7;
  ASSERT_EQ(ads_start_dialog(outer, &status), RTNORM);
  EXPECT_EQ(status, DLGALLDONE);
  ASSERT_EQ(sim::shownDialogs().size(), 2u);
  EXPECT_EQ(sim::shownDialogs()[0].name, "plain");

  // Made and not shown: gone on term, its handle no longer taken.
  ads_hdlg unshown = BAD_DIALOG;
  ASSERT_EQ(ads_new_dialog("plain", id, NULLCB, &unshown), RTNORM);
  EXPECT_EQ(ads_term_dialog(), RTNORM);
  EXPECT_EQ(sim::openDialogs(), 0);
  EXPECT_EQ(ads_set_tile(unshown, "msg", "x"), RTERROR);
  EXPECT_EQ(ads_start_dialog(unshown, &status), RTERROR);
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
}

TEST_F(DclDialogsTest, RefusesWhatTheHostRefuses) {
  const int id = load();
  ads_hdlg dialog = BAD_DIALOG;
  EXPECT_EQ(ads_new_dialog("nosuch", id, NULLCB, &dialog), RTERROR);
  EXPECT_EQ(dialog, nullptr);                                           // BAD_DIALOG
  EXPECT_EQ(ads_new_dialog("small", id, NULLCB, &dialog), RTERROR);     // a button is no dialog
  EXPECT_EQ(ads_new_dialog("ok_cancel", id, NULLCB, &dialog), RTERROR); // the base's, not its
  EXPECT_EQ(ads_new_dialog("ask", id + 1, NULLCB, &dialog), RTERROR);
  EXPECT_EQ(ads_new_dialog("Ask", id, NULLCB, &dialog), RTERROR); // names are case-sensitive

  ASSERT_EQ(ads_new_positioned_dialog("ask", id, NULLCB, 10, 20, &dialog), RTNORM);
  char value[8] = "unset";
  EXPECT_EQ(ads_get_tile(dialog, "Value", value, sizeof value), RTERROR);
  EXPECT_EQ(ads_get_tile(dialog, "value", value, 0), RTERROR);
  EXPECT_EQ(ads_get_tile(dialog, "value", nullptr, 8), RTERROR);
  EXPECT_EQ(ads_get_tile(dialog, "value", value, 1), RTNORM);
  EXPECT_STREQ(value, "");
  EXPECT_EQ(ads_set_tile(dialog, "nosuch", "x"), RTERROR);
  EXPECT_EQ(ads_set_tile(dialog, "value", nullptr), RTERROR);
  EXPECT_EQ(ads_mode_tile(dialog, "value", 5), RTERROR);
  EXPECT_EQ(ads_mode_tile(dialog, "value", -1), RTERROR);
  EXPECT_EQ(ads_action_tile(dialog, "nosuch", NULLCB), RTERROR);
  EXPECT_EQ(ads_done_dialog(dialog, DLGOK), RTERROR); // not shown yet
  EXPECT_EQ(ads_get_attr(dialog, "value", const_cast<char*>("edit_limit"), value, sizeof value),
            RTNORM);
  EXPECT_STREQ(value, "8");
  EXPECT_EQ(ads_get_attr(dialog, "value", const_cast<char*>("nosuch"), value, sizeof value),
            RTNORM);
  EXPECT_STREQ(value, "");
  int status = 0;
  EXPECT_EQ(ads_start_dialog(dialog, nullptr), RTERROR);
  EXPECT_EQ(ads_start_dialog(dialog, &status), RTNORM);
  EXPECT_EQ(ads_start_dialog(dialog, &status), RTERROR); // gone once shown
  EXPECT_EQ(ads_start_dialog(nullptr, &status), RTERROR);
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
}

TEST_F(DclDialogsTest, TellsTheTestOfStepsNoPersonCanTake) {
  const int id = load();
  for (const sim::Answer& step :
       {sim::Answer::press("nosuch"), sim::Answer::press("value"), sim::Answer::tile("accept", "1"),
        sim::Answer::tile("keep", "1")}) {
    sim::answer(step);
    EXPECT_NONFATAL_FAILURE(run(id), "ads_start_dialog: the dialog \"ask\"");
  }
  sim::answer(sim::Answer::text("no dialog answer"));
  int status = -7;
  EXPECT_NONFATAL_FAILURE(status = run(id), "waits for a button press");
  EXPECT_EQ(status, DLGCANCEL);
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
}

TEST_F(DclDialogsTest, FindsFilesAsTheHostDoesAndReportsTheirErrors) {
  const std::string folder = tempPath("");
  writeFile("found.dcl", "found : dialog { ok_only; }");
  writeFile("parts.dcl", "part : edit_box { key = \"part\"; }");
  writeFile("whole.dcl", "@include \"parts.dcl\"\nwhole : dialog { part; ok_only; }");
  writeFile("loop.dcl", "@include \"loop.dcl\"\n");
  writeFile("bad.dcl", "// fine\nbad : dialog {\n  label = \"x\"\n}");
  writeFile("lost.dcl", "@include \"nowhere.dcl\"\n");
  sim::setSysVarString("ACADPREFIX", "C:\\nowhere\\;" + folder);
  int id = 0;
  for (const char* name : {"found", "found.dcl", "whole"}) {
    EXPECT_EQ(ads_load_dialog(name, &id), RTNORM) << name;
    EXPECT_EQ(ads_unload_dialog(id), RTNORM);
  }
  const struct {
    const char* name;
    const char* report;
  } failing[] = {
      {"missing", "Dialog file \"missing\" not found"},
      {"bad", "bad.dcl\", line 4: syntax error: ';' after a value expected"},
      {"loop", "loop.dcl\", line 1: the file includes itself"},
      {"lost", "cannot find the included file \"nowhere.dcl\""},
  };
  for (const auto& each : failing) {
    id = 0;
    EXPECT_EQ(ads_load_dialog(each.name, &id), RTERROR);
    EXPECT_EQ(id, -1);
    EXPECT_NE(sim::dclErrors().back().find(each.report), std::string::npos)
        << sim::dclErrors().back();
  }
  EXPECT_EQ(ads_load_dialog(nullptr, &id), RTERROR);
  EXPECT_EQ(sim::loadedDialogs(), 0);
}

int lastDone = 0;

void endWithThree(ads_callback_packet* packet) {
  lastDone = ads_done_dialog(packet->dialog, 3);
}

TEST_F(DclDialogsTest, EveryFailingCallLeavesNothingBehind) {
  const std::string path = writeFile("ask.dcl", kNameDialog);
  for (const char* call : {"ads_load_dialog", "ads_new_dialog", "ads_start_dialog", "ads_set_tile",
                           "ads_get_tile", "ads_mode_tile", "ads_action_tile",
                           "ads_client_data_tile", "ads_get_attr", "ads_done_dialog"}) {
    qvtest::forEachFailure(call, [&](int) {
      int id = 0;
      if (ads_load_dialog(path.c_str(), &id) != RTNORM) {
        return;
      }
      ads_hdlg dialog = BAD_DIALOG;
      if (ads_new_dialog("ask", id, NULLCB, &dialog) == RTNORM) {
        char value[16];
        char attr[] = "label";
        ads_set_tile(dialog, "prompt", "p");
        ads_get_tile(dialog, "value", value, sizeof value);
        ads_mode_tile(dialog, "keep", MODE_ENABLE);
        ads_action_tile(dialog, "cancel", endWithThree);
        ads_client_data_tile(dialog, "apply", nullptr);
        ads_get_attr(dialog, "apply", attr, value, sizeof value);
        int status = 0; // nobody answers: ESC runs the cancel button's action
        lastDone = 0;
        if (ads_start_dialog(dialog, &status) == RTNORM) {
          EXPECT_EQ(status, lastDone == RTNORM ? 3 : DLGCANCEL);
        }
      }
      ads_unload_dialog(id);
    });
  }
}

} // namespace

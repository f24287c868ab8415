// The family's own dialog file, loaded and run through the stand-in's dialogs as the message and
// string dialogs run it.
#include <cstring>
#include <string>
#include <vector>

#include "platform/acad/adsdlg.h"
#include "platform/sim.h"
#include "platform/win/winuser.h"
#include "testing/host_test.h"

namespace {

const std::string kFamilyFile = std::string(QV_TEST_DATA_DIR) + "/../../lisp/qvanfile.dcl";

class FamilyDclTest : public qvtest::HostTest {};

std::vector<std::string> keysOf(const std::vector<sim::ShownTile>& tiles) {
  std::vector<std::string> keys;
  for (const sim::ShownTile& tile : tiles) {
    keys.push_back(tile.key + ":" + tile.kind);
  }
  return keys;
}

void endOk(ads_callback_packet* packet) {
  ads_done_dialog(packet->dialog, DLGOK);
}

char answerBuffer[12];

void readValue(ads_callback_packet* packet) {
  if (ads_get_tile(packet->dialog, "value", answerBuffer, sizeof answerBuffer) == RTNORM) {
    ads_done_dialog(packet->dialog, DLGOK);
  }
}

// Shows qvan_get_string as the string dialog does; the status it ended with.
int askString(int id, const char* prompt, const char* title) {
  ads_hdlg dialog = BAD_DIALOG;
  EXPECT_EQ(ads_new_dialog("qvan_get_string", id, NULLCB, &dialog), RTNORM);
  EXPECT_EQ(ads_set_tile(dialog, "prompt", prompt), RTNORM);
  EXPECT_EQ(ads_action_tile(dialog, "ok", readValue), RTNORM);
  EXPECT_TRUE(SetWindowTextA(GetActiveWindow(), title)); // the caption of the dialog just made
  int status = -7;
  EXPECT_EQ(ads_start_dialog(dialog, &status), RTNORM);
  return status;
}

TEST_F(FamilyDclTest, DefinesTheAlertWithItsMessageAndButton) {
  int id = 0;
  ASSERT_EQ(ads_load_dialog(kFamilyFile.c_str(), &id), RTNORM) << sim::dclErrors().back();
  for (const sim::Answer& close : {sim::Answer::press("ok"), sim::Answer::cancel()}) {
    sim::answer(close);
    ads_hdlg dialog = BAD_DIALOG;
    ASSERT_EQ(ads_new_dialog("qvan_alert", id, NULLCB, &dialog), RTNORM);
    const std::string message(50, 'm');
    ASSERT_EQ(ads_set_tile(dialog, "msg", message.c_str()), RTNORM);
    ASSERT_EQ(ads_action_tile(dialog, "ok", endOk), RTNORM);
    int status = -7;
    ASSERT_EQ(ads_start_dialog(dialog, &status), RTNORM);
    EXPECT_EQ(status, DLGOK); // ESC runs the OK button's action: it is the cancel button too
    const sim::ShownDialog shown = sim::shownDialogs().back();
    EXPECT_EQ(keysOf(shown.atStart), (std::vector<std::string>{"msg:text", "ok:button"}));
    EXPECT_EQ(shown.atStart[0].value, message);
  }
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
}

TEST_F(FamilyDclTest, DefinesTheStringDialogWithAnEmptyBox) {
  int id = 0;
  ASSERT_EQ(ads_load_dialog(kFamilyFile.c_str(), &id), RTNORM) << sim::dclErrors().back();
  const struct {
    std::vector<sim::Answer> steps;
    int status;
    const char* buffer; // what the "ok" action left in the pending answer
  } cases[] = {
      {{sim::Answer::tile("value", "North fence"), sim::Answer::press("ok")}, DLGOK, "North fence"},
      {{sim::Answer::tile("value", "a longer text than fits"), sim::Answer::press("ok")},
       DLGOK,
       "a longer te"},
      {{sim::Answer::press("ok")}, DLGOK, ""}, // the box starts empty
      {{sim::Answer::tile("value", "typed"), sim::Answer::press("cancel")}, DLGCANCEL, "unset"},
      {{sim::Answer::tile("value", "typed"), sim::Answer::cancel()}, DLGCANCEL, "unset"},
  };
  for (const auto& each : cases) {
    std::strcpy(answerBuffer, "unset");
    for (const sim::Answer& step : each.steps) {
      sim::answer(step);
    }
    EXPECT_EQ(askString(id, "Layer name:", "New layer"), each.status);
    EXPECT_STREQ(answerBuffer, each.buffer);
    const sim::ShownDialog shown = sim::shownDialogs().back();
    EXPECT_EQ(shown.caption, "New layer");
    EXPECT_EQ(shown.focusAtStart, "value");
    EXPECT_EQ(keysOf(shown.atStart), (std::vector<std::string>{"prompt:text", "value:edit_box",
                                                               "ok:button", "cancel:button"}));
    EXPECT_EQ(shown.atStart[0].value, "Layer name:");
  }
  EXPECT_EQ(ads_unload_dialog(id), RTNORM);
}

} // namespace
